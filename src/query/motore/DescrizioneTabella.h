#pragma once

#include "dataset/Field.h"

#include <QString>
#include <QVector>

namespace mavo {

namespace db {
class Database;
}

// The fields of a table, in definition order, from the description of
// "SELECT * FROM" the table (no row is read). A table that cannot be read
// raises DatabaseError.
QVector<FieldDef> DescriviTabella(db::Database& database, const QString& tabella);

} // namespace mavo
