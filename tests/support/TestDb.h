#pragma once

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QTemporaryDir>
#include <QVariant>
#include <memory>

namespace mavo::test {

// A fresh embedded database in a temporary directory of its own, connected,
// with a default transaction (server defaults) for the test's own statements.
class TestDb {
public:
    enum class Kind {
        Ours, // created by the db layer, UTF8
        Host, // as the host's archives: default character set NONE, created by isql
    };
    explicit TestDb(const QString& fileName = "test.fdb", Kind kind = Kind::Ours);
    ~TestDb();

    db::Database& db() { return *db_; }
    db::Transaction& transaction() { return *transaction_; }
    QString path() const { return path_; }
    QString dir() const { return dir_.path(); }

    // Runs statements in a transaction of their own and commits.
    void exec(const QString& sql);
    void exec(const QStringList& statements);
    // First column of the first row (null QVariant when there is none), read in a fresh
    // transaction.
    QVariant scalar(const QString& sql);
    // Statements run by isql on this database as the host's Windows programs
    // run them (SET NAMES WIN1252, the text in Windows-1252), then a commit;
    // what isql printed.
    QString isql(const QString& statements);

private:
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<db::Database> db_;
    std::unique_ptr<db::Transaction> transaction_;
};

// Runs one statement on db in a new transaction and commits it.
void execOn(db::Database& db, const QString& sql);
QVariant scalarOn(db::Database& db, const QString& sql);

} // namespace mavo::test
