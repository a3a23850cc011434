#pragma once

#include <QStringList>
#include <set>

namespace Firebird {
class ITransaction;
}

namespace mavo::db {

class Database;
class Statement;

// A short write transaction: sees what others committed, never waits on a
// lock another holds (the conflict is reported at once).
inline const QStringList TpbScritturaBreve = {"isc_tpb_write", "isc_tpb_read_committed",
                                              "isc_tpb_rec_version", "isc_tpb_nowait"};

// A transaction on one database. Parameters use the engine's names:
// "isc_tpb_concurrency", "isc_tpb_nowait", "isc_tpb_lock_timeout=5", ...
// (the "isc_tpb_" prefix may be left out); none means the server's defaults.
class Transaction {
public:
    explicit Transaction(Database* database = nullptr);
    ~Transaction(); // rolls back what is still active
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void setDefaultDatabase(Database* database);
    Database* defaultDatabase() const { return database_; }
    void setParams(const QStringList& params) { params_ = params; }
    const QStringList& params() const { return params_; }

    void start();
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();
    bool active() const { return handle_ != nullptr; }
    // Starts the transaction when it is not active (what opening a query does).
    void ensureActive();

    Firebird::ITransaction* handle() const { return handle_; }

private:
    friend class Statement;
    friend class Database;
    void ended(); // the engine transaction is gone: open cursors die with it
    void detachFromDatabase();

    Database* database_ = nullptr;
    QStringList params_;
    Firebird::ITransaction* handle_ = nullptr;
    std::set<Statement*> cursors_;
};

} // namespace mavo::db
