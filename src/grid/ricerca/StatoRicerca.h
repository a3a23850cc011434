#pragma once

#include "grid/aspetto/ChiaviGriglia.h"

#include <QPoint>
#include <QString>
#include <optional>

namespace mavo {

namespace db {
class Database;
}

// What the search dialog remembers per situation, user and project, in the
// position table: PosX, PosY, Info3 (search type), Info1 (sort choice) and
// Info4 (1 when "Upper" is ticked).
struct StatoDialogoRicerca {
    QPoint posizione;
    int tipo = 0;
    int ordinamento = 1;
    bool upper = true;

    bool operator==(const StatoDialogoRicerca&) const = default;
};

// None when the table holds no row for the keys.
std::optional<StatoDialogoRicerca> LeggiStatoRicerca(db::Database& database, const QString& tabella,
                                                     const ChiaviGriglia& chiavi);

// Writes only when there is no row yet or a value differs, in a transaction
// of its own. Database errors reach the caller.
void SalvaStatoRicerca(db::Database& database, const QString& tabella, const ChiaviGriglia& chiavi,
                       const StatoDialogoRicerca& stato);

} // namespace mavo
