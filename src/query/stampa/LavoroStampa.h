#pragma once

#include "query/stampa/CampiStampa.h"
#include "query/stampa/EspressioneReport.h"
#include "query/stampa/ReportLst.h"

#include <QHash>
#include <memory>

namespace mavo {

class LocalTable;

// A print ready to be drawn: what the preview, the printer and the PDF all
// lay out the same way, as many times as they need (each drawing reads the
// rows again).
struct LavoroStampa {
    // 0: the answer through a list project; 1: the text lines through a list
    // project; 2: the text lines in the built-in monospaced layout.
    int Tipo = 0;
    QString TitoloFinestra;
    std::shared_ptr<const ReportLst> Progetto; // kinds 0 and 1

    // Kind 0: the rows, their sums and the report's variables (upper-case
    // names).
    const SorgenteStampa* Sorgente = nullptr;
    bool TotaliVoluti = false;
    QHash<QString, ValoreReport> Variabili;

    // Kinds 1 and 2: the print tables, pages of RighePerPagina lines of at
    // most LunghezzaRiga characters.
    LocalTable* Testate = nullptr;
    LocalTable* Righe = nullptr;
    int RighePerPagina = 50;
    int LunghezzaRiga = 0;

    // Kind 2's own layout.
    bool Orizzontale = false;
};

// The values a row gives the advanced report's expressions: each field by its
// name (numbers, dates and booleans typed, the rest as text).
ValoreReport ValoreDiCampo(const CampoStampa& campo, const QVariant& valore);

// The names a kind 0 report may use: the fields, "Totale." + each field with
// totals, "TipoRiga" and the variables. Upper case.
QSet<QString> NomiReportAvanzato(const SorgenteStampa& sorgente,
                                 const QHash<QString, ValoreReport>& variabili);
// Kind 1: the fields of the two print tables.
QSet<QString> NomiReportStandard();

// True when a visible field has totals (never in the one-record view).
bool TotaliVoluti(const SorgenteStampa& sorgente);

} // namespace mavo
