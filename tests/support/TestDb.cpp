#include "support/TestDb.h"

#include <gtest/gtest.h>

namespace mavo::test {

TestDb::TestDb(const QString& fileName)
    : path_(dir_.filePath(fileName)), db_(std::make_unique<db::Database>()),
      transaction_(std::make_unique<db::Transaction>()) {
    db_->setDatabaseName(path_);
    db_->create(4096);
    transaction_->setDefaultDatabase(db_.get());
    db_->setDefaultTransaction(transaction_.get());
}

TestDb::~TestDb() {
    transaction_.reset();
    db_.reset();
}

void TestDb::exec(const QString& sql) {
    execOn(*db_, sql);
}

void TestDb::exec(const QStringList& statements) {
    for (const QString& sql : statements)
        execOn(*db_, sql);
}

QVariant TestDb::scalar(const QString& sql) {
    return scalarOn(*db_, sql);
}

void execOn(db::Database& db, const QString& sql) {
    db::Transaction t(&db);
    db::Statement s(&db, &t);
    s.setParamCheck(false);
    s.setSql({sql});
    s.execute();
    t.commit();
}

QVariant scalarOn(db::Database& db, const QString& sql) {
    db::Transaction t(&db);
    db::Statement s(&db, &t);
    s.setParamCheck(false);
    s.setSql({sql});
    s.execute();
    QVariant v = s.fetch() ? s.value(0) : QVariant();
    s.close();
    t.commit();
    return v;
}

} // namespace mavo::test
