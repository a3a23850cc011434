#include "ContestoFixture.h"

#include "platform/IniFile.h"

#include <QDir>

using namespace mavo;
using namespace mavo::test;

namespace {

using Utenti = ContestoTest;

TEST_F(Utenti, UserNumberGivesNameAndCompany) {
    TTabXForm& c = crea(TTabXForm::ModoDatabase, 2);
    EXPECT_EQ(c.GetNumUser(), 2);
    EXPECT_EQ(c.GetNomeUser(), "ROSSI");
    EXPECT_EQ(c.Ditta, "ALFA");
    EXPECT_EQ(c.FileVerde, host.path() + "/Grafica\\Verde.bmp");
    EXPECT_EQ(c.FileRosso, host.path() + "/Grafica\\Rosso.bmp");
    c.SetUserPerNome("D'AMICO");
    EXPECT_EQ(c.GetNumUser(), 3);
    EXPECT_EQ(c.Ditta, "BETA");
    EXPECT_EQ(c.DecodificaNomeUser(1), "DEMO");
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Utenti, UnknownUserHasEmptyNamesAndSettings) {
    TTabXForm& c = crea(TTabXForm::ModoDatabase, 99);
    EXPECT_EQ(c.NomeUser, "");
    EXPECT_EQ(c.Ditta, "");
    EXPECT_EQ(c.CodicePerNome("NESSUNO"), 0);
    EXPECT_EQ(c.DecodificaNomeUser(99), "");
    EXPECT_EQ(c.CaricaParametro("Archivio"), "");
}

TEST_F(Utenti, UserListFollowsTheUserNumbers) {
    TTabXForm& c = crea();
    QStringList lista = {"già presente"};
    c.CaricaUser(lista);
    EXPECT_EQ(lista, QStringList({"già presente", "DEMO", "ROSSI", "D'AMICO"}));
}

TEST_F(Utenti, SecurityProfileIsZeroWhenNotSet) {
    scalarOn(*utenti, "UPDATE UTENTI SET PROFILOSICUREZZA=5 WHERE CODICE=2");
    scalarOn(*utenti, "UPDATE UTENTI SET PROFILOSICUREZZA=NULL WHERE CODICE=3");
    TTabXForm& c = crea(TTabXForm::ModoDatabase, 2);
    EXPECT_EQ(c.ProfiloSicurezzaUtente(), 5);
    c.SetUserPerNum(3);
    EXPECT_EQ(c.ProfiloSicurezzaUtente(), 0);
    c.SetUserPerNum(42);
    EXPECT_EQ(c.ProfiloSicurezzaUtente(), 0);
}

struct CasoPassword {
    std::string nome;
    QString utente;
    QString password;
    bool attesa;
};
void PrintTo(const CasoPassword& c, std::ostream* os) {
    *os << c.nome;
}

class Password : public ContestoTest, public ::testing::WithParamInterface<CasoPassword> {};

TEST_P(Password, ChecksTheStoredPasswordExactly) {
    const CasoPassword& caso = GetParam();
    EXPECT_EQ(crea().VerificaPasswordUser(caso.utente, caso.password), caso.attesa);
}

INSTANTIATE_TEST_SUITE_P(
    Utenti, Password,
    ::testing::Values(CasoPassword{"Right", "ROSSI", "Segreta", true},
                      CasoPassword{"Wrong", "ROSSI", "sbagliata", false},
                      CasoPassword{"OtherCase", "ROSSI", "segreta", false},
                      CasoPassword{"EmptyGiven", "ROSSI", "", false},
                      CasoPassword{"EmptyStoredAcceptsAny", "DEMO", "qualsiasi", true},
                      CasoPassword{"EmptyStoredAcceptsEmpty", "DEMO", "", true},
                      CasoPassword{"UnknownUser", "NESSUNO", "", false},
                      CasoPassword{"ApostropheInNameAndPassword", "D'AMICO", "l'apice", true},
                      CasoPassword{"InjectionIsJustAName", "X' OR '1'='1", "", false}),
    [](const auto& info) { return info.param.nome; });

TEST_F(Utenti, PasswordIsNotCheckedOutsideDatabaseMode) {
    EXPECT_TRUE(crea(TTabXForm::ModoNessuno).VerificaPasswordUser("NESSUNO", "x"));
}

TEST_F(Utenti, IniModeTakesTheLastSectionContainingTheNumber) {
    QDir(host.path()).mkpath("NOMIDIT");
    IniFile file(host.filePath("NOMIDIT/UTENTI.INI"));
    file.writeString("1 ROSSI", "Password", "");
    file.writeString("11 VERDI", "Password", "");
    TTabXForm& c = crea(TTabXForm::ModoIni, 1);
    EXPECT_EQ(c.NomeUser, "VERDI");
    EXPECT_EQ(c.NomePerCodice(11), "VERDI");
    EXPECT_EQ(c.NomePerCodice(2), "");
    EXPECT_EQ(c.CodicePerNome("VERDI"), 0);
    QStringList lista;
    c.CaricaUser(lista);
    EXPECT_EQ(lista, QStringList({"1 ROSSI", "11 VERDI"}));
}

TEST_F(Utenti, HandleReportTouchesOnlyItsRow) {
    const int prima = RegistraAperturaFinestra(*utenti, 1, "uno");
    const int seconda = RegistraAperturaFinestra(*utenti, 1, "due");
    TTabXForm& c = crea();
    EXPECT_TRUE(c.ScritturaHandleDiApertura(seconda, -77000000001LL));
    EXPECT_TRUE(c.ScritturaHandleDiApertura(seconda + 100, 5));
    const QString sql = "SELECT HANDLEFINESTRA FROM ZENTRILOGFUNZ WHERE IDFINESTRA=%1";
    EXPECT_EQ(valoreUtenti(sql.arg(seconda)).toString(), "-77000000001");
    EXPECT_TRUE(valoreUtenti(sql.arg(prima)).isNull());
    EXPECT_EQ(valoreUtenti("SELECT COUNT(*) FROM ZENTRILOGFUNZ").toInt(), 2);
}

TEST_F(Utenti, HandleReportFailsQuietlyWithoutUsersDatabase) {
    TTabXForm& c = crea(TTabXForm::ModoNessuno);
    EXPECT_FALSE(c.ScritturaHandleDiApertura(1, 2));
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Utenti, ConstructionCreatesMissingScriptTable) {
    scalarOn(*utenti, "DROP TABLE TABSCRIPT");
    crea();
    EXPECT_EQ(valoreUtenti("SELECT COUNT(*) FROM RDB$RELATION_FIELDS "
                           "WHERE RDB$RELATION_NAME='TABSCRIPT'")
                  .toInt(),
              9);
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Utenti, ConstructionCreatesAMissingUsersDatabaseWithItsScriptTable) {
    QTemporaryDir vuota;
    qputenv("MAVO_HOST_DIR", vuota.path().toLocal8Bit());
    TTabXForm c(port, TTabXForm::ModoDatabase, nullptr, dialogoScriptato());
    EXPECT_TRUE(c.IBDatabaseUser.connected());
    EXPECT_EQ(c.IBDatabaseUser.pageSize(), 4096);
    EXPECT_EQ(port.messages(),
              QList<Message>({{Kind::Informazione, "Effettuata creazione data base"}}));
    c.IBDatabaseUser.disconnect();
    db::Database creato;
    creato.setDatabaseName(vuota.filePath("user/user.fdb"));
    creato.connect();
    EXPECT_EQ(scalarOn(creato, "SELECT COUNT(*) FROM RDB$RELATIONS "
                               "WHERE RDB$RELATION_NAME='TABSCRIPT'")
                  .toInt(),
              1);
}

TEST_F(Utenti, UnusableUsersFolderIsReportedAndLeavesUsersEmpty) {
    QTemporaryDir altra;
    qputenv("MAVO_HOST_DIR", altra.path().toLocal8Bit());
    QFile(altra.filePath("user")).open(QIODevice::WriteOnly); // a file where the folder goes
    TTabXForm c(port, TTabXForm::ModoDatabase, nullptr, dialogoScriptato());
    EXPECT_FALSE(c.IBDatabaseUser.connected());
    EXPECT_EQ(
        port.messages(),
        QList<Message>({{Kind::Informazione, "Non trovato dati.ini"},
                        {Kind::Informazione, "Apertura / creazione del database non riuscita!"},
                        {Kind::Errore, "Errore inizializzazione database utenti"}}));
    EXPECT_EQ(dialoghi, QStringList("Non trovato dati.ini|Inserire il nome del computer e la "
                                    "lettera della sua\nunità disco dove risulta ospitato (o "
                                    "sarà ospitato) il database"));
    c.SetUserPerNum(1);
    EXPECT_EQ(c.NomeUser, "");
    EXPECT_EQ(c.CaricaParametro("Archivio"), "");
}

} // namespace
