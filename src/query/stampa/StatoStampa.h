#pragma once

#include <QString>
#include <QtGlobal>

namespace mavo {

// A font as the print keeps it (name, size in points, style, colour as
// 0xRRGGBB): no QtGui here, so that the print can be prepared without a
// display and written into the report project's font lines.
struct CarattereStampa {
    QString Nome = QStringLiteral("Arial");
    int Dimensione = 8;
    bool Grassetto = false;
    bool Corsivo = false;
    bool Sottolineato = false;
    bool Barrato = false;
    quint32 Colore = 0; // the window-text colour: black

    bool operator==(const CarattereStampa&) const = default;
};

// What the query form keeps for printing between one print and the next; the
// form owns it and clears ReportAggiornato whenever the answer's look changes
// (columns, widths, grouping display, font, one-record view).
struct StatoStampa {
    // A temporary report project has been generated for the current look.
    bool ReportAggiornato = false;
    // The report kind last used (0 advanced, 1 simple, 2 fast).
    int UltimoTipo = 0;
    // Copied from the title dialog each time it closes.
    bool NumeraPagine = true;
    bool MemoEstesi = false;
    // The font the reports print in (the title dialog's font dialog).
    CarattereStampa Carattere;
    // The form shows the one-record table instead of the answer.
    bool UnRecord = false;
    // The longest value of the one-record table (its second column's width).
    int ValorePiuLungo = 100;
};

} // namespace mavo
