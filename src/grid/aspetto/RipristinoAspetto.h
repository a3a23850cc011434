#pragma once

#include "grid/aspetto/ChiaviGriglia.h"

#include <QString>

namespace mavo {

namespace db {
class Database;
}

// The database side of "Aspetto Base": forgets the grid's stored layout (the
// rows of `tabellaAspetto`) and its search dialog's position and options (the
// row of `tabellaPosizioni`), in one transaction of its own. Database errors
// reach the caller and leave both tables as they were.
void EliminaAspetto(db::Database& database, const QString& tabellaAspetto,
                    const QString& tabellaPosizioni, const ChiaviGriglia& chiavi);

} // namespace mavo
