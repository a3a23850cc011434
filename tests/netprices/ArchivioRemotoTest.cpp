#include "context/DataModuleMavo.h"
#include "context/TabXForm.h"
#include "grid/VEKGrid.h"
#include "host/demo/DemoEnvironment.h"
#include "netprices/ui/SincroPrezziNettiForm.h"
#include "platform/ScriptedInterazione.h"
#include "support/ServerFirebird.h"
#include "support/TestDb.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace mavo;
using namespace mavo::test;
using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

namespace {

// The demo host directory, its archives reached through a server of the
// tests' own: the user's settings name them "localhost/PORT:path".
class ArchivioRemoto : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("MAVO_HOST_DIR", host.path().toLocal8Bit());
        ambiente = CreaAmbienteDemo(host.path());
    }
    void TearDown() override {
        finestra.reset();
        modulo.reset();
        contesto.reset();
        qunsetenv("MAVO_HOST_DIR");
    }

    void imposta(const QString& chiave, const QString& valore) {
        const auto utenti = ApriOCreaDatabaseDemo(ambiente.utenti);
        db::Transaction scrittura(utenti.get());
        db::Statement aggiorna(utenti.get(), &scrittura);
        aggiorna.setSql({"UPDATE TABTERVALD SET VALORE=:VALORE",
                         "WHERE UTENTE=:UTENTE AND INTESTAZIONE=:DITTA AND PARAMETRO=:CHIAVE"});
        aggiorna.setParam("VALORE", valore);
        aggiorna.setParam("UTENTE", UtenteDemo);
        aggiorna.setParam("DITTA", DittaDemo);
        aggiorna.setParam("CHIAVE", chiave);
        aggiorna.execute();
        ASSERT_EQ(aggiorna.rowsAffected(), 1);
        scrittura.commit();
    }
    // What the entry builds for user 1.
    void preparaChiamata() {
        modulo.reset();
        contesto = std::make_unique<TTabXForm>(port, TTabXForm::ModoDatabase);
        contesto->SetUserPerNum(UtenteDemo);
        modulo = std::make_unique<TDataModuleMavo>(*contesto);
    }
    // Through the server: it holds the file while it has it open.
    qint64 conta(const QString& archivio, const QString& sql) {
        db::Database connessione;
        connessione.setDatabaseName(server.nome(archivio));
        connessione.connect();
        return scalarOn(connessione, sql).toLongLong();
    }

    ServerFirebird& server = ServerFirebird::Avviato();
    QTemporaryDir host;
    AmbienteDemo ambiente;
    ScriptedInterazione port;
    std::unique_ptr<TTabXForm> contesto;
    std::unique_ptr<TDataModuleMavo> modulo;
    std::unique_ptr<TSincroPrezziNettiForm> finestra;
};

TEST_F(ArchivioRemoto, FinestraSuArchiviDelServer) {
    imposta("Archivio", server.nome(ambiente.archivio));
    imposta("Directory listino", server.nome(ambiente.listino));
    preparaChiamata();
    EXPECT_TRUE(port.messages().isEmpty());
    EXPECT_EQ(contesto->IBDatabase1.databaseName(), server.nome(ambiente.archivio));
    EXPECT_EQ(contesto->IBDatabase2.databaseName(), server.nome(ambiente.listino));
    ASSERT_TRUE(contesto->IBDatabase1.connected());
    ASSERT_TRUE(contesto->IBDatabase2.connected());
    EXPECT_EQ(modulo->CodiceProgetto, 528u);

    finestra = std::make_unique<TSincroPrezziNettiForm>(*modulo, port);
    finestra->show();
    EXPECT_TRUE(finestra->QueryAnteprima.active());
    port.queueFile(ambiente.fileFornitore);
    finestra->ButtonSelezionaFile->click();
    EXPECT_EQ(port.messages().last(), (Message{Kind::Informazione, "Elaborazione completata"}));
    const qint64 staged = conta(ambiente.archivio, "SELECT COUNT(*) FROM MANUTENZIONENETTI");
    ASSERT_GT(staged, 0);
    finestra->QueryAnteprima.last();
    EXPECT_EQ(finestra->GridAnteprima->model()->rowCount(), staged);

    port.queueConferma(true);
    finestra->ButtonAggNettiListone->click();
    EXPECT_EQ(port.messages().last(), (Message{Kind::Informazione, "Elaborazione completata"}));
    EXPECT_GT(conta(ambiente.listino, "SELECT COUNT(*) FROM LISTINO WHERE PREZZOVEN=9999999"), 0);
    for (const Message& m : port.messages())
        EXPECT_NE(m.kind, Kind::Errore) << m.text.toStdString();
}

// A name on a server is not looked for on this machine; when the server has
// no such database the user is told with its message, and nothing is created.
TEST_F(ArchivioRemoto, ArchivioMancanteSulServer) {
    struct Caso {
        const char* chiave;
        QString locale;
        QString avviso;
        db::Database TTabXForm::*database;
    };
    const Caso casi[] = {
        {"Archivio", ambiente.archivio,
         "Attenzione: l'archivio non è stato trovato.\r\nImpossibile procedere",
         &TTabXForm::IBDatabase1},
        {"Directory listino", ambiente.listino,
         "Attenzione: il listone non è stato trovato.\r\nImpossibile procedere",
         &TTabXForm::IBDatabase2},
    };
    const QString mancante = host.path() + "/archivi/mancante.fdb";
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.chiave);
        port = ScriptedInterazione();
        imposta(caso.chiave, server.nome(mancante));
        preparaChiamata();
        ASSERT_EQ(port.messages().size(), 1);
        const Message& avviso = port.messages()[0];
        EXPECT_EQ(avviso.kind, Kind::Avviso);
        EXPECT_TRUE(avviso.text.startsWith(caso.avviso + "\r\n")) << avviso.text.toStdString();
        EXPECT_TRUE(avviso.text.mid(caso.avviso.size()).contains("mancante.fdb"))
            << avviso.text.toStdString();
        EXPECT_FALSE(((*contesto).*caso.database).connected());
        EXPECT_EQ(modulo->CodiceProgetto, 0u);
        EXPECT_FALSE(QFileInfo::exists(mancante));
        imposta(caso.chiave, caso.locale);
    }
}

} // namespace
