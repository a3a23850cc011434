#include "ContestoFixture.h"

#include "platform/IniFile.h"

#include <QDir>

using namespace mavo;
using namespace mavo::test;

namespace {

using Connessioni = ContestoTest;

const QString messaggioCondivisione =
    "Attenzione: il disco con gli archivi è stato condiviso in rete con un nome - DATI - e non "
    "con la lettera che lo identifica. Si consiglia di correggere la condivisione oppure di "
    "correggere manualmente la sezione Percorso Nel Server nel file Dati.ini accanto al database";

struct CasoRete {
    std::string nome;
    QString directory;
    QString percorsoNelServer;
    QString percorso;
    bool stop;
    bool perNome;
    QStringList informazioni;
};
void PrintTo(const CasoRete& c, std::ostream* os) {
    *os << c.nome;
}

class PercorsoRete : public ContestoTest, public ::testing::WithParamInterface<CasoRete> {};

TEST_P(PercorsoRete, BecomesAServerPath) {
    const CasoRete& caso = GetParam();
    QString percorso;
    bool perNome = false;
    EXPECT_EQ(crea(TTabXForm::ModoNessuno)
                  .ConvertiPercorsoRete(caso.directory, caso.percorsoNelServer, percorso, perNome),
              caso.stop);
    EXPECT_EQ(percorso, caso.percorso);
    EXPECT_EQ(perNome, caso.perNome);
    QStringList informazioni;
    for (const Message& m : port.messages())
        informazioni << m.text;
    EXPECT_EQ(informazioni, caso.informazioni);
}

INSTANTIATE_TEST_SUITE_P(
    Connessioni, PercorsoRete,
    ::testing::Values(CasoRete{"ShareByDriveLetter",
                               "\\\\SRV\\C\\ARCHIVI\\",
                               "",
                               "SRV:C:\\ARCHIVI\\",
                               false,
                               false,
                               {}},
                      CasoRete{"DriveLetterRoot", "\\\\SRV\\D\\", "", "SRV:D:\\", false, false, {}},
                      CasoRete{"ShareByNameWithServerPath",
                               "\\\\SRV\\DATI\\ARCHIVI\\",
                               "D:\\ARCHIVI\\",
                               "SRV:D:\\ARCHIVI\\",
                               false,
                               true,
                               {}},
                      CasoRete{"ShareByNameWithoutServerPath",
                               "\\\\SRV\\DATI\\ARCHIVI\\",
                               "",
                               "",
                               true,
                               true,
                               {messaggioCondivisione}}),
    [](const auto& info) { return info.param.nome; });

TEST_F(Connessioni, MissingDatabaseOnReachablePathIsCreated) {
    TTabXForm& c = crea();
    const QString percorso = host.filePath("archivi/nuovo.fdb");
    QDir(host.path()).mkdir("archivi");
    c.ConnettiDatabase0(percorso);
    ASSERT_TRUE(c.IBDatabase1.connected());
    EXPECT_EQ(c.IBDatabase1.databaseName(), percorso);
    EXPECT_EQ(c.IBDatabase1.pageSize(), 4096);
    EXPECT_EQ(c.IBDatabase1.sqlDialect(), 3);
    EXPECT_EQ(scalarOn(c.IBDatabase1, "SELECT COUNT(*) FROM RDB$RELATIONS "
                                      "WHERE RDB$SYSTEM_FLAG=0")
                  .toInt(),
              0);
    EXPECT_EQ(port.messages(),
              QList<Message>({{Kind::Informazione, "Effettuata creazione data base"}}));
}

TEST_F(Connessioni, UnreachablePathAsksForTheServerAndReportsTheFailure) {
    TTabXForm& c = crea();
    c.Inserisci("TVD", "Archivio", "", "/cartella-che-non-esiste/ditta.fdb", "", "", "", "", "1");
    c.ConnettiDatabase1("Archivio");
    EXPECT_FALSE(c.IBDatabase1.connected());
    EXPECT_EQ(dialoghi.size(), 1);
    EXPECT_EQ(port.messages(), QList<Message>({{Kind::Informazione, "Non trovato dati.ini"},
                                               {Kind::Informazione,
                                                "Apertura / creazione del database non riuscita!"},
                                               {Kind::Errore, "Errore apertura archivio"}}));
}

TEST_F(Connessioni, ShareByDriveLetterIsTriedOnTheServerWithTheDefaultFileName) {
    TTabXForm& c = crea();
    QString tentato;
    c.DialogoServer = [&](const QString&, const QString&) {
        tentato = c.IBDatabase3.databaseName();
        return RispostaServer{2, {}, {}};
    };
    EXPECT_FALSE(c.ApriOCreaDatabase(c.IBDatabase3, "\\\\127.0.0.1\\C\\ARCHIVI\\", "", "", ""));
    EXPECT_EQ(tentato, "127.0.0.1:C:\\ARCHIVI\\archivio.fdb");
}

TEST_F(Connessioni, ShareByNameWithoutServerPathStopsBeforeAnyAttempt) {
    TTabXForm& c = crea();
    EXPECT_FALSE(c.ApriOCreaDatabase(c.IBDatabase3, "\\\\SRV\\DATI\\ARCHIVI\\", "x.fdb", "", ""));
    EXPECT_EQ(c.IBDatabase3.databaseName(), "");
    EXPECT_TRUE(dialoghi.isEmpty());
    EXPECT_EQ(port.messages(), QList<Message>({{Kind::Informazione, messaggioCondivisione}}));
}

TEST_F(Connessioni, ServerFromDatiIniIsUsedWithItsDriveLetter) {
    QDir(host.path()).mkdir("dati");
    IniFile dati(host.filePath("dati/dati.ini"));
    dati.writeString("CONFIG", "Nome Server", "127.0.0.1");
    dati.writeString("CONFIG", "Lettera Disco Server", "Z");
    TTabXForm& c = crea();
    const QString directory = host.filePath("dati") + '/';
    // The file lies in a missing folder: neither opened nor created locally.
    EXPECT_FALSE(c.ApriOCreaDatabase(c.IBDatabase4, directory, "manca/x.fdb", "", ""));
    EXPECT_EQ(c.IBDatabase4.databaseName(), "127.0.0.1:Z" + directory.mid(1) + "manca/x.fdb");
    EXPECT_TRUE(dialoghi.isEmpty());
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Connessioni, DatabaseFolderOnTheServerIsReachedThroughTheServer) {
    IniFile dati(host.filePath("dati.ini"));
    dati.writeString("CONFIG", "Nome Server", "127.0.0.1");
    dati.writeString("CONFIG", "PercorsoDatabase", "C:\\ARCHIVI");
    TTabXForm& c = crea();
    EXPECT_FALSE(c.ApriOCreaDatabase(c.IBDatabase3, host.path() + '/', "", "", ""));
    EXPECT_EQ(c.IBDatabase3.databaseName(), "127.0.0.1:C:\\ARCHIVI\\archivio.fdb");
    EXPECT_TRUE(dialoghi.isEmpty());
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Connessioni, UnreachableAliasFallsBackToTheLocalFile) {
    TestDb locale("archivio.fdb");
    IniFile dati(locale.dir() + "/dati.ini");
    dati.writeString("CONFIG", "Nome Server", "127.0.0.1");
    dati.writeString("CONFIG", "Alias", "ditta");
    TTabXForm& c = crea();
    EXPECT_TRUE(c.ApriOCreaDatabase(c.IBDatabase3, locale.dir() + '/', "", "", ""));
    EXPECT_EQ(c.IBDatabase3.databaseName(), locale.path());
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Connessioni, ServerTypedInTheDialogIsKeptInDatiIni) {
    TTabXForm& c = crea();
    const QString directory = host.path() + '/';
    rispostaDialogo = {1, "SERVERX", ""};
    QString server, lettera, copia;
    c.RichiediServerDati(server, lettera, directory, copia);
    EXPECT_EQ(server, "SERVERX");
    EXPECT_EQ(copia, "SERVERX");
    IniFile dati(directory + "dati.ini");
    EXPECT_EQ(dati.keys("CONFIG"), QStringList("Nome Server"));

    rispostaDialogo = {1, "ALTRO", "E"};
    c.RichiediServerDati(server, lettera, directory, copia);
    EXPECT_EQ(server, "SERVERX");
    EXPECT_EQ(dialoghi.size(), 1);
    EXPECT_EQ(port.messages(), QList<Message>({{Kind::Informazione, "Non trovato dati.ini"}}));
}

} // namespace
