#pragma once

#include "db/FieldInfo.h"

#include <QStringList>
#include <QVariantHash>
#include <QVector>

namespace mavo {

namespace db {
class Database;
}

// The answer of a read of stored settings: the columns and the rows, each row
// by upper-case column name.
struct RigheImpostazioni {
    QVector<db::FieldInfo> colonne;
    QVector<QVariantHash> righe;

    const db::FieldInfo* colonna(const QString& nome) const;
};

// Runs a select without parameters in a transaction and a statement of its
// own, reads the rows (all of them, or the first `massimo`), commits and
// frees both before returning. Database errors reach the caller.
RigheImpostazioni LeggiImpostazioni(db::Database& database, const QStringList& sql,
                                    int massimo = -1);

} // namespace mavo
