#include "db/Database.h"

#include "db/Engine.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QtGlobal>

namespace mavo::db {

using namespace Firebird;

Database::Database() = default;

Database::~Database() {
    try {
        disconnect();
    } catch (const DatabaseError&) {
        // A connection that cannot even be closed cleanly is dropped anyway.
    }
    for (Transaction* t : std::set<Transaction*>(transactions_))
        t->detachFromDatabase();
    for (Statement* s : std::set<Statement*>(statements_))
        s->database_ = nullptr;
}

QString Database::effectiveUser() const {
    if (!user_.isEmpty())
        return user_;
    const QString env = qEnvironmentVariable("ISC_USER");
    return env.isEmpty() ? QString(defaultUser) : env;
}

QString Database::effectivePassword() const {
    if (!password_.isEmpty())
        return password_;
    const QString env = qEnvironmentVariable("ISC_PASSWORD");
    return env.isEmpty() ? QString(defaultPassword) : env;
}

void Database::connect() {
    attach(false, 0);
}

void Database::create(int pageSize) {
    attach(true, pageSize);
}

void Database::attach(bool create, int pageSize) {
    if (connected())
        return;
    engine::call([&] {
        engine::Status st;
        IXpbBuilder* dpb = engine::util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
        struct Dispose {
            IXpbBuilder* b;
            ~Dispose() { b->dispose(); }
        } guard{dpb};
        dpb->insertString(&st, isc_dpb_user_name, effectiveUser().toUtf8().constData());
        dpb->insertString(&st, isc_dpb_password, effectivePassword().toUtf8().constData());
        dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
        dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
        if (create) {
            dpb->insertInt(&st, isc_dpb_page_size, pageSize);
            dpb->insertString(&st, isc_dpb_set_db_charset, "UTF8");
        }
        IProvider* provider = engine::master()->getDispatcher();
        const QByteArray path = name_.toUtf8();
        try {
            attachment_ =
                create ? provider->createDatabase(&st, path.constData(), dpb->getBufferLength(&st),
                                                  dpb->getBuffer(&st))
                       : provider->attachDatabase(&st, path.constData(), dpb->getBufferLength(&st),
                                                  dpb->getBuffer(&st));
        } catch (...) {
            provider->release();
            throw;
        }
        provider->release();
    });
}

void Database::disconnect() {
    if (!attachment_)
        return;
    for (Statement* s : std::set<Statement*>(statements_))
        s->releaseHandles();
    for (Transaction* t : std::set<Transaction*>(transactions_)) {
        if (t->active()) {
            try {
                t->rollback();
            } catch (const DatabaseError&) {
            }
        }
    }
    IAttachment* a = attachment_;
    attachment_ = nullptr;
    try {
        engine::Status st;
        a->detach(&st);
    } catch (const FbException&) {
        // The engine still owns resources (or the link is gone): drop the handle.
        a->release();
    }
}

IAttachment* Database::attachment() const {
    if (!attachment_)
        throw DatabaseError("Archivio non collegato: " + name_ + "\nDatabase not connected");
    return attachment_;
}

int Database::infoInteger(unsigned char item) const {
    unsigned char buffer[32] = {};
    engine::call([&] {
        engine::Status st;
        attachment()->getInfo(&st, 1, &item, sizeof(buffer), buffer);
    });
    if (buffer[0] != item)
        return 0;
    const short length = static_cast<short>(isc_portable_integer(buffer + 1, 2));
    return static_cast<int>(isc_portable_integer(buffer + 3, length));
}

int Database::pageSize() const {
    return infoInteger(isc_info_page_size);
}

int Database::sqlDialect() const {
    return infoInteger(isc_info_db_sql_dialect);
}

} // namespace mavo::db
