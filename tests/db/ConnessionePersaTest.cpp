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
};

const FineSenzaConnessione finiSenzaConnessione[] = {
    {"Commit", [](db::Transaction& t) { t.commit(); }, true},
    {"CommitRetaining", [](db::Transaction& t) { t.commitRetaining(); }, true},
    {"Rollback", [](db::Transaction& t) { t.rollback(); }, false},
    {"RollbackRetaining", [](db::Transaction& t) { t.rollbackRetaining(); }, true},
};

// Each way fails with the server's message; then the destructors of the
// cursor, the transaction and the connection (each rolling back what is
// left) run on the dead connection without a crash or a double free (run it
// under valgrind to see the latter), and nothing of the work was committed.
TEST(ConnessionePersa, FineFallitaEDistruttoriSenzaDanni) {
    for (const FineSenzaConnessione& caso : finiSenzaConnessione) {
        SCOPED_TRACE(caso.caso);
        TestDb archivio;
        archivio.exec({"CREATE TABLE T(ID INTEGER NOT NULL PRIMARY KEY)", "INSERT INTO T VALUES(1)",
                       "INSERT INTO T VALUES(2)"});
        {
            db::Database connessione;
            connessione.setDatabaseName(archivio.path());
            connessione.connect();
            db::Transaction transazione(&connessione);
            db::Statement scrittura(&connessione, &transazione);
            scrittura.setSql({"INSERT INTO T VALUES(3)"});
            scrittura.execute();
            db::Statement cursore(&connessione, &transazione);
            cursore.setSql({"SELECT ID FROM T"});
            cursore.execute();
            ASSERT_TRUE(cursore.fetch());

            test::SpegniDatabase(archivio.path());
            try {
                caso.fine(transazione);
                ADD_FAILURE() << "ended on a dead connection";
            } catch (const db::DatabaseError& e) {
                EXPECT_TRUE(e.message().contains("shutdown")) << e.message().toStdString();
            }
            EXPECT_EQ(transazione.active(), caso.restaAttiva);
        }
        archivio.db().disconnect();
        test::RiattivaDatabase(archivio.path());
        archivio.db().connect();
        EXPECT_EQ(archivio.scalar("SELECT LIST(ID) FROM T").toString(), "1,2");
    }
}

} // namespace
