#pragma once

#include <QString>
#include <memory>

QT_BEGIN_NAMESPACE
class QChart;
class QPrinter;
QT_END_NAMESPACE

namespace mavo {

struct DatiGrafico;
struct Didascalie;
struct SceltaGrafico;

// The chart of the data as the choice says: its objectName is the choice's
// identity, its title the title (with the captions that have no axis of
// their own, and how many x descriptions were left out, on a smaller line
// below), the axis captions on their axes. Values show on hover. Texts of the
// data are never read as markup.
std::unique_ptr<QChart> CreaGrafico(const DatiGrafico& dati, const SceltaGrafico& scelta,
                                    const Didascalie& didascalie);

// Writes the chart, at its present size, as a PNG, SVG or PDF file as the
// file's extension says (PNG for any other). The chart must be in a scene
// (a view's or one of its own). False when the file could not be written.
bool SalvaGrafico(QChart& grafico, const QString& file);

// Prints the chart on one page, as large as the page allows.
void StampaGrafico(QChart& grafico, QPrinter& stampante);

} // namespace mavo
