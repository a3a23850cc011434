#pragma once

#include "query/motore/Definizione.h"

#include <QStringList>
#include <QVector>

namespace mavo {

class Interazione;

// How a linked table is joined to the query.
enum class ModoJoin {
    Left,                // every main row, the linked one where there is
    Right,               // every linked row, holes on the main side ("Right (con buchi)")
    LeftCondizioniPrima, // as Left, the linked table's conditions going into the join ("P")
};

// One pair of fields the join matches: a field of the main table (or a
// field of a table linked before, "L.FIELD") and one of the linked table.
struct Legame {
    QString CampoPrincipale;
    QString CampoCollegato;

    bool operator==(const Legame&) const = default;
};

// What the user chose in "Aggiungi tabella".
struct TabellaDaCollegare {
    QString Tabella;
    QString Percorso; // written before the table name; empty on one database
    ModoJoin Modo = ModoJoin::Left;
    QVector<Legame> Legami;
    QStringList Campi; // the linked table's fields to show
};

// The alias letter of a linked table's header ("T = L", joined Left or
// Right); a null QChar for any other row, a side-by-side member's header too.
QChar LetteraTestata(const RigaDefinizione& riga);
// The table a linked table's header names, and its path (a "P" has none).
QString NomeTabellaCollegata(const RigaDefinizione& testata);
QString PercorsoTestata(const RigaDefinizione& testata);

// The alias letters of the tables a definition links ("T = L" headers and
// "L." field names), and the one a new table takes: the letter after the
// highest in use ('A' for the first), so that no two tables share a letter
// whatever was removed in between; a null QChar after 'Z'.
QChar LetteraSuccessiva(const Definizione& righe);

// The headers of the linked tables ("T = L", joined Left or Right) in list
// order: what "Elimina tabella collegata" offers.
QStringList TabelleCollegate(const Definizione& righe);

// True when the table is already joined with that path (a "P" header has none).
bool TabellaPresente(const Definizione& righe, const QString& tabella, const QString& percorso);

// The join fields offered on the main side: every field row shown or not
// (kind 0 or 1), in list order.
QStringList CampiPrincipali(const Definizione& righe);

// "&Riporta": checks the choice (telling the user what is missing through
// the port) and appends the header, one key row per pair and one shown row
// per field, numbered on from the last row. False, the rows unchanged, when
// something is missing, the table is already there or the 26 letters are used.
bool AggiungiTabella(Definizione& righe, const TabellaDaCollegare& scelta, Interazione& port);

// Removes the linked table of the header `testata` ("T = L"): refused when
// another row joins on one of its fields, asked for confirmation, then its
// header and every "L." row go and the rows are numbered again from 1.
// True when the rows changed.
bool EliminaTabella(Definizione& righe, const QString& testata, Interazione& port);

} // namespace mavo
