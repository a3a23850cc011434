#include "ContestoFixture.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

#include <QDir>

using namespace mavo;
using namespace mavo::test;

namespace {

using Impostazioni = ContestoTest;

TEST_F(Impostazioni, EmptyValueIsStoredAsNullAndReadsBackEmpty) {
    TTabXForm& c = crea();
    c.ScriviParametroTervald("DEMO", "Archivio", "");
    EXPECT_EQ(valoreUtenti("SELECT COUNT(*) FROM TABTERVALD WHERE PARAMETRO='Archivio' "
                           "AND VALORE IS NULL")
                  .toInt(),
              1);
    EXPECT_EQ(c.CaricaParametro("Archivio"), "");
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Impostazioni, ProgressiveCountsPerUserAcrossHeadings) {
    TTabXForm& c = crea();
    c.ScriviParametroTervald("A", "k1", "v1");
    c.ScriviParametroTervald("B", "k3", "v3");
    c.ScriviParametroTervald("A", "k1", "cambiato"); // an update keeps its progressive
    c.SetUserPerNum(2);
    c.ScriviParametroTervald("A", "k1", "altro utente");
    const QString sql = "SELECT PROGRESSIVO FROM TABTERVALD WHERE UTENTE=%1 AND PARAMETRO='%2'";
    EXPECT_EQ(valoreUtenti(sql.arg(1).arg("k1")).toInt(), 1);
    EXPECT_EQ(valoreUtenti(sql.arg(1).arg("k3")).toInt(), 2);
    EXPECT_EQ(valoreUtenti(sql.arg(2).arg("k1")).toInt(), 1);
}

TEST_F(Impostazioni, SettingsImageHasOneLinePerHeadingAndKey) {
    TTabXForm& c = crea();
    c.ScriviParametroTervald("B", "k3", "v3");
    c.ScriviParametroTervald("A", "k1", "v1");
    c.ScriviParametroTervald("A", "k2", "v2");
    EXPECT_EQ(valoreUtenti("SELECT TERVALD FROM UTENTI WHERE CODICE=1").toString(),
              "[A]\nk1=v1\nk2=v2\n[B]\nk3=v3\n");
    EXPECT_TRUE(valoreUtenti("SELECT TERVALD FROM UTENTI WHERE CODICE=2").isNull());
}

TEST_F(Impostazioni, ValuesReadBackUnderTheUsersCompanyOnly) {
    TTabXForm& c = crea(TTabXForm::ModoDatabase, 2); // ROSSI, company ALFA
    EXPECT_EQ(c.Ditta, "ALFA");
    c.ScriviParametroTervald("ALFA", "Archivio", "/dati/alfa.fdb");
    c.ScriviParametroTervald("BETA", "Archivio", "/dati/beta.fdb");
    EXPECT_EQ(c.CaricaParametro("Archivio"), "/dati/alfa.fdb");
    c.SettaParametro("Archivio", "/dati/nuovo.fdb");
    EXPECT_EQ(c.CaricaParametro("Archivio"), "/dati/nuovo.fdb");
    c.SetUserPerNum(1);
    EXPECT_EQ(c.CaricaParametro("Archivio"), "");
}

TEST_F(Impostazioni, ApostrophesInCompanyKeyAndValueAreStoredAsTyped) {
    TTabXForm& c = crea(TTabXForm::ModoDatabase, 3); // D'AMICO, company BETA
    c.Ditta = "L'ALTRA";
    c.ScriviParametroTervald(c.Ditta, "Chiave d'esempio", "C:\\Archivi dell'anno\\x.fdb");
    c.ScriviParametroTervald(c.Ditta, "Chiave d'esempio", "l'ultimo ' OR ''='");
    EXPECT_TRUE(port.messages().isEmpty());
    EXPECT_EQ(c.CaricaParametro("Chiave d'esempio"), "l'ultimo ' OR ''='");
    EXPECT_EQ(valoreUtenti("SELECT COUNT(*) FROM TABTERVALD").toInt(), 1);
    EXPECT_EQ(valoreUtenti("SELECT TERVALD FROM UTENTI WHERE CODICE=3").toString(),
              "[L'ALTRA]\nChiave d'esempio=l'ultimo ' OR ''='\n");
}

TEST_F(Impostazioni, FailedWriteShowsItsMessageAndStillRebuildsTheImage) {
    TTabXForm& c = crea();
    c.ScriviParametroTervald("DEMO", "Breve", "ok");
    c.ScriviParametroTervald("DEMO", "Lungo", QString(300, 'x')); // VALORE holds 255
    c.ScriviParametroTervald("DEMO", "Breve", QString(300, 'y'));
    EXPECT_EQ(port.messages(),
              (QList<Message>{
                  {Kind::Errore,
                   "Errore interno di INSERT: impossibile aggiornare la tabella dei parametri"},
                  {Kind::Errore,
                   "Errore interno di UPDATE: impossibile aggiornare la tabella dei parametri"}}));
    EXPECT_EQ(valoreUtenti("SELECT TERVALD FROM UTENTI WHERE CODICE=1").toString(),
              "[DEMO]\nBreve=ok\n");
}

TEST_F(Impostazioni, IniModeReadsAndWritesThePerUserFile) {
    QDir(host.path()).mkpath("NOMIDIT/USERCFG");
    IniFile(host.filePath("NOMIDIT/UTENTI.INI")).writeString("4 BIANCHI", "x", "y");
    IniFile utente(host.filePath("NOMIDIT/USERCFG/4 BIANCHI.INI"));
    utente.writeString("STATUS MACCHINA", "UltimaDitta", "GAMMA");
    utente.writeString("GAMMA", "Archivio", "/dati/gamma.fdb");
    TTabXForm& c = crea(TTabXForm::ModoIni, 4);
    EXPECT_EQ(c.NomeUser, "BIANCHI");
    EXPECT_EQ(c.Ditta, "GAMMA");
    EXPECT_EQ(c.CaricaParametro("Archivio"), "/dati/gamma.fdb");
    c.SettaParametro("Directory bin", "/opt/bin/");
    EXPECT_EQ(utente.readString("GAMMA", "Directory bin"), "/opt/bin/");
    EXPECT_EQ(valoreUtenti("SELECT COUNT(*) FROM TABTERVALD").toInt(), 0);
}

TEST_F(Impostazioni, SettingsFileMovesIntoIniLogErrWhenThatFolderExists) {
    EXPECT_EQ(settingsFilePath(), "c:\\windows\\tervald.ini");
    QDir(host.path()).mkdir("ini_log_err");
    EXPECT_EQ(settingsFilePath(), host.path() + "\\ini_log_err\\tervald.ini");
}

} // namespace
