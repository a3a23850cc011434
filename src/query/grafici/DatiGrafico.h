#pragma once

#include <QList>
#include <QStringList>

namespace mavo {

class LocalTable;

// How many x descriptions a chart shows at most: beyond them a chart helps
// nobody and drawing would hold the window. Pies, one per x description, are
// fewer still.
inline constexpr qsizetype MassimoDescrizioni = 1000;
inline constexpr qsizetype MassimoTorte = 30;

// What a chart shows, read back from the chart table: the x descriptions in
// the chart's order, the series in the table's order (the value column first),
// and per series and x description the sum of its values.
struct DatiGrafico {
    QStringList Descrizioni;     // whole texts, the first `massimo` of all
    QStringList Serie;           // whole column names
    QList<QList<double>> Valori; // [serie][descrizione]
    qsizetype DescrizioniTotali = 0;

    qsizetype Escluse() const { return DescrizioniTotali - Descrizioni.size(); }
};

DatiGrafico LeggiDatiGrafico(const LocalTable& tabella, qsizetype massimo);

// The chart's order of x descriptions: as numbers when they all are numbers,
// in time order when they are all dates or times, otherwise alphabetical
// without regard to case with digit runs read as numbers (which keeps the
// "Originale" numbering in order). The empty description comes first.
QStringList OrdinaDescrizioni(QStringList descrizioni);

} // namespace mavo
