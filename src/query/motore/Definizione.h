#pragma once

#include <QString>
#include <QVector>

namespace mavo {

class Dataset;
class MemoryDataset;

// The row kinds of a query definition, by their Mostra code.
namespace mostra {
inline constexpr int Nascosto = 0;        // field, not in the answer
inline constexpr int Mostrato = 1;        // field, in the answer
inline constexpr int TestataRight = 3;    // linked table joined with RIGHT JOIN
inline constexpr int MarcatoreCatena = 4; // "QUERY PRECEDENTE" / "QUERY SUCCESSIVA"
inline constexpr int Grigio = 5;          // field, in the answer, drawn grey
inline constexpr int Congelato = 6;       // field of an earlier side-by-side member
inline constexpr int Marcatore = 7;       // lock row, end of a side-by-side member
inline constexpr int Chiave = 8;          // join key of the header before it
inline constexpr int TestataLeft = 9;     // linked table joined with LEFT JOIN

inline bool Campo(int m) {
    return m == Nascosto || m == Mostrato || m == Grigio || m == Congelato;
}
inline bool InRisposta(int m) {
    return m == Mostrato || m == Grigio || m == Congelato;
}
inline bool Testata(int m) {
    return m == TestataLeft || m == TestataRight;
}
} // namespace mostra

// One row of a query definition: a field of the main table (or of a linked
// table, "L.FIELD"), a linked-table header ("TABLE = L"), a join key, or a
// marker; Condizione is the user's condition, or the row's parameter.
struct RigaDefinizione {
    int Numero = 0;
    QString Nome;
    int Mostra = mostra::Mostrato;
    QString Condizione;

    bool operator==(const RigaDefinizione&) const = default;
};

using Definizione = QVector<RigaDefinizione>;

// What the rows of a definition say of the query, as loading a stored one
// derives it: locked (a lock row), side-by-side (rows after the lock row),
// in a chain (a chain marker), with a predecessor (first row "QUERY
// PRECEDENTE") or a successor ("QUERY SUCCESSIVA").
struct StatoDefinizione {
    bool Bloccata = false;
    bool Affiancata = false;
    bool InCatena = false;
    bool F11 = false;
    bool F12 = false;
};
StatoDefinizione DerivaStato(const Definizione& righe);

// A linked stored query: a linked-table header on the table "XXXXXXXX.XXX",
// whose condition starts with the stored query's code on four characters;
// its last answer is kept in the table named by those four characters.
bool TestataQueryCollegata(const RigaDefinizione& riga);
// The table a linked-table header joins, without the path before it.
QString TabellaTestata(const RigaDefinizione& testata);

// The four fields of a definition list (Numero, Nome, Mostra, Condizione),
// with the given widths, on a closed in-memory table, which is left open.
void CreaTabIntTmp(MemoryDataset& tabella, int lunghezzaNome = 27, int lunghezzaCondizione = 255);

// One shown row per field of the main table, in field order, without
// conditions; the list is left on its first row.
void RiempiTabIntTmp(MemoryDataset& definizione, const Dataset& tabella);

// The rows of an open definition list in their current order, and back.
Definizione LeggiDefinizione(MemoryDataset& definizione);
void ScriviDefinizione(MemoryDataset& definizione, const Definizione& righe);

} // namespace mavo
