#include "FinestraNetti.h"

#include "support/Spegnimento.h"
#include "support/TestDb.h"

#include <QToolButton>
#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;
using Kind = ScriptedInterazione::Kind;

namespace {

// The archive goes away while an operation of the window runs, when its bar
// reaches the middle: the operation ends, the user is told once with the
// server's message, the window (and the host) go on, and once the archive is
// back nothing of the run is found in it.
class ConnessionePersa : public FinestraNetti {
protected:
    void spegniAMeta(const QString& percorso) {
        port.onProgress([this, percorso](int percentuale) {
            if (percentuale >= 50 && !spento) {
                spento = true;
                SpegniDatabase(percorso);
            }
        });
    }
    void unSoloErrore() {
        ASSERT_TRUE(spento);
        qsizetype errori = 0;
        for (const ScriptedInterazione::Message& m : port.messages())
            if (m.kind == Kind::Errore) {
                ++errori;
                EXPECT_TRUE(m.text.contains("shutdown")) << m.text.toStdString();
            }
        EXPECT_EQ(errori, 1);
        EXPECT_NE(port.messages().last().text, "Elaborazione completata");
    }
    void riattiva(const QString& percorso, db::Database& connessione) {
        connessione.disconnect();
        RiattivaDatabase(percorso);
        connessione.connect();
    }

    bool spento = false;
};

TEST_F(ConnessionePersa, DuranteLImportazione) {
    TSincroPrezziNettiForm& f = apri();
    spegniAMeta(ambiente.archivio);
    port.queueFile(ambiente.fileFornitore);
    f.ButtonSelezionaFile->click();
    unSoloErrore();
    // The emptying was committed before the file was read; none of its rows stayed.
    riattiva(ambiente.archivio, *archivio);
    EXPECT_EQ(righeStaging(), 0);
}

TEST_F(ConnessionePersa, DuranteLAggiornamentoDelListone) {
    const std::unique_ptr<db::Database> listino = ApriOCreaDatabaseDemo(ambiente.listino);
    // A trigger has each block of rows updated as it is read, so that the
    // connection goes with updates already sent.
    execOn(*listino, "CREATE TRIGGER LISTINO_BU FOR LISTINO BEFORE UPDATE AS BEGIN END");
    execOn(*listino, "CREATE TABLE LISTINO_PRIMA(ID INTEGER, PRLISTINO DECIMAL(15,5), "
                     "PRACQNETTO DECIMAL(15,5), NETPIUONER DECIMAL(15,5), "
                     "PREZZOVEN DECIMAL(15,5), PERCRICVEN DECIMAL(18,5))");
    execOn(*listino, "INSERT INTO LISTINO_PRIMA SELECT ID, PRLISTINO, PRACQNETTO, NETPIUONER, "
                     "PREZZOVEN, PERCRICVEN FROM LISTINO");
    TSincroPrezziNettiForm& f = apri();
    port.queueFile(ambiente.fileFornitore);
    f.ButtonSelezionaFile->click();
    ASSERT_EQ(port.messages().last().text, "Elaborazione completata");
    const qint64 staging = righeStaging();
    ASSERT_GT(staging, 0);

    spegniAMeta(ambiente.listino);
    port.queueConferma(true);
    f.ButtonAggNettiListone->click();
    unSoloErrore();

    riattiva(ambiente.listino, *listino);
    EXPECT_EQ(scalarOn(*listino, "SELECT COUNT(*) FROM LISTINO L JOIN LISTINO_PRIMA P ON "
                                 "P.ID=L.ID WHERE L.PRLISTINO IS DISTINCT FROM P.PRLISTINO OR "
                                 "L.PRACQNETTO IS DISTINCT FROM P.PRACQNETTO OR "
                                 "L.NETPIUONER IS DISTINCT FROM P.NETPIUONER OR "
                                 "L.PREZZOVEN IS DISTINCT FROM P.PREZZOVEN OR "
                                 "L.PERCRICVEN IS DISTINCT FROM P.PERCRICVEN")
                  .toLongLong(),
              0);
    EXPECT_EQ(scalarOn(*listino, "SELECT COUNT(*) FROM LISTINO").toLongLong(),
              scalarOn(*listino, "SELECT COUNT(*) FROM LISTINO_PRIMA").toLongLong());
    EXPECT_EQ(righeStaging(), staging);
}

} // namespace
