#pragma once

#include "db/FieldInfo.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace mavo::db {

class Database;
class Transaction;
struct Buffers;

// A statement written as a list of lines. Named parameters (":CODICE") may
// appear several times and are set once; with parameter checking off the text
// goes to the engine as it is. Prepared once, executed many times. A select
// opens a forward-only cursor read with fetch().
class Statement {
public:
    Statement(Database* database, Transaction* transaction = nullptr);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void setDatabase(Database* database);
    void setTransaction(Transaction* transaction);
    Database* database() const { return database_; }
    Transaction* transaction() const; // its own, else the database's default

    void setSql(const QStringList& lines);
    const QStringList& sql() const { return sql_; }
    void setParamCheck(bool check);
    bool paramCheck() const { return paramCheck_; }

    void prepare();
    void unprepare();
    bool prepared() const;
    bool isSelect() const;

    // Parameters: by name (case-insensitive) or by position among the distinct names.
    const QStringList& paramNames() const { return paramNames_; }
    int paramCount() const;
    int paramIndex(const QString& name) const; // -1 when absent
    void setParam(const QString& name, const QVariant& value); // a null QVariant is NULL
    void setParam(int index, const QVariant& value);
    const QVector<FieldInfo>& paramInfo() const;
    // A parameter's type as the engine described its first use, and a
    // column's, written as PSQL declares them; the statement must be prepared.
    QString paramType(const QString& name) const;
    QString columnType(int column) const;

    // Runs the statement; a select opens its cursor (closing a previous one).
    void execute();
    bool fetch(); // next row; false at the end (the cursor is then closed)
    bool isOpen() const;
    void close();
    qint64 rowsAffected() const;

    // The answer's columns and the current row.
    const QVector<FieldInfo>& columns() const;
    int columnCount() const { return columns().size(); }
    int columnIndex(const QString& alias) const; // -1 when absent
    QVariant value(int column) const;            // null QVariant for NULL
    QVariant value(const QString& alias) const;
    bool isNull(int column) const;

    // The statement text as sent to the engine (named parameters replaced by '?').
    const QString& engineSql() const { return engineSql_; }

private:
    friend class Transaction;
    friend class Database;
    void parse();
    void releaseCursor();
    void releaseHandles();
    Transaction& activeTransaction();

    Database* database_ = nullptr;
    Transaction* transaction_ = nullptr;
    Transaction* cursorTransaction_ = nullptr;
    QStringList sql_;
    bool paramCheck_ = true;
    QString engineSql_;
    QStringList paramNames_;             // distinct names, in order of first use
    QVector<QVector<int>> paramSlots_;   // name index -> engine parameter positions
    QHash<QString, int> paramByName_;
    std::unique_ptr<Buffers> b_;
};

} // namespace mavo::db
