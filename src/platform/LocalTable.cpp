#include "platform/LocalTable.h"
#include "platform/SqlTesto.h"

#include "platform/IoError.h"
#include "platform/Paths.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace mavo {

namespace {

// Each file holds one table under this name; the file name is the table's.
// (A function, not a global: a table may be used during static initialisation.)
QString tableName() {
    return QStringLiteral("\"local_table\"");
}

struct TypeName {
    LocalField::Type type;
    const char* declared;
};

// The field types are kept as the declared column types of the SQLite table.
constexpr TypeName kTypeNames[] = {
    {LocalField::Type::String, "VARCHAR"},    {LocalField::Type::Integer, "INTEGER"},
    {LocalField::Type::SmallInt, "SMALLINT"}, {LocalField::Type::BigInt, "BIGINT"},
    {LocalField::Type::Float, "DOUBLE"},      {LocalField::Type::Date, "DATE"},
    {LocalField::Type::Memo, "TEXT"},         {LocalField::Type::AutoInc, "AUTOINC"},
    {LocalField::Type::Boolean, "BOOLEAN"},   {LocalField::Type::DateTime, "DATETIME"},
    {LocalField::Type::Time, "TIME"},
};

QString declaredType(const LocalField& field) {
    for (const TypeName& known : kTypeNames) {
        if (known.type == field.type) {
            const QString name = QString::fromLatin1(known.declared);
            return field.type == LocalField::Type::String
                       ? QStringLiteral("%1(%2)").arg(name).arg(field.size)
                       : name;
        }
    }
    return QString();
}

LocalField fieldFromDeclaration(const QString& name, const QString& declared) {
    LocalField field{name, LocalField::Type::Memo, 0};
    const qsizetype open = declared.indexOf(u'(');
    const QString base = declared.left(open).trimmed().toUpper();
    for (const TypeName& known : kTypeNames) {
        if (base == QLatin1String(known.declared)) {
            field.type = known.type;
        }
    }
    if (field.type == LocalField::Type::String && open >= 0) {
        field.size = declared.mid(open + 1, declared.indexOf(u')') - open - 1).toInt();
    }
    return field;
}

bool isInteger(LocalField::Type type) {
    return type == LocalField::Type::Integer || type == LocalField::Type::SmallInt ||
           type == LocalField::Type::BigInt || type == LocalField::Type::AutoInc;
}

int bind(sqlite3_stmt* statement, int index, const LocalField& field, const QVariant& value) {
    if (value.isNull()) {
        return sqlite3_bind_null(statement, index);
    }
    if (isInteger(field.type)) {
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    }
    switch (field.type) {
    case LocalField::Type::Float:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case LocalField::Type::Boolean:
        return sqlite3_bind_int(statement, index, value.toBool() ? 1 : 0);
    default:
        break;
    }
    QString text;
    switch (field.type) {
    case LocalField::Type::Date:
        text = value.toDate().toString(Qt::ISODate);
        break;
    case LocalField::Type::DateTime:
        text = value.toDateTime().toString(Qt::ISODateWithMs);
        break;
    case LocalField::Type::Time:
        text = value.toTime().toString(Qt::ISODateWithMs);
        break;
    default:
        text = value.toString();
    }
    if (field.type == LocalField::Type::String) {
        text.truncate(field.size);
    }
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()),
                             SQLITE_TRANSIENT);
}

QVariant column(sqlite3_stmt* statement, int index, const LocalField& field) {
    if (sqlite3_column_type(statement, index) == SQLITE_NULL) {
        return QVariant();
    }
    if (isInteger(field.type)) {
        return qlonglong(sqlite3_column_int64(statement, index));
    }
    const auto text = [&] {
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, index)),
            sqlite3_column_bytes(statement, index));
    };
    switch (field.type) {
    case LocalField::Type::Float:
        return sqlite3_column_double(statement, index);
    case LocalField::Type::Boolean:
        return sqlite3_column_int64(statement, index) != 0;
    case LocalField::Type::Date:
        return QDate::fromString(text(), Qt::ISODate);
    case LocalField::Type::DateTime:
        return QDateTime::fromString(text(), Qt::ISODateWithMs);
    case LocalField::Type::Time:
        return QTime::fromString(text(), Qt::ISODateWithMs);
    default:
        return text();
    }
}

// The lock is taken by a write transaction and, in exclusive locking mode,
// kept until the connection closes. No journal file is left beside the table:
// work tables need no durability.
bool takeExclusiveLock(sqlite3* connection) {
    return sqlite3_exec(connection,
                        "PRAGMA locking_mode=EXCLUSIVE;"
                        "PRAGMA journal_mode=MEMORY;"
                        "PRAGMA synchronous=OFF;"
                        "BEGIN EXCLUSIVE;"
                        "COMMIT;",
                        nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

void LocalTable::Closer::operator()(sqlite3* connection) const {
    sqlite3_close(connection);
}

void LocalTable::Closer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

LocalTable::LocalTable(const QString& directory, const QString& fileName)
    : directory_(directory), fileName_(fileName) {}

LocalTable::~LocalTable() = default;
LocalTable::LocalTable(LocalTable&&) noexcept = default;
LocalTable& LocalTable::operator=(LocalTable&&) noexcept = default;

void LocalTable::setFileName(const QString& fileName) {
    close();
    fileName_ = fileName;
}

QString LocalTable::filePath() const {
    return toLocalPath(withoutTrailingSeparator(directory_) + u'/' + fileName_);
}

bool LocalTable::exists() const {
    return QFileInfo(filePath()).isFile();
}

void LocalTable::create(const QList<LocalField>& fields, const QStringList& primaryIndex) {
    close();
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(filePath().toUtf8().constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    connection_.reset(raw);
    if (opened == SQLITE_OK && !takeExclusiveLock(raw)) {
        close();
        throw IoError(
            QStringLiteral("Tabella locale %1 in uso da un altro utente").arg(filePath()));
    }
    QStringList columns;
    for (const LocalField& field : fields) {
        columns << sql::identificatore(field.name) + u' ' + declaredType(field);
    }
    if (!primaryIndex.isEmpty()) {
        QStringList keys;
        for (const QString& key : primaryIndex) {
            keys << sql::identificatore(key);
        }
        columns << QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(u','));
    }
    try {
        if (opened != SQLITE_OK) {
            fail(QStringLiteral("creazione"));
        }
        execute(QStringLiteral("DROP TABLE IF EXISTS ") + tableName());
        execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(tableName(), columns.join(u',')));
        loadFields();
        prepareInsert();
    } catch (const IoError&) {
        close();
        throw;
    }
}

bool LocalTable::openExclusive() {
    if (isOpen()) {
        return true;
    }
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(filePath().toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    connection_.reset(raw);
    if (opened != SQLITE_OK || !takeExclusiveLock(raw)) {
        close();
        return false;
    }
    try {
        loadFields();
        prepareInsert();
    } catch (const IoError&) {
        close();
        return false;
    }
    return true;
}

void LocalTable::close() {
    insert_.reset();
    connection_.reset();
    fields_.clear();
    primaryIndex_.clear();
}

bool LocalTable::remove() {
    if (!exists()) {
        close();
        return true;
    }
    // Holding the lock while deleting keeps us from pulling the file from
    // under another holder.
    if (!openExclusive()) {
        return false;
    }
    const bool removed = QFile::remove(filePath());
    close();
    return removed;
}

void LocalTable::empty() {
    execute(QStringLiteral("DELETE FROM ") + tableName());
}

void LocalTable::insert(const QVariantList& values) {
    if (!isOpen()) {
        fail(QStringLiteral("inserimento"));
    }
    sqlite3_stmt* statement = insert_.get();
    sqlite3_reset(statement);
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        const QVariant value = i < values.size() ? values[i] : QVariant();
        if (bind(statement, int(i + 1), fields_[i], value) != SQLITE_OK) {
            fail(QStringLiteral("inserimento"));
        }
    }
    if (sqlite3_step(statement) != SQLITE_DONE) {
        fail(QStringLiteral("inserimento"));
    }
}

QList<QVariantList> LocalTable::rows() const {
    Reader all = reader();
    QList<QVariantList> result;
    while (!all.atEnd()) {
        result << all.next(4096);
    }
    return result;
}

void LocalTable::beginBatch() {
    execute(QStringLiteral("BEGIN"));
}

void LocalTable::commitBatch() {
    execute(QStringLiteral("COMMIT"));
}

LocalTable::Reader::Reader(const LocalTable& table, sqlite3_stmt* statement)
    : table_(&table), statement_(statement, [](sqlite3_stmt* s) { sqlite3_finalize(s); }) {}

LocalTable::Reader::~Reader() = default;
LocalTable::Reader::Reader(Reader&&) noexcept = default;

QList<QVariantList> LocalTable::Reader::next(int count) {
    QList<QVariantList> result;
    while (!atEnd_ && result.size() < count) {
        const int step = sqlite3_step(statement_.get());
        if (step == SQLITE_DONE) {
            atEnd_ = true;
            break;
        }
        if (step != SQLITE_ROW) {
            table_->fail(QStringLiteral("lettura"));
        }
        QVariantList row;
        for (qsizetype i = 0; i < table_->fields_.size(); ++i) {
            row << column(statement_.get(), int(i), table_->fields_[i]);
        }
        result << row;
    }
    return result;
}

qint64 LocalTable::count() const {
    if (!isOpen()) {
        fail(QStringLiteral("conteggio"));
    }
    const QByteArray sql = (QStringLiteral("SELECT COUNT(*) FROM ") + tableName()).toUtf8();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection_.get(), sql.constData(), -1, &raw, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("conteggio"));
    }
    const std::unique_ptr<sqlite3_stmt, Closer> statement(raw);
    if (sqlite3_step(raw) != SQLITE_ROW) {
        fail(QStringLiteral("conteggio"));
    }
    return sqlite3_column_int64(raw, 0);
}

LocalTable::Reader LocalTable::reader() const {
    if (!isOpen()) {
        fail(QStringLiteral("lettura"));
    }
    QStringList order;
    for (const QString& key : primaryIndex_) {
        order << sql::identificatore(key);
    }
    const QString sql =
        QStringLiteral("SELECT * FROM %1 ORDER BY %2")
            .arg(tableName(), order.isEmpty() ? QStringLiteral("rowid") : order.join(u','));
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection_.get(), sql.toUtf8().constData(), -1, &raw, nullptr) !=
        SQLITE_OK) {
        fail(QStringLiteral("lettura"));
    }
    return Reader(*this, raw);
}

void LocalTable::execute(const QString& sql) const {
    if (!isOpen() || sqlite3_exec(connection_.get(), sql.toUtf8().constData(), nullptr, nullptr,
                                  nullptr) != SQLITE_OK) {
        fail(sql);
    }
}

void LocalTable::fail(const QString& what) const {
    const QString reason = isOpen() ? QString::fromUtf8(sqlite3_errmsg(connection_.get()))
                                    : QStringLiteral("tabella non aperta");
    throw IoError(QStringLiteral("Tabella locale %1 (%2): %3").arg(filePath(), what, reason));
}

void LocalTable::loadFields() {
    fields_.clear();
    primaryIndex_.clear();
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(tableName()).toUtf8();
    if (sqlite3_prepare_v2(connection_.get(), sql.constData(), -1, &raw, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("struttura"));
    }
    const std::unique_ptr<sqlite3_stmt, Closer> statement(raw);
    QList<std::pair<int, QString>> keys; // position in the primary index, name
    while (sqlite3_step(raw) == SQLITE_ROW) {
        const auto text = [raw](int i) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, i)));
        };
        fields_ << fieldFromDeclaration(text(1), text(2));
        if (const int key = sqlite3_column_int(raw, 5); key > 0) {
            keys.append({key, text(1)});
        }
    }
    if (fields_.isEmpty()) {
        fail(QStringLiteral("struttura"));
    }
    std::sort(keys.begin(), keys.end());
    for (const auto& key : keys) {
        primaryIndex_ << key.second;
    }
}

void LocalTable::prepareInsert() {
    QStringList names;
    QStringList values;
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        const LocalField& field = fields_[i];
        const QString parameter = QStringLiteral("?%1").arg(i + 1);
        names << sql::identificatore(field.name);
        values << (field.type == LocalField::Type::AutoInc
                       ? QStringLiteral("COALESCE(%1,(SELECT IFNULL(MAX(%2),0)+1 FROM %3))")
                             .arg(parameter, sql::identificatore(field.name), tableName())
                       : parameter);
    }
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(tableName(), names.join(u','), values.join(u','))
                               .toUtf8();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection_.get(), sql.constData(), -1, &raw, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("inserimento"));
    }
    insert_.reset(raw);
}

} // namespace mavo
