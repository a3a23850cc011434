#pragma once

#include "grid/ordinamento/DecodificaCampi.h"
#include "grid/ordinamento/StatoOrdinamento.h"

#include <QStringList>

namespace mavo {

namespace db {
class Database;
}

// The ORDER BY lines of a sort, checked against the origins of the fields the
// query returns: a key is used when its expression is not empty and it is a
// custom field or some field comes from it; the others are left out. The first
// key used opens the clause ("ORDER BY "), the later ones continue it (",");
// descending keys end with " DESC". With `upper` each expression is compared
// in upper case ("ORDER BY UPPER(" ... ")", ", UPPER(" ... ")").
QStringList RigheOrderBy(const StatoOrdinamento& stato, const QStringList& origini,
                         const DecodificaCampi& personalizzati, bool upper = false);

// The origins of the fields `sql` returns, learnt by preparing it on
// `database` in a transaction of its own.
QStringList OriginiCampi(db::Database& database, const QStringList& sql);

// RigheOrderBy() for a query whose base SQL is `sqlIniziale`; the SQL is
// prepared only when the sort has keys.
QStringList OrdinamentoQuery(db::Database& database, const QStringList& sqlIniziale,
                             const StatoOrdinamento& stato, const DecodificaCampi& personalizzati,
                             bool upper = false);

// "ORDER BY T.A,T.B": the primary-key columns of table `tabella`, qualified
// by its name; no line when the table has no primary key.
QStringList RigheChiavePrimaria(db::Database& database, const QString& tabella);

} // namespace mavo
