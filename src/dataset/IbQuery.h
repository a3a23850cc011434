#pragma once

#include "dataset/Dataset.h"

#include <QHash>
#include <QStringList>
#include <memory>

namespace mavo {

namespace db {
class Database;
class Transaction;
class Statement;
struct FieldInfo;
} // namespace db

// How a column of the engine is seen as a field.
FieldDef toFieldDef(const db::FieldInfo& info);

// Statements an editable query runs when a record is posted: parameters are
// the field names (":FIELD") and, for the modify statement, ":OLD_FIELD".
struct UpdateSql {
    QStringList modifySql;
    QStringList insertSql;
    QStringList deleteSql;
};

// A query over a Firebird database: SQL as lines, named parameters, records
// read in blocks (1000 by default) as navigation or a view needs them.
class IbQuery : public Dataset {
    Q_OBJECT
public:
    explicit IbQuery(QObject* parent = nullptr);
    ~IbQuery() override;

    QString className() const override { return QStringLiteral("TIBQuery"); }

    void setDatabase(db::Database* database);
    db::Database* database() const { return database_; }
    void setTransaction(db::Transaction* transaction);
    db::Transaction* transaction() const; // its own, else the database's default

    QStringList& sql() { return sql_; } // change only while closed
    const QStringList& sql() const { return sql_; }
    void setSql(const QStringList& lines);
    // Closes and lets the engine forget the prepared statement: a table it
    // named can then be dropped.
    void unprepare();
    void setParamCheck(bool check) { paramCheck_ = check; }
    bool paramCheck() const { return paramCheck_; }
    void setUnidirectional(bool unidirectional) { unidirectional_ = unidirectional; }
    void setBlockSize(int rows) { blockSize_ = rows > 0 ? rows : 1000; }
    int blockSize() const { return blockSize_; }

    // Parameters keep their values across openings.
    void setParam(const QString& name, const QVariant& value);
    QStringList paramNames();

    // Runs a statement that returns no records.
    void execSql();
    qint64 rowsAffected() const { return rowsAffected_; }

    void setUpdateObject(const UpdateSql* update) { update_ = update; }

    bool canFetchMore() const override;
    int fetchMore(int count) override;
    int fetchedCount() const { return fetched_; } // records read from the engine since open

protected:
    void doOpen() override;
    void doClose() override;
    void doPost(Record& record, bool inserting, const Record& old) override;
    void doDelete(const Record& record) override;

private:
    db::Statement& statement();
    void runUpdate(const QStringList& sql, const Record& record, const Record& old);

    db::Database* database_ = nullptr;
    db::Transaction* transaction_ = nullptr;
    QStringList sql_;
    bool paramCheck_ = true;
    bool unidirectional_ = false;
    int blockSize_ = 1000;
    QHash<QString, QVariant> params_;
    std::unique_ptr<db::Statement> statement_;
    QStringList preparedSql_;
    bool preparedCheck_ = true;
    const UpdateSql* update_ = nullptr;
    qint64 rowsAffected_ = 0;
    int fetched_ = 0;
    bool cursorOpen_ = false;
};

} // namespace mavo
