#pragma once

#include "query/esporta/Foglio.h"

#include <QList>

namespace mavo {

// The first sheet of a spreadsheet (.xlsx) given as a model: its name and
// the values of its rows (texts, numbers, true/false; formulas by their last
// result), by row and column from 0. Formats, merged cells and pictures are
// not read.
struct ModelloFoglio {
    struct Valore {
        int riga = 0;
        int colonna = 0;
        Cella cella;
    };
    QString nome;
    QList<Valore> valori; // by row, then column
    int righe = 0;        // the last row holding something, plus one
};

// Raises IoError for a file that cannot be read or is no .xlsx file.
ModelloFoglio LeggiModelloXlsx(const QString& percorso);

} // namespace mavo
