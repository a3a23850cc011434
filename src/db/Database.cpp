#include "db/Database.h"

#include "db/Engine.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QHash>
#include <QtGlobal>
#include <mutex>
#include <optional>

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

namespace {

// What a database was found to speak, by name, so that later connections to
// it attach once. The creation stamp tells a database made again under the
// same name (a restore, a new file) from the one that was asked.
struct Known {
    Charset charset;
    QByteArray created;
};
std::mutex knownMutex;
QHash<QString, Known>& known() {
    static QHash<QString, Known> k;
    return k;
}

std::optional<Known> knownFor(const QString& name) {
    const std::lock_guard lock(knownMutex);
    const auto it = known().constFind(name);
    return it == known().cend() ? std::nullopt : std::optional<Known>(*it);
}

void remember(const QString& name, Known k) {
    const std::lock_guard lock(knownMutex);
    known().insert(name, std::move(k));
}

} // namespace

void Database::connect() {
    if (connected())
        return;
    // Nothing but the attachment is open yet: a failure leaves it closed.
    const auto orDetach = [this](auto&& f) {
        try {
            return f();
        } catch (...) {
            detach();
            throw;
        }
    };
    if (const std::optional<Known> k = knownFor(name_)) {
        attach(false, 0, k->charset);
        if (orDetach([this] { return creationStamp(); }) == k->created)
            return;
        detach();
    }
    // Firebird fixes the character set when attaching: ask in UTF8, and attach
    // again when the database wants another.
    attach(false, 0, Charset::Utf8);
    const Known found = orDetach([this] { return Known{defaultCharset(), creationStamp()}; });
    const Charset wanted = found.charset;
    remember(name_, found);
    if (wanted != Charset::Utf8) {
        detach();
        attach(false, 0, wanted);
    }
}

void Database::create(int pageSize) {
    if (connected())
        return;
    attach(true, pageSize, Charset::Utf8);
    remember(name_, {Charset::Utf8, creationStamp()});
}

// NONE (a NULL name) and WIN1252 are what the host's Windows programs write
// in: Windows-1252 bytes. For any other default the engine converts declared
// texts to UTF8 itself and refuses what a column cannot hold.
Charset Database::defaultCharset() {
    Transaction t(this);
    Statement s(this, &t);
    s.setParamCheck(false);
    s.setSql({"SELECT TRIM(RDB$CHARACTER_SET_NAME) FROM RDB$DATABASE"});
    s.execute();
    const QString name = s.fetch() ? s.value(0).toString() : QString();
    s.close();
    t.commit();
    return name.isEmpty() || name == "NONE" || name == "WIN1252" ? Charset::Win1252 : Charset::Utf8;
}

void Database::attach(bool create, int pageSize, Charset charset) {
    engine::call([&] {
        engine::Status st;
        IXpbBuilder* dpb = engine::util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
        struct Dispose {
            IXpbBuilder* b;
            ~Dispose() { b->dispose(); }
        } guard{dpb};
        dpb->insertString(&st, isc_dpb_user_name, effectiveUser().toUtf8().constData());
        dpb->insertString(&st, isc_dpb_password, effectivePassword().toUtf8().constData());
        dpb->insertString(&st, isc_dpb_lc_ctype, charset == Charset::Win1252 ? "WIN1252" : "UTF8");
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
    charset_ = charset;
}

// Only for an attachment with nothing of ours open on it.
void Database::detach() {
    IAttachment* a = attachment_;
    attachment_ = nullptr;
    try {
        engine::Status st;
        a->detach(&st);
    } catch (const FbException&) {
        a->release();
    }
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
    // When the engine still owns resources (or the link is gone) the handle is dropped.
    detach();
}

IAttachment* Database::attachment() const {
    if (!attachment_)
        throw DatabaseError("Archivio non collegato: " + name_ + "\nDatabase not connected");
    return attachment_;
}

// The value of one information item, empty when the engine has none.
QByteArray Database::info(unsigned char item) const {
    unsigned char buffer[32] = {};
    engine::call([&] {
        engine::Status st;
        attachment()->getInfo(&st, 1, &item, sizeof(buffer), buffer);
    });
    if (buffer[0] != item)
        return {};
    const auto length = static_cast<qsizetype>(isc_portable_integer(buffer + 1, 2));
    if (length < 0 || length > qsizetype(sizeof(buffer)) - 3)
        return {};
    return QByteArray(reinterpret_cast<const char*>(buffer + 3), length);
}

int Database::infoInteger(unsigned char item) const {
    const QByteArray value = info(item);
    return static_cast<int>(
        isc_portable_integer(reinterpret_cast<const unsigned char*>(value.constData()),
                             static_cast<short>(value.size())));
}

QByteArray Database::creationStamp() const {
    return info(isc_info_creation_date);
}

int Database::pageSize() const {
    return infoInteger(isc_info_page_size);
}

int Database::sqlDialect() const {
    return infoInteger(isc_info_db_sql_dialect);
}

} // namespace mavo::db
