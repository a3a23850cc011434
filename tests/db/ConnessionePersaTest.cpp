#include "support/ServerFirebird.h"
#include "support/Spegnimento.h"
#include "support/TestDb.h"

#include "db/DatabaseError.h"

#include <functional>
#include <gtest/gtest.h>

using namespace mavo;
using mavo::test::TestDb;

namespace {

// What ends a transaction whose connection has gone, and whether the handle
// is gone with it (a failed commit leaves the work to a rollback).
struct FineSenzaConnessione {
    const char* caso;
    std::function<void(db::Transaction&)> fine;
    bool restaAttiva;
    bool puoRiuscire = false; // nothing is lost if it does
};

const FineSenzaConnessione finiSenzaConnessione[] = {
    {"Commit", [](db::Transaction& t) { t.commit(); }, true},
    {"CommitRetaining", [](db::Transaction& t) { t.commitRetaining(); }, true},
    {"Rollback", [](db::Transaction& t) { t.rollback(); }, false, true},
    {"RollbackRetaining", [](db::Transaction& t) { t.rollbackRetaining(); }, true},
};

// How the connection goes: the database shut down under an embedded
// attachment, or the server of a remote one killed.
struct Perdita {
    const char* caso;
    std::function<QString(const QString& percorso)> nome; // of the connection
    std::function<void(const QString& percorso)> perdi;
    std::function<void(const QString& percorso)> ripristina; // the file usable again here
};

const Perdita perdite[] = {
    {"Spegnimento", [](const QString& percorso) { return percorso; },
     [](const QString& percorso) { test::SpegniDatabase(percorso); },
     [](const QString& percorso) { test::RiattivaDatabase(percorso); }},
    {"ServerFermato",
     [](const QString& percorso) { return test::ServerFirebird::Avviato().nome(percorso); },
     [](const QString&) { test::ServerFirebird::Ferma(); }, [](const QString&) {}},
};

// Each way fails with the server's message (or the client's, when the server
// is gone); then the destructors of the cursor, the transaction and the
// connection (each rolling back what is left) run on the dead connection
// without a crash or a double free (run it under valgrind to see the
// latter), and nothing of the work was committed.
TEST(ConnessionePersa, FineFallitaEDistruttoriSenzaDanni) {
    for (const Perdita& perdita : perdite)
        for (const FineSenzaConnessione& caso : finiSenzaConnessione) {
            SCOPED_TRACE(std::string(perdita.caso) + ' ' + caso.caso);
            TestDb archivio;
            archivio.exec({"CREATE TABLE T(ID INTEGER NOT NULL PRIMARY KEY)",
                           "INSERT INTO T VALUES(1)", "INSERT INTO T VALUES(2)"});
            // A server opens the file for itself alone.
            archivio.db().disconnect();
            {
                db::Database connessione;
                connessione.setDatabaseName(perdita.nome(archivio.path()));
                connessione.connect();
                db::Transaction transazione(&connessione);
                db::Statement scrittura(&connessione, &transazione);
                scrittura.setSql({"INSERT INTO T VALUES(3)"});
                scrittura.execute();
                db::Statement cursore(&connessione, &transazione);
                cursore.setSql({"SELECT ID FROM T"});
                cursore.execute();
                ASSERT_TRUE(cursore.fetch());

                perdita.perdi(archivio.path());
                try {
                    caso.fine(transazione);
                    // Without a server the client ends a rollback by itself.
                    EXPECT_TRUE(caso.puoRiuscire) << "ended on a dead connection";
                    EXPECT_FALSE(transazione.active());
                } catch (const db::DatabaseError&) {
                    EXPECT_EQ(transazione.active(), caso.restaAttiva);
                }
            }
            perdita.ripristina(archivio.path());
            archivio.db().connect();
            EXPECT_EQ(archivio.scalar("SELECT LIST(ID) FROM T").toString(), "1,2");
        }
}

} // namespace
