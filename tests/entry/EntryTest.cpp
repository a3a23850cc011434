#include "entry/Entry.h"
#include "context/DataModuleMavo.h"
#include "context/TabXForm.h"
#include "db/Database.h"
#include "host/demo/DemoEnvironment.h"
#include "platform/Formats.h"
#include "platform/ScriptedInterazione.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;
using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

namespace {

const Message avvisoArchivio{
    Kind::Avviso, "Attenzione: l'archivio non è stato trovato.\r\nImpossibile procedere"};
const Message avvisoListone{Kind::Avviso,
                            "Attenzione: il listone non è stato trovato.\r\nImpossibile procedere"};

// A host directory (MAVO_HOST_DIR) with user 1 of company DEMO, whose settings
// name the two archives; each archive exists only when a test creates it.
class Ingresso : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("MAVO_HOST_DIR", host.path().toLocal8Bit());
        utenti = ApriOCreaDatabaseDemo(host.filePath("user/user.fdb"));
        CreaSchemaUtenti(*utenti);
        AggiungiUtente(*utenti, 1, "DEMO", "DEMO");
        imposta("Archivio", archivio);
        imposta("Directory listino", listino);
        imposta("Directory bin", host.path() + "/bin/");
        imposta("Directory tabelle temporanee", host.path() + "/temp/");
    }
    void TearDown() override {
        // A call that opened its window frees it, and the call, before the host directory goes.
        for (QWidget* finestra : QApplication::topLevelWidgets())
            finestra->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        utenti.reset();
        qunsetenv("MAVO_HOST_DIR");
    }

    void imposta(const QString& chiave, const QString& valore) {
        scalarOn(*utenti, "DELETE FROM TABTERVALD WHERE PARAMETRO='" + chiave + "'");
        AggiungiImpostazione(*utenti, 1, "DEMO", chiave, valore);
    }
    void creaArchivio() { CreaSchemaArchivio(*ApriOCreaDatabaseDemo(archivio)); }
    void creaListino() { CreaSchemaListino(*ApriOCreaDatabaseDemo(listino)); }

    // A context of user 1 as the entry builds it.
    std::unique_ptr<TTabXForm> contesto() {
        auto c = std::make_unique<TTabXForm>(port, TTabXForm::ModoDatabase);
        c->SetUserPerNum(1);
        return c;
    }

    QTemporaryDir host;
    QString archivio = host.filePath("archivi/ditta.fdb");
    QString listino = host.filePath("archivi/listino.fdb");
    ScriptedInterazione port;
    std::unique_ptr<db::Database> utenti;
};

struct CasoArchivi {
    std::string nome;
    bool archivio;
    bool listino;
    QList<Message> messaggi;
    quint32 progetto;
};
void PrintTo(const CasoArchivi& c, std::ostream* os) {
    *os << c.nome;
}

class DataModule : public Ingresso, public ::testing::WithParamInterface<CasoArchivi> {};

TEST_P(DataModule, ConnectsWhatExistsAndWarnsOfTheRest) {
    const CasoArchivi& caso = GetParam();
    if (caso.archivio)
        creaArchivio();
    if (caso.listino)
        creaListino();
    auto c = contesto();
    TDataModuleMavo modulo(*c);
    EXPECT_EQ(port.messages(), caso.messaggi);
    EXPECT_EQ(c->IBDatabase1.connected(), caso.archivio);
    EXPECT_EQ(c->IBDatabase2.connected(), caso.listino);
    EXPECT_EQ(modulo.CodiceProgetto, caso.progetto);
    EXPECT_EQ(modulo.SituazioneFinestra, caso.progetto ? 1u : 0u);
    EXPECT_EQ(modulo.SituazioneGriglia, caso.progetto ? 2u : 0u);
    EXPECT_EQ(c->GetV("Archivio"), archivio);
    EXPECT_EQ(c->GetV("ArchivioListino"), listino);
    EXPECT_EQ(c->GetV("BinDir"), host.path() + "/bin/");
    EXPECT_EQ(c->GetV("TabTempDir"), host.path() + "/temp/");
    EXPECT_EQ(c->MemTabX.recordCount(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Ingresso, DataModule,
    ::testing::Values(CasoArchivi{"BothArchives", true, true, {}, 528},
                      CasoArchivi{"NoPriceList", true, false, {avvisoListone}, 0},
                      CasoArchivi{"NoCompanyArchive", false, true, {avvisoArchivio}, 0},
                      CasoArchivi{"Neither", false, false, {avvisoArchivio, avvisoListone}, 0}),
    [](const auto& info) { return info.param.nome; });

TEST_F(Ingresso, ParametersAlreadyPresentAreLeftAlone) {
    creaArchivio();
    creaListino();
    const QString altroListino = host.filePath("archivi/listino2.fdb");
    CreaSchemaListino(*ApriOCreaDatabaseDemo(altroListino));
    TestDb altro("altro.fdb");
    auto c = contesto();
    c->ConnettiDatabase0(altro.path());
    // Whatever their type or user, present parameters are neither reloaded nor checked.
    c->Inserisci("XYZ", "Archivio", "", "/non/esiste.fdb", "", "", "", "", "9");
    c->Inserisci("TBX", "ArchivioListino", "", altroListino, "", "", "", "", "");
    c->Inserisci("TVD", "BinDir", "", "/mia/bin/", "", "", "", "", "1");

    TDataModuleMavo modulo(*c);
    EXPECT_TRUE(port.messages().isEmpty());
    EXPECT_EQ(c->IBDatabase1.databaseName(), altro.path()); // already connected: kept
    EXPECT_EQ(c->IBDatabase2.databaseName(), altroListino);
    EXPECT_EQ(c->GetV("Archivio"), "/non/esiste.fdb");
    EXPECT_EQ(c->GetV("BinDir"), "/mia/bin/");
    EXPECT_EQ(c->MemTabX.recordCount(), 4);
    EXPECT_EQ(modulo.CodiceProgetto, 528u);
}

TEST_F(Ingresso, MissingCompanyArchiveShowsOnlyItsWarningThenASecondCallWorks) {
    creaListino();
    EXPECT_EQ(ApriSincroPrezziNetti(port, 1, 7), 0);
    EXPECT_EQ(port.messages(), QList<Message>({avvisoArchivio}));

    creaArchivio();
    ScriptedInterazione seconda;
    EXPECT_EQ(ApriSincroPrezziNetti(seconda, 1, 8), 0);
    EXPECT_TRUE(seconda.messages().isEmpty());
}

TEST_F(Ingresso, CallSetsTheLibrarysFormats) {
    FormatSettings host;
    host.decimalSeparator = '.';
    host.thousandSeparator = ',';
    setFormatSettings(host);
    ApriSincroPrezziNetti(port, 1, 1);
    EXPECT_EQ(textToFloat("1,5"), 1.5);
    EXPECT_EQ(formatFloat("###,###,##0", 1234), "1.234");
    EXPECT_EQ(formatSettings().shortDateFormat, "dd/MM/yyyy");
    EXPECT_EQ(formatSettings().longTimeFormat, "hh:nn:ss");
}

// The test program, like mavo-host, installs no translation of its own.
TEST_F(Ingresso, CallGivesTheStandardDialogsQtsItalianTexts) {
    ApriSincroPrezziNetti(port, 1, 1);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Cerca in:");
}

TEST_F(Ingresso, FailureWhileBuildingIsShownAndNothingEscapes) {
    scalarOn(*utenti, "DROP TABLE UTENTI");
    EXPECT_EQ(ApriSincroPrezziNetti(port, 1, 1), 0);
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages()[0].kind, Kind::Errore);
    EXPECT_TRUE(port.messages()[0].text.contains("UTENTI"))
        << port.messages()[0].text.toStdString();
}

} // namespace
