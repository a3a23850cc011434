#pragma once

#include <QString>
#include <QStringList>
#include <set>

namespace Firebird {
class IAttachment;
}

namespace mavo::db {

class Transaction;
class Statement;

// The character set a connection speaks: every text crossing it (statements,
// values, names, the engine's messages) is written and read in it.
enum class Charset { Utf8, Win1252 };

// One connection to a Firebird database. A path without host runs the
// embedded engine in-process; "host:path" goes to a server.
class Database {
public:
    static constexpr const char* defaultUser = "SYSDBA";
    static constexpr const char* defaultPassword = "tulmarexo";

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void setDatabaseName(const QString& name) { name_ = name; }
    const QString& databaseName() const { return name_; }
    // Empty user or password fall back to ISC_USER / ISC_PASSWORD, then to the host's defaults.
    void setUser(const QString& user) { user_ = user; }
    void setPassword(const QString& password) { password_ = password; }
    QString effectiveUser() const;
    QString effectivePassword() const;

    // The connection speaks the database's default character set: WIN1252
    // for NONE and WIN1252 (the host's archives, written by Windows programs),
    // UTF8 for any other, whose texts the engine itself converts.
    void connect();
    // Creates the database (dialect 3, UTF8 as default character set) and leaves it connected.
    void create(int pageSize = 4096);
    void disconnect();
    bool connected() const { return attachment_ != nullptr; }
    // The connection's character set; meaningful while connected.
    Charset charset() const { return charset_; }

    void setDefaultTransaction(Transaction* transaction) { defaultTransaction_ = transaction; }
    Transaction* defaultTransaction() const { return defaultTransaction_; }

    int pageSize() const;
    int sqlDialect() const;

    // Engine handle, for the rest of this layer only.
    Firebird::IAttachment* attachment() const;

private:
    friend class Transaction;
    friend class Statement;
    void attach(bool create, int pageSize, Charset charset);
    void detach();
    Charset defaultCharset();
    QByteArray creationStamp() const;
    QByteArray info(unsigned char item) const;
    int infoInteger(unsigned char item) const;

    QString name_;
    QString user_;
    QString password_;
    Firebird::IAttachment* attachment_ = nullptr;
    Charset charset_ = Charset::Utf8;
    Transaction* defaultTransaction_ = nullptr;
    std::set<Transaction*> transactions_;
    std::set<Statement*> statements_;
};

} // namespace mavo::db
