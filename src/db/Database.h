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

    void connect();
    // Creates the database (dialect 3, UTF8 as default character set) and leaves it connected.
    void create(int pageSize = 4096);
    void disconnect();
    bool connected() const { return attachment_ != nullptr; }

    void setDefaultTransaction(Transaction* transaction) { defaultTransaction_ = transaction; }
    Transaction* defaultTransaction() const { return defaultTransaction_; }

    int pageSize() const;
    int sqlDialect() const;

    // Engine handle, for the rest of this layer only.
    Firebird::IAttachment* attachment() const;

private:
    friend class Transaction;
    friend class Statement;
    void attach(bool create, int pageSize);
    int infoInteger(unsigned char item) const;

    QString name_;
    QString user_;
    QString password_;
    Firebird::IAttachment* attachment_ = nullptr;
    Transaction* defaultTransaction_ = nullptr;
    std::set<Transaction*> transactions_;
    std::set<Statement*> statements_;
};

} // namespace mavo::db
