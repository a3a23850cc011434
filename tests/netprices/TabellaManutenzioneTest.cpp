#include "netprices/TabellaManutenzione.h"
#include "context/TabXForm.h"
#include "db/Statement.h"
#include "platform/ScriptedInterazione.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {
namespace {

using Kind = ScriptedInterazione::Kind;

// Every opening of the window, every run of the tool, has a context of its own.
class TabellaManutenzioneTest : public ::testing::Test {
protected:
    bool prepara(bool azzera) {
        contesto = std::make_unique<TTabXForm>(port, TTabXForm::ModoNessuno);
        contesto->IBDatabase1.setDatabaseName(ditta.path());
        contesto->IBDatabase1.connect();
        return PreparaTabellaManutenzione(*contesto, azzera);
    }
    QVariant righe() { return ditta.scalar("SELECT COUNT(*) FROM MANUTENZIONENETTI"); }

    TestDb ditta{"ditta.fdb"};
    ScriptedInterazione port;
    std::unique_ptr<TTabXForm> contesto;
};

TEST_F(TabellaManutenzioneTest, CreataAlPrimoUsoPoiAzzerataSoloSeRichiesto) {
    ASSERT_TRUE(prepara(false));
    EXPECT_EQ(righe().toInt(), 0);
    ditta.exec("INSERT INTO MANUTENZIONENETTI VALUES('A1', 'Vite', 1.5)");

    ASSERT_TRUE(prepara(false));
    EXPECT_EQ(righe().toInt(), 1);
    ASSERT_TRUE(prepara(true));
    EXPECT_EQ(righe().toInt(), 0);
    EXPECT_TRUE(port.messages().isEmpty());
    // Committed with retained context: the transaction stays open for the preview.
    EXPECT_TRUE(contesto->IBTransaction1.active());
}

TEST_F(TabellaManutenzioneTest, CreazioneFallita) {
    // A procedure takes the name the table needs.
    ditta.exec("CREATE PROCEDURE MANUTENZIONENETTI AS BEGIN END");
    EXPECT_FALSE(prepara(true));
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages().first().kind, Kind::Errore);
    EXPECT_TRUE(port.messages().first().text.startsWith(
        "Errore interno durante la creazione della tabella MANUTENZIONI:\r"));
}

TEST_F(TabellaManutenzioneTest, AzzeramentoImpeditoDaUnAltroUtente) {
    ASSERT_TRUE(prepara(true));
    ditta.exec("INSERT INTO MANUTENZIONENETTI VALUES('A1', 'Vite', 1.5)");
    db::Transaction altro(&ditta.db());
    db::Statement blocca(&ditta.db(), &altro);
    blocca.setSql({"UPDATE MANUTENZIONENETTI SET PREZZO=2"});
    blocca.execute();
    EXPECT_FALSE(prepara(true));
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_TRUE(port.messages().first().text.startsWith(
        "Errore interno durante l'azzeramento della tabella MANUTENZIONI:\r"));
    altro.rollback();
    EXPECT_EQ(righe().toInt(), 1);
}

} // namespace
} // namespace mavo::test
