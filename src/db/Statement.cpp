#include "db/Statement.h"
#include "platform/ErroreProgrammazione.h"

#include "db/Database.h"
#include "db/Encoding.h"
#include "db/Engine.h"
#include "db/SqlParser.h"
#include "db/Transaction.h"
#include "db/Values.h"

#include <vector>

namespace mavo::db {

using namespace Firebird;

// Engine objects of a prepared statement and its message buffers.
struct Buffers {
    IStatement* statement = nullptr;
    IMessageMetadata* inMeta = nullptr;
    IMessageMetadata* outMeta = nullptr;
    IResultSet* cursor = nullptr;
    unsigned type = 0;
    QVector<values::Slot> inSlots;
    QVector<values::Slot> outSlots;
    QVector<FieldInfo> params;
    QVector<FieldInfo> columns;
    std::vector<unsigned char> in;
    std::vector<unsigned char> out;
    QVector<QVariant> pending; // one per distinct parameter
    bool hasRow = false;
    qint64 affected = 0;
};

Statement::Statement(Database* database, Transaction* transaction)
    : transaction_(transaction), b_(std::make_unique<Buffers>()) {
    setDatabase(database);
}

Statement::~Statement() {
    releaseHandles();
    if (database_)
        database_->statements_.erase(this);
}

void Statement::setDatabase(Database* database) {
    if (database_ == database)
        return;
    releaseHandles();
    if (database_)
        database_->statements_.erase(this);
    database_ = database;
    if (database_)
        database_->statements_.insert(this);
}

void Statement::setTransaction(Transaction* transaction) {
    if (transaction_ == transaction)
        return;
    releaseCursor();
    transaction_ = transaction;
}

Transaction* Statement::transaction() const {
    if (transaction_)
        return transaction_;
    return database_ ? database_->defaultTransaction() : nullptr;
}

Transaction& Statement::activeTransaction() {
    Transaction* t = transaction();
    if (!t)
        throw ErroreProgrammazione("Statement without a transaction");
    t->ensureActive();
    return *t;
}

void Statement::setSql(const QStringList& lines) {
    unprepare();
    sql_ = lines;
    parse();
}

void Statement::setParamCheck(bool check) {
    if (paramCheck_ == check)
        return;
    unprepare();
    paramCheck_ = check;
    parse();
}

void Statement::parse() {
    ParsedSql parsed = parseSql(sql_.join('\n'), paramCheck_);
    engineSql_ = parsed.text;
    paramNames_ = parsed.names;
    paramSlots_ = parsed.slots;
    paramByName_.clear();
    for (int i = 0; i < paramNames_.size(); ++i)
        paramByName_.insert(paramNames_[i], i);
    b_->pending = QVector<QVariant>(paramNames_.size());
}

bool Statement::prepared() const {
    return b_->statement != nullptr;
}

bool Statement::isSelect() const {
    return b_->type == isc_info_sql_stmt_select || b_->type == isc_info_sql_stmt_select_for_upd;
}

void Statement::prepare() {
    if (prepared())
        return;
    if (!database_)
        throw ErroreProgrammazione("Statement without a database");
    IAttachment* attachment = database_->attachment();
    Transaction& t = activeTransaction();
    const Charset charset = database_->charset();
    const QByteArray text = encoding::encode(engineSql_, charset);
    engine::call([&] {
        engine::Status st;
        b_->statement = attachment->prepare(&st, t.handle(), 0, text.constData(), 3,
                                            IStatement::PREPARE_PREFETCH_METADATA);
        b_->type = b_->statement->getType(&st);
        b_->inMeta = b_->statement->getInputMetadata(&st);
        b_->outMeta = b_->statement->getOutputMetadata(&st);
        b_->in.assign(b_->inMeta->getMessageLength(&st), 0);
        b_->out.assign(b_->outMeta->getMessageLength(&st), 0);
        const unsigned inCount = b_->inMeta->getCount(&st);
        const unsigned outCount = b_->outMeta->getCount(&st);
        b_->params.clear();
        for (unsigned i = 0; i < inCount; ++i)
            b_->params.append(values::describe(b_->inMeta, i, charset));
        b_->columns.clear();
        for (unsigned i = 0; i < outCount; ++i)
            b_->columns.append(values::describe(b_->outMeta, i, charset));
    });
    b_->inSlots = values::slots(b_->inMeta, charset);
    b_->outSlots = values::slots(b_->outMeta, charset);
    int expected = 0;
    for (const auto& s : paramSlots_)
        expected += s.size();
    if (expected != b_->inSlots.size()) {
        const int found = b_->inSlots.size();
        unprepare();
        throw DatabaseError(
            QStringLiteral("I parametri dell'istruzione non corrispondono a quelli attesi dal "
                           "server\nThe statement has %1 parameters, the engine expects %2")
                .arg(expected)
                .arg(found));
    }
}

void Statement::unprepare() {
    releaseCursor();
    if (b_->inMeta)
        b_->inMeta->release();
    if (b_->outMeta)
        b_->outMeta->release();
    if (b_->statement) {
        try {
            engine::Status st;
            b_->statement->free(&st);
        } catch (const FbException&) {
            b_->statement->release();
        }
    }
    b_->inMeta = nullptr;
    b_->outMeta = nullptr;
    b_->statement = nullptr;
    b_->type = 0;
    b_->columns.clear();
    b_->params.clear();
    b_->hasRow = false;
}

void Statement::releaseHandles() {
    unprepare();
}

void Statement::releaseCursor() {
    if (b_->cursor) {
        IResultSet* cursor = b_->cursor;
        b_->cursor = nullptr;
        try {
            engine::Status st;
            cursor->close(&st);
        } catch (const FbException&) {
            cursor->release();
        }
    }
    if (cursorTransaction_) {
        cursorTransaction_->cursors_.erase(this);
        cursorTransaction_ = nullptr;
    }
    b_->hasRow = false;
}

int Statement::paramCount() const {
    return paramNames_.size();
}

int Statement::paramIndex(const QString& name) const {
    return paramByName_.value(name.toUpper(), -1);
}

void Statement::setParam(const QString& name, const QVariant& value) {
    const int index = paramIndex(name);
    if (index < 0)
        throw ErroreProgrammazione("Parameter not found: " + name);
    b_->pending[index] = value;
}

void Statement::setParam(int index, const QVariant& value) {
    if (index < 0 || index >= b_->pending.size())
        throw ErroreProgrammazione(QStringLiteral("Parameter index out of range: %1").arg(index));
    b_->pending[index] = value;
}

const QVector<FieldInfo>& Statement::paramInfo() const {
    return b_->params;
}

QString Statement::paramType(const QString& name) const {
    const int index = paramIndex(name);
    if (index < 0 || !prepared())
        throw ErroreProgrammazione("Parameter not found: " + name);
    return values::declaration(b_->inSlots[paramSlots_[index].first()]);
}

QString Statement::columnType(int column) const {
    if (column < 0 || column >= b_->outSlots.size())
        throw ErroreProgrammazione(QStringLiteral("No column %1").arg(column));
    return values::declaration(b_->outSlots[column]);
}

void Statement::execute() {
    prepare();
    releaseCursor();
    Transaction& t = activeTransaction();
    IAttachment* attachment = database_->attachment();
    for (int p = 0; p < paramSlots_.size(); ++p)
        for (int slot : paramSlots_[p])
            values::write(b_->inSlots[slot], b_->in.data(), b_->pending[p], attachment, t.handle());
    engine::call([&] {
        engine::Status st;
        if (isSelect()) {
            b_->cursor = b_->statement->openCursor(&st, t.handle(), b_->inMeta, b_->in.data(),
                                                   b_->outMeta, 0);
            cursorTransaction_ = &t;
            t.cursors_.insert(this);
            b_->affected = 0;
        } else {
            b_->statement->execute(&st, t.handle(), b_->inMeta, b_->in.data(), b_->outMeta,
                                   b_->out.data());
            b_->hasRow = !b_->outSlots.isEmpty();
            b_->affected = static_cast<qint64>(b_->statement->getAffectedRecords(&st));
        }
    });
}

bool Statement::fetch() {
    if (!b_->cursor)
        return false;
    const int result = engine::call([&] {
        engine::Status st;
        return b_->cursor->fetchNext(&st, b_->out.data());
    });
    if (result == IStatus::RESULT_OK) {
        b_->hasRow = true;
        return true;
    }
    releaseCursor();
    return false;
}

bool Statement::isOpen() const {
    return b_->cursor != nullptr;
}

void Statement::close() {
    releaseCursor();
}

qint64 Statement::rowsAffected() const {
    return b_->affected;
}

const QVector<FieldInfo>& Statement::columns() const {
    return b_->columns;
}

int Statement::columnIndex(const QString& alias) const {
    for (int i = 0; i < b_->columns.size(); ++i)
        if (b_->columns[i].alias.compare(alias, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Statement::value(int column) const {
    if (!b_->hasRow || column < 0 || column >= b_->outSlots.size())
        throw ErroreProgrammazione(QStringLiteral("No value for column %1").arg(column));
    Transaction* t = cursorTransaction_ ? cursorTransaction_ : transaction();
    return values::read(b_->outSlots[column], b_->out.data(), database_->attachment(),
                        t ? t->handle() : nullptr);
}

QVariant Statement::value(const QString& alias) const {
    const int column = columnIndex(alias);
    if (column < 0)
        throw ErroreProgrammazione("Column not found: " + alias);
    return value(column);
}

bool Statement::isNull(int column) const {
    if (!b_->hasRow || column < 0 || column >= b_->outSlots.size())
        return true;
    return values::isNull(b_->outSlots[column], b_->out.data());
}

} // namespace mavo::db
