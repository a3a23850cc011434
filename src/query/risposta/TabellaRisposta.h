#pragma once

#include <QStringList>

namespace mavo {

class Risposta;
namespace db {
class Database;
class Transaction;
} // namespace db

// The archive has a table of that name (as the catalogue writes it), seen in `t`.
bool TabellaEsiste(db::Database& database, db::Transaction& t, const QString& tabella);
// The same in a short transaction of its own.
bool TabellaEsiste(db::Database& database, const QString& tabella);

// The columns of a table made from the open answer: every field, hidden ones
// included, by position; names repeated by joined tables, or missing on
// expressions, made unique; typed as the answer's statement describes them
// (computed columns, running sums and integer parts, hold doubles). Each as
// "NAME" TYPE, ready for a CREATE TABLE. The statement is prepared in `t`.
QStringList ColonneTabellaRisposta(Risposta& risposta, db::Transaction& t);

// The answer's rows written into `tabella` (written as SQL wants it) within
// `t`: an INSERT of the statement `sql` when the answer is the query, row by
// row when a computed table took its place. The statement run, for whoever
// must tell what failed.
QStringList InserisciRisposta(Risposta& risposta, db::Transaction& t, const QString& tabella,
                              const QStringList& sql, int colonne);

} // namespace mavo
