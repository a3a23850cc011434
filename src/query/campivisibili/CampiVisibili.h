#pragma once

#include "query/motore/Definizione.h"

#include <QStringList>
#include <QVector>
#include <functional>

namespace mavo {

// A table of the query as "Campi visibili" lists it: the main table (no
// letter) or a linked one.
struct TabellaQuery {
    QString NomeTabella;
    QString PercorsoTabella;
    QString Lettera;
    bool Selezione = false;

    bool operator==(const TabellaQuery&) const = default;
};

// The codes of the field list.
namespace codice_campo {
inline constexpr int Assente = 0;  // not in the definition
inline constexpr int Nascosto = 1; // kept as a hidden field without condition
inline constexpr int Fisso = 2;    // shown or conditioned: kept as it is, cannot be toggled
inline constexpr int Testata = 9;  // the header of a table's fields
} // namespace codice_campo

struct CampoVisibile {
    QString NomeCampo;
    int Selezione = codice_campo::Assente;

    bool operator==(const CampoVisibile&) const = default;
};

// The main table, then every linked table (joined Left or Right) in list
// order, none marked. A linked table's path is its header's, behind
// `prefisso` unless it names a drive.
QVector<TabellaQuery> TabelleQuery(const QString& principale, const QString& prefisso,
                                   const Definizione& righe);

// The fields of the marked tables: for each, its header (code 9), then one
// row per field in definition order ("L.FIELD", or the bare field for the
// main table) with its code from the first definition row of that name
// that is no join key: shown (1, 5, 6) or carrying a condition 2, hidden 1,
// none 0. `campiDi` gives a table's fields.
QVector<CampoVisibile> CampiTabelle(const QVector<TabellaQuery>& tabelle, const Definizione& righe,
                                    const std::function<QStringList(const TabellaQuery&)>& campiDi);

// The user's toggle: 0 <-> 1, the other codes as they are.
int CodiceScambiato(int codice);

// "Aggiorna e chiudi": the definition with the field rows of every marked
// table rebuilt from the field list, at the place of the table's first field
// row, in field order (2 keeps every row of that name as it was, 1 gives a
// hidden row without condition, 0 none); rows of that table the list does
// not name stay behind them. Everything else (headers, join keys, markers,
// the rows of unmarked tables, every row from the end of the first
// side-by-side member on) stays where it was. Rows numbered again from 1.
Definizione RicostruisciDefinizione(const Definizione& righe, const QVector<TabellaQuery>& tabelle,
                                    const QVector<CampoVisibile>& campi);

} // namespace mavo
