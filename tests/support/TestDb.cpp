#include "support/TestDb.h"

#include "platform/Isql.h"
#include "platform/SqlTesto.h"

#include <gtest/gtest.h>

namespace mavo::test {

namespace {

QString utente() {
    return "USER 'SYSDBA' PASSWORD 'x'";
}

} // namespace

TestDb::TestDb(const QString& fileName, Kind kind)
    : path_(dir_.filePath(fileName)), db_(std::make_unique<db::Database>()),
      transaction_(std::make_unique<db::Transaction>()) {
    db_->setDatabaseName(path_);
    if (kind == Kind::Ours) {
        db_->create(4096);
    } else {
        EseguiIsqlWin1252("CREATE DATABASE " + sql::letterale(path_) + ' ' + utente() +
                          " PAGE_SIZE 4096 DEFAULT CHARACTER SET NONE;");
        db_->connect();
    }
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

QString TestDb::isql(const QString& statements) {
    return EseguiIsqlWin1252("CONNECT " + sql::letterale(path_) + ' ' + utente() + ";\n" +
                             statements);
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
