#include "db/Transaction.h"

#include "db/Database.h"
#include "db/Engine.h"
#include "db/Statement.h"

#include "platform/ErroreProgrammazione.h"

#include <QHash>
#include <memory>

namespace mavo::db {

using namespace Firebird;

namespace {

// The TPB items a transaction may name, with or without the "isc_tpb_" prefix.
const QHash<QString, unsigned char>& tpbItems() {
    static const QHash<QString, unsigned char> items{
        {"consistency", isc_tpb_consistency},
        {"concurrency", isc_tpb_concurrency},
        {"read_committed", isc_tpb_read_committed},
        {"rec_version", isc_tpb_rec_version},
        {"no_rec_version", isc_tpb_no_rec_version},
        {"wait", isc_tpb_wait},
        {"nowait", isc_tpb_nowait},
        {"read", isc_tpb_read},
        {"write", isc_tpb_write},
        {"lock_timeout", isc_tpb_lock_timeout},
        {"no_auto_undo", isc_tpb_no_auto_undo},
    };
    return items;
}

QByteArray buildTpb(const QStringList& params) {
    if (params.isEmpty())
        return {};
    return engine::call([&] {
        engine::Status st;
        IXpbBuilder* tpb = engine::util()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
        // Disposed however the building ends, an engine failure included.
        const std::unique_ptr<IXpbBuilder, void (*)(IXpbBuilder*)> guard(
            tpb, [](IXpbBuilder* b) { b->dispose(); });
        for (const QString& raw : params) {
            QString item = raw.trimmed().toLower();
            if (item.isEmpty())
                continue;
            QString value;
            if (const int eq = item.indexOf('='); eq >= 0) {
                value = item.mid(eq + 1).trimmed();
                item = item.left(eq).trimmed();
            }
            if (item.startsWith("isc_tpb_"))
                item = item.mid(8);
            const auto it = tpbItems().find(item);
            if (it == tpbItems().end())
                throw ErroreProgrammazione("Unknown transaction parameter: " + raw);
            if (it.value() == isc_tpb_lock_timeout)
                tpb->insertInt(&st, it.value(), value.toInt());
            else
                tpb->insertTag(&st, it.value());
        }
        return QByteArray(reinterpret_cast<const char*>(tpb->getBuffer(&st)),
                          static_cast<int>(tpb->getBufferLength(&st)));
    });
}

} // namespace

Transaction::Transaction(Database* database) {
    setDefaultDatabase(database);
}

Transaction::~Transaction() {
    // A rollback that fails (the connection is gone) has released the handle
    // already: nothing is left to free, and nothing may leave a destructor.
    if (active()) {
        try {
            rollback();
        } catch (...) {
        }
    }
    detachFromDatabase();
    for (Statement* s : std::set<Statement*>(cursors_))
        s->releaseCursor();
}

void Transaction::setDefaultDatabase(Database* database) {
    if (database_ == database)
        return;
    detachFromDatabase();
    database_ = database;
    if (database_)
        database_->transactions_.insert(this);
}

void Transaction::detachFromDatabase() {
    if (database_) {
        database_->transactions_.erase(this);
        if (database_->defaultTransaction() == this)
            database_->setDefaultTransaction(nullptr);
    }
    database_ = nullptr;
}

void Transaction::start() {
    if (!database_)
        throw ErroreProgrammazione("Transaction without a database");
    if (active())
        throw ErroreProgrammazione("Transaction is already active");
    const QByteArray tpb = buildTpb(params_);
    IAttachment* attachment = database_->attachment();
    handle_ = engine::call([&] {
        engine::Status st;
        return attachment->startTransaction(
            &st, static_cast<unsigned>(tpb.size()),
            reinterpret_cast<const unsigned char*>(tpb.constData()));
    });
}

void Transaction::ensureActive() {
    if (!active())
        start();
}

void Transaction::ended() {
    handle_ = nullptr;
    for (Statement* s : std::set<Statement*>(cursors_))
        s->releaseCursor();
}

void Transaction::commit() {
    if (!active())
        throw ErroreProgrammazione("Transaction is not active");
    // Cursors go before the transaction: the engine closes them anyway.
    for (Statement* s : std::set<Statement*>(cursors_))
        s->releaseCursor();
    engine::call([&] {
        engine::Status st;
        handle_->commit(&st);
    });
    ended();
}

void Transaction::rollback() {
    if (!active())
        throw ErroreProgrammazione("Transaction is not active");
    for (Statement* s : std::set<Statement*>(cursors_))
        s->releaseCursor();
    ITransaction* h = handle_;
    try {
        engine::call([&] {
            engine::Status st;
            h->rollback(&st);
        });
    } catch (const DatabaseError&) {
        h->release();
        ended();
        throw;
    }
    ended();
}

void Transaction::commitRetaining() {
    if (!active())
        throw ErroreProgrammazione("Transaction is not active");
    engine::call([&] {
        engine::Status st;
        handle_->commitRetaining(&st);
    });
}

void Transaction::rollbackRetaining() {
    if (!active())
        throw ErroreProgrammazione("Transaction is not active");
    engine::call([&] {
        engine::Status st;
        handle_->rollbackRetaining(&st);
    });
}

} // namespace mavo::db
