#pragma once

#include <QString>

namespace mavo {

namespace db {
class Database;
}

// What an archive's catalogue says about a table now, to know when its rows
// may be written many at a time, or in another order, without anyone
// noticing. Read in a transaction of its own: the engine runs statements
// with the current definitions, whatever an older snapshot shows.

// No active trigger on the table: writing a row does nothing else.
bool SenzaTrigger(db::Database& archivio, const QString& tabella);

// An active unique index holds exactly this column: an insert of a value
// already there fails.
bool ColonnaUnivoca(db::Database& archivio, const QString& tabella, const QString& colonna);

} // namespace mavo
