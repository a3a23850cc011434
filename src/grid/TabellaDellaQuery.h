#pragma once

#include <QStringList>

namespace mavo {

// The main table of a query's base SQL: the first name between double
// quotation marks after the first "FROM"; empty when the SQL quotes none.
QString TabellaDellaQuery(const QStringList& sql);

} // namespace mavo
