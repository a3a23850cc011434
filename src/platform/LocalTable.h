#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace mavo {

// Field of a local table. `size` is the width of a String field (longer texts
// are cut to it, as a string field does) and is ignored otherwise.
struct LocalField {
    enum class Type {
        String,
        Integer,
        SmallInt,
        BigInt,
        Float,
        Date,
        Memo,
        AutoInc,
        Boolean,
        DateTime,
        Time
    };

    QString name;
    Type type = Type::String;
    int size = 0;

    bool operator==(const LocalField&) const = default;
};

// A local work table: one SQLite file per table, named by the table's own file
// name ("RISPTMP.DB") in a directory. Only one holder at a time may have it
// open, in this process or in another: opening is exclusive and the lock lasts
// until close(). Rows are read in primary-index order, or in insertion order
// without a primary index. Failures other than "held by someone else" raise
// IoError.
class LocalTable {
public:
    // The directory as the system stores it (Windows-style or local), with or
    // without a trailing separator.
    LocalTable(const QString& directory, const QString& fileName);
    ~LocalTable();
    LocalTable(LocalTable&&) noexcept;
    LocalTable& operator=(LocalTable&&) noexcept;

    const QString& directory() const { return directory_; }
    const QString& fileName() const { return fileName_; }
    // Closes the table and points it at another file of the same directory.
    void setFileName(const QString& fileName);
    // The local path of the file.
    QString filePath() const;

    bool exists() const;

    // Creates the file, replacing the table it holds unless someone else has it
    // open (IoError), and leaves the new, empty table open.
    void create(const QList<LocalField>& fields, const QStringList& primaryIndex = {});

    // False when someone else holds the table, or the file is not a table this
    // program can open. An open table stays open (true).
    bool openExclusive();
    bool isOpen() const { return connection_ != nullptr; }
    void close();

    // Deletes the file, closing the table first. False when someone else holds
    // it or the file cannot be deleted; true when there is no file.
    bool remove();

    // The operations below need an open table.
    const QList<LocalField>& fields() const { return fields_; }
    void empty();
    // Values by field position; missing trailing values and null values store
    // null, except an AutoInc field, which then gets the next number.
    void insert(const QVariantList& values);
    // Nulls are null QVariants; Date fields give QDate, DateTime QDateTime,
    // Time QTime, Boolean fields bool, integers qlonglong, Float double,
    // texts QString.
    QList<QVariantList> rows() const;
    // How many rows the table holds, without reading them.
    qint64 count() const;

    // Many inserts in one go: thousands of times faster than one by one.
    void beginBatch();
    void commitBatch();

    // The rows of rows(), read a block at a time while the table stays open
    // and unchanged.
    class Reader {
    public:
        ~Reader();
        Reader(Reader&&) noexcept;
        QList<QVariantList> next(int count);
        bool atEnd() const { return atEnd_; }

    private:
        friend class LocalTable;
        Reader(const LocalTable& table, sqlite3_stmt* statement);
        const LocalTable* table_;
        std::unique_ptr<sqlite3_stmt, void (*)(sqlite3_stmt*)> statement_;
        bool atEnd_ = false;
    };
    Reader reader() const;

private:
    void execute(const QString& sql) const;
    [[noreturn]] void fail(const QString& what) const;
    void loadFields();
    void prepareInsert();

    struct Closer {
        void operator()(sqlite3* connection) const;
        void operator()(sqlite3_stmt* statement) const;
    };

    QString directory_;
    QString fileName_;
    QList<LocalField> fields_;
    QStringList primaryIndex_;
    std::unique_ptr<sqlite3, Closer> connection_;
    std::unique_ptr<sqlite3_stmt, Closer> insert_;
};

} // namespace mavo
