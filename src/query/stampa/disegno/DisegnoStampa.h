#pragma once

#include "query/stampa/LavoroStampa.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;

namespace mavo {

// The paper a print asks for: A4 (or the project's page), portrait or
// landscape, no margins (the report's coordinates are the paper's own).
QPageLayout ImpaginazioneStampa(const LavoroStampa& lavoro);

// Draws every page of the print on a device laid out with
// ImpaginazioneStampa (a printer in full-page mode, a PDF writer), a new page
// of the device for each page after the first. The rows are read again, a
// block at a time, so that a long answer needs no more memory than a short
// one. Returns the pages drawn.
int DisegnaStampa(const LavoroStampa& lavoro, QPagedPaintDevice& dispositivo);

// The print into a PDF file; IoError when it cannot be written.
int StampaInPdf(const LavoroStampa& lavoro, const QString& file);

} // namespace mavo
