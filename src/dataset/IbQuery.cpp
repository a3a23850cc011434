#include "dataset/IbQuery.h"
#include "platform/ErroreProgrammazione.h"

#include "db/Database.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "db/Transaction.h"

namespace mavo {

FieldDef toFieldDef(const db::FieldInfo& info) {
    FieldDef def;
    def.name = info.alias.isEmpty() ? info.name : info.alias;
    def.origin = info.origin();
    def.required = !info.nullable;
    def.size = 0;
    switch (info.type) {
    case db::SqlType::Text:
    case db::SqlType::Varying:
        def.type = FieldType::String;
        def.size = info.size;
        break;
    case db::SqlType::SmallInt:
    case db::SqlType::Integer:
    case db::SqlType::BigInt:
        if (info.scale < 0) {
            def.type = FieldType::Float;
            def.scale = -info.scale;
        } else {
            def.type = info.type == db::SqlType::SmallInt  ? FieldType::SmallInt
                       : info.type == db::SqlType::Integer ? FieldType::Integer
                                                           : FieldType::LargeInt;
        }
        break;
    case db::SqlType::Float:
    case db::SqlType::Double:
        def.type = FieldType::Float;
        break;
    case db::SqlType::Date:
        def.type = FieldType::Date;
        break;
    case db::SqlType::Time:
        def.type = FieldType::Time;
        break;
    case db::SqlType::Timestamp:
        def.type = FieldType::DateTime;
        break;
    case db::SqlType::Boolean:
        def.type = FieldType::Boolean;
        break;
    case db::SqlType::Blob:
        def.type = info.isTextBlob() ? FieldType::Memo : FieldType::Blob;
        break;
    case db::SqlType::Unknown:
        def.type = FieldType::String;
        break;
    }
    return def;
}

IbQuery::IbQuery(QObject* parent) : Dataset(parent) {}

IbQuery::~IbQuery() {
    try {
        close();
    } catch (...) {
        // A query going away with its database must not take the caller down.
    }
}

void IbQuery::setDatabase(db::Database* database) {
    database_ = database;
    statement_.reset();
}

void IbQuery::setTransaction(db::Transaction* transaction) {
    transaction_ = transaction;
    if (statement_)
        statement_->setTransaction(transaction);
}

db::Transaction* IbQuery::transaction() const {
    if (transaction_)
        return transaction_;
    return database_ ? database_->defaultTransaction() : nullptr;
}

void IbQuery::setSql(const QStringList& lines) {
    sql_ = lines;
}

void IbQuery::setParam(const QString& name, const QVariant& value) {
    params_.insert(name.toUpper(), value);
}

QStringList IbQuery::paramNames() {
    return statement().paramNames();
}

void IbQuery::unprepare() {
    close();
    statement_.reset();
    preparedSql_.clear();
}

db::Statement& IbQuery::statement() {
    if (!database_)
        throw ErroreProgrammazione("Database not assigned");
    if (!statement_)
        statement_ = std::make_unique<db::Statement>(database_, transaction_);
    if (preparedSql_ != sql_ || preparedCheck_ != paramCheck_ || statement_->sql().isEmpty()) {
        statement_->setParamCheck(paramCheck_);
        statement_->setSql(sql_);
        preparedSql_ = sql_;
        preparedCheck_ = paramCheck_;
    }
    for (int i = 0; i < statement_->paramNames().size(); ++i)
        statement_->setParam(i, params_.value(statement_->paramNames()[i]));
    return *statement_;
}

void IbQuery::doOpen() {
    db::Statement& s = statement();
    s.execute();
    if (!s.isSelect())
        throw ErroreProgrammazione("The statement returns no records");
    QVector<FieldDef> defs;
    for (const db::FieldInfo& info : s.columns())
        defs << toFieldDef(info);
    defineFields(defs);
    fetched_ = 0;
    fetchMore(unidirectional_ ? 1 : blockSize_);
}

void IbQuery::doClose() {
    if (statement_)
        statement_->close();
    fetched_ = 0;
}

bool IbQuery::canFetchMore() const {
    return statement_ && statement_->isOpen();
}

int IbQuery::fetchMore(int count) {
    if (!canFetchMore())
        return 0;
    if (unidirectional_) {
        discardRead();
        count = 1;
    }
    std::vector<Record> block;
    block.reserve(static_cast<size_t>(count));
    const int columns = statement_->columnCount();
    while (static_cast<int>(block.size()) < count && statement_->fetch()) {
        Record r(columns);
        for (int c = 0; c < columns; ++c)
            r[c] = statement_->value(c);
        block.push_back(std::move(r));
    }
    fetched_ += static_cast<int>(block.size());
    return addRecords(std::move(block));
}

void IbQuery::execSql() {
    db::Statement& s = statement();
    s.execute();
    rowsAffected_ = s.rowsAffected();
    s.close();
}

void IbQuery::doPost(Record& record, bool inserting, const Record& old) {
    if (!update_)
        throw ErroreProgrammazione("The query cannot be modified");
    runUpdate(inserting ? update_->insertSql : update_->modifySql, record, old);
}

void IbQuery::doDelete(const Record& record) {
    if (!update_ || update_->deleteSql.isEmpty())
        throw ErroreProgrammazione("The query cannot delete its records");
    runUpdate(update_->deleteSql, record, record);
}

void IbQuery::runUpdate(const QStringList& sql, const Record& record, const Record& old) {
    db::Statement s(database_, transaction());
    s.setSql(sql);
    for (const QString& name : s.paramNames()) {
        const bool isOld = name.startsWith(QLatin1String("OLD_"));
        const Field* f = findField(isOld ? name.mid(4) : name);
        if (!f)
            throw db::DatabaseError(
                QStringLiteral("Campo %1 non trovato\nField '%1' not found").arg(name));
        s.setParam(name, (isOld ? old : record).value(f->fieldNo()));
    }
    s.execute();
}

} // namespace mavo
