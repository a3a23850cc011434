#pragma once

#include <QSize>
#include <QString>

namespace mavo {

class Interazione;
class Risposta;
struct RichiestaGrafico;

// The chart of the open answer written to a PNG, SVG or PDF file (by its
// extension), without a window: what `interroga grafico` does. Needs a
// QApplication, which needs no display on the offscreen platform
// (QT_QPA_PLATFORM=offscreen, set before the application is created). The
// chart table is used and given back as the dialog does. A wrong request or
// a file that cannot be written is told through the port: false.
// Local-table and database failures are thrown.
bool SalvaGraficoSuFile(Interazione& port, Risposta& risposta, const QString& directoryLavoro,
                        const RichiestaGrafico& richiesta, const QString& file,
                        QSize dimensione = QSize(1000, 650));

} // namespace mavo
