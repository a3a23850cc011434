#pragma once

#include "dataset/Field.h"

#include <QStringList>
#include <QVector>

namespace mavo {

class CodiciVisualizzazione;
class Dataset;

// The ordering and totals of an answer, as the dialog "Ordinamento e Totali"
// shows and rewrites them through the fields' display codes (digits D P P T
// G: descending, place among the sort keys, total, grouping display).

inline constexpr int MassimoChiavi = 31;

// Kinds of field: numbers that can have a total or a sum (integers of 16
// and 32 bits, floating and fixed point), numbers a grouped sum can be
// written on (those and 64-bit integers), and fields no order can be on.
bool NumericoPerTotali(FieldType tipo);
bool NumericoPerSomma(FieldType tipo);
bool Ordinabile(FieldType tipo);

struct CampoRisposta {
    QString nome;
    FieldType tipo = FieldType::String;
};
// The answer's fields in the order of their definitions, whatever the grid shows.
QVector<CampoRisposta> CampiRisposta(const Dataset& risposta);

struct StatoOrdETot {
    QStringList disponibili; // sortable, not a key
    QStringList chiave;      // the keys, in their order
    QStringList numerici;    // numbers without a total
    QStringList totali;      // fields with a total
    bool decrescente = false;
    bool operator==(const StatoOrdETot&) const = default;
};

// What the dialog shows when it opens, from the codes (by field position).
StatoOrdETot LeggiOrdETot(const QVector<CampoRisposta>& campi, const CodiciVisualizzazione& codici);

// The codes rewritten from the dialog's lists: D P P from the place among
// the keys and the direction, T from the totals; G stays.
void ScriviOrdETot(const QVector<CampoRisposta>& campi, const StatoOrdETot& stato,
                   CodiciVisualizzazione& codici);

// The answer's statement with the order the codes ask for: the previous
// ORDER BY written by the ordering (when `ordinato`) taken away, the new one
// on the keys' column numbers, each followed by DESCENDING when the order is
// descending. `colonne`: the columns the statement itself returns (computed
// ones after them cannot be ordered on). `ordinato` tells whether the
// statement now carries an order.
QStringList OrdinaIstruzione(QStringList sql, bool& ordinato, const CodiciVisualizzazione& codici,
                             int colonne);

} // namespace mavo
