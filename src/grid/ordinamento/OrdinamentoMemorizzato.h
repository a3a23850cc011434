#pragma once

#include "grid/aspetto/ChiaviGriglia.h"
#include "grid/ordinamento/DecodificaCampi.h"
#include "grid/ordinamento/StatoOrdinamento.h"

#include <QVector>

namespace mavo {

namespace db {
class Database;
}

// A layout row that carries a sort value (ORDINAMENTO not null).
struct RigaOrdinamento {
    int Ordinamento = 0;
    QString NomeCampo;
    QString Origine;
    int Posizione = 0;
};

// Rebuilds the sort from the stored rows, given by ascending |Ordinamento|.
// A mode not yet known is decided here, once: several keys when any value
// exceeds 2 in absolute value, else a single key. Rows holding 0 are no keys.
void ApplicaRigheOrdinamento(StatoOrdinamento& stato, const QVector<RigaOrdinamento>& righe,
                             const DecodificaCampi& personalizzati);

// The same from the rows of layout table `tabella` for the grid's keys, read
// in a transaction of its own. Database errors reach the caller.
void LeggiOrdinamento(db::Database& database, const QString& tabella, const ChiaviGriglia& chiavi,
                      const DecodificaCampi& personalizzati, StatoOrdinamento& stato);

} // namespace mavo
