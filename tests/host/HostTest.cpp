#include "context/DataModuleMavo.h"
#include "context/TabXForm.h"
#include "entry/Entry.h"
#include "host/demo/DemoEnvironment.h"
#include "host/demo/DemoSql.h"
#include "platform/Cp1252.h"
#include "platform/ScriptedInterazione.h"
#include "platform/SqlTesto.h"
#include "query/form/ui/IBLQueryForm.h"
#include "query/storico/Storico.h"
#include "query/storico/ui/QueryDelHost.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

const QString host = QStringLiteral(MAVO_BIN_DIR "/mavo-host");

// Runs mavo-host with the arguments; the host directory, when given, goes in MAVO_HOST_DIR.
int eseguiHost(const QStringList& argomenti, const QString& directoryHost = QString(),
               int attesa = 120000) {
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    if (!directoryHost.isEmpty())
        ambiente.insert("MAVO_HOST_DIR", directoryHost);
    processo.setProcessEnvironment(ambiente);
    processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    processo.start(host, argomenti);
    if (!processo.waitForFinished(attesa))
        return -1;
    return processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -2;
}

db::Database& apri(std::unique_ptr<db::Database>& database, const QString& percorso) {
    database = std::make_unique<db::Database>();
    database->setDatabaseName(percorso);
    database->connect();
    return *database;
}

// What a run may change: files, and the rows of the three databases.
QStringList istantanea(const AmbienteDemo& demo) {
    QStringList fatti;
    QDirIterator file(demo.directory, QDir::Files, QDirIterator::Subdirectories);
    while (file.hasNext()) {
        const QString percorso = file.next();
        QFile contenuto(percorso);
        contenuto.open(QIODevice::ReadOnly);
        fatti << percorso + ' ' +
                     (percorso.endsWith(".fdb")
                          ? QString()
                          : QCryptographicHash::hash(contenuto.readAll(), QCryptographicHash::Md5)
                                .toHex());
    }
    fatti.sort();
    std::unique_ptr<db::Database> database;
    const std::pair<QString, QStringList> interrogazioni[] = {
        {demo.utenti,
         {"SELECT LIST(CODICE||NOMEUTENTE||DITTA) FROM UTENTI",
          "SELECT LIST(UTENTE||PARAMETRO||VALORE||PROGRESSIVO) FROM TABTERVALD",
          "SELECT COUNT(*) FROM ZENTRILOGFUNZ"}},
        {demo.archivio,
         {"SELECT COUNT(*)||SUM(PREZZOLISTINOFORNITORE) FROM ANAMAG",
          "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG=0"}},
        {demo.listino, {"SELECT COUNT(*)||SUM(PRLISTINO) FROM LISTINO"}}};
    for (const auto& [percorso, sql] : interrogazioni) {
        apri(database, percorso);
        for (const QString& riga : sql)
            fatti << test::scalarOn(*database, riga).toString();
    }
    return fatti;
}

// One demo environment made by the program, shared by the tests of this file.
class Host : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cartella = std::make_unique<QTemporaryDir>();
        esitoCreazione = eseguiHost({"--crea-demo", cartella->path()});
    }
    static void TearDownTestSuite() { cartella.reset(); }

    AmbienteDemo demo() const { return PercorsiDemo(cartella->path()); }

    static inline std::unique_ptr<QTemporaryDir> cartella;
    static inline int esitoCreazione = -1;
};

TEST_F(Host, DemoHoldsUsersSettingsArchivesAndFiles) {
    ASSERT_EQ(esitoCreazione, 0);
    const AmbienteDemo d = demo();
    std::unique_ptr<db::Database> database;
    db::Database& utenti = apri(database, d.utenti);
    EXPECT_EQ(test::scalarOn(utenti, "SELECT NOMEUTENTE||'/'||DITTA FROM UTENTI WHERE CODICE=1")
                  .toString(),
              "DEMO/DEMO");
    EXPECT_EQ(test::scalarOn(utenti, "SELECT VALORE FROM TABTERVALD WHERE UTENTE=1 AND "
                                     "INTESTAZIONE='DEMO' AND PARAMETRO='Directory listino'")
                  .toString(),
              d.listino);
    db::Database& archivio = apri(database, d.archivio);
    EXPECT_EQ(test::scalarOn(archivio, "SELECT COUNT(*) FROM ANAMAG").toInt(), 3000);
    EXPECT_GT(test::scalarOn(archivio, "SELECT COUNT(*) FROM ANAMAG "
                                       "WHERE FORNITORE='2197' AND ESTENSIONE='3'")
                  .toInt(),
              1000);
    EXPECT_EQ(test::scalarOn(archivio, "SELECT COUNT(*) FROM RDB$GENERATORS "
                                       "WHERE RDB$GENERATOR_NAME='CODICETABXCOUNTER'")
                  .toInt(),
              1);
    db::Database& listino = apri(database, d.listino);
    EXPECT_EQ(listino.charset(), db::Charset::Win1252); // NONE, as the host's
    EXPECT_EQ(
        test::scalarOn(listino, "SELECT COUNT(*) FROM LISTINO WHERE CODICEFORN='2197'").toInt(),
        1500 + articoliHost().size());
    for (const ArticoloHost& host : articoliHost())
        EXPECT_EQ(test::scalarOn(listino, "SELECT DESCRIZIONE FROM LISTINO WHERE CODICE=" +
                                              sql::letterale(host.articolo.codice))
                      .toString(),
                  host.articolo.descrizione);

    QFile file(d.fileFornitore);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray byte = file.readAll();
    EXPECT_TRUE(byte.contains('\x80')); // the euro sign in Windows-1252
    const QStringList righe = fromCp1252(byte).split("\r\n");
    EXPECT_EQ(righe[0], "Codice;Descrizione;Prezzo;Sconto;Tipo prezzo");
    EXPECT_TRUE(righe.contains(QString::fromUtf8("NT99004;Prezzo con il solo simbolo "
                                                 "dell'euro;€;0;NETTO")));
    const QImage icona(d.icona);
    EXPECT_EQ(icona.size(), QSize(32, 32));
}

TEST_F(Host, DemoOpensThroughTheEntryWithoutMessages) {
    ASSERT_EQ(esitoCreazione, 0);
    qputenv("MAVO_HOST_DIR", cartella->path().toLocal8Bit());
    ScriptedInterazione port;
    {
        TTabXForm contesto(port, TTabXForm::ModoDatabase);
        contesto.SetUserPerNum(UtenteDemo);
        TDataModuleMavo modulo(contesto);
        EXPECT_EQ(contesto.Ditta, "DEMO");
        EXPECT_EQ(modulo.CodiceProgetto, 528u);
    }
    EXPECT_EQ(ApriSincroPrezziNetti(port, UtenteDemo, 1), 0);
    qunsetenv("MAVO_HOST_DIR");
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Host, SecondProvisioningChangesNothing) {
    ASSERT_EQ(esitoCreazione, 0);
    const QStringList prima = istantanea(demo());
    EXPECT_EQ(eseguiHost({"--crea-demo", cartella->path()}), 0);
    EXPECT_EQ(istantanea(demo()), prima);
}

TEST_F(Host, HostRecordsTheOpeningAndReturns) {
    ASSERT_EQ(esitoCreazione, 0);
    std::unique_ptr<db::Database> database;
    const auto righe = [&] {
        return test::scalarOn(apri(database, demo().utenti),
                              "SELECT COUNT(*) FROM ZENTRILOGFUNZ WHERE UTENTE=1")
            .toInt();
    };
    const int prima = righe();
    EXPECT_EQ(eseguiHost({"--utente", "1", "--chiudi-dopo", "500"}, cartella->path()), 0);
    EXPECT_EQ(righe(), prima + 1);
}

// The whole call under memcheck: the export builds the context and the data
// module and, whatever it opens, nothing of them may be lost.
TEST_F(Host, ExportLeaksNothingUnderValgrind) {
    ASSERT_EQ(esitoCreazione, 0);
    const QString valgrind = QStandardPaths::findExecutable("valgrind");
    if (valgrind.isEmpty())
        GTEST_SKIP() << "valgrind is not installed";
    QTemporaryDir registro;
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("MAVO_HOST_DIR", cartella->path());
    processo.setProcessEnvironment(ambiente);
    processo.start(valgrind, {"--leak-check=full", "--errors-for-leak-kinds=definite",
                              "--error-exitcode=99", "--log-file=" + registro.filePath("vg.log"),
                              host, "--utente", "1", "--chiudi-dopo", "1000"});
    ASSERT_TRUE(processo.waitForFinished(180000));
    QFile log(registro.filePath("vg.log"));
    log.open(QIODevice::ReadOnly);
    const QString testo = QString::fromLocal8Bit(log.readAll());
    EXPECT_EQ(processo.exitCode(), 0) << testo.right(4000).toStdString();
    EXPECT_TRUE(testo.contains("definitely lost: 0 bytes") ||
                testo.contains("no leaks are possible"))
        << testo.right(4000).toStdString();
}

// The host's own query windows open the tool in history mode on an entry.
TEST_F(Host, QueryInHistoryModeOpensOnTheStoredEntry) {
    ASSERT_EQ(esitoCreazione, 0);
    const Definizione salvata = {{1, "ID", 1, "(ID < 5)"}, {2, "CODICE", 1, "l'è"}};
    {
        std::unique_ptr<db::Database> archivio;
        ArchivioStorico storico(apri(archivio, demo().archivio));
        storico.CreaTabelle();
        storico.SalvaInterrogazione({5, 1.5}, salvata);
    }
    qputenv("MAVO_HOST_DIR", cartella->path().toLocal8Bit());
    ScriptedInterazione port;
    Definizione vista;
    bool storico = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TIBLQueryForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        vista = form->LeggiRighe();
        storico = form->ModoStorico && form->Codice1 == 5 && form->Codice2 == 1.5;
        form->ButtonChiudi->click();
    });
    EXPECT_TRUE(ApriQueryStorico(port, 1, "ANAMAG", {5, 1.5}));
    EXPECT_EQ(vista, salvata);
    EXPECT_TRUE(storico);
    EXPECT_TRUE(port.messages().isEmpty()) << "unchanged: closed without asking";

    // The host stand-in's entry; wrong entries are refused.
    EXPECT_EQ(eseguiHost({"--utente", "1", "--query", "ANAMAG", "--storico", "5", "1,5",
                          "--chiudi-dopo", "1500"},
                         cartella->path()),
              0);
    EXPECT_EQ(eseguiHost({"--query", "ANAMAG", "--storico", "5", "x"}, cartella->path()), 2);
    EXPECT_EQ(eseguiHost({"--query", "ANAMAG"}, cartella->path()), 2);
}

// A session's end (SIGTERM) or Ctrl+C (SIGINT) closes the host even with a
// modal window open, though the database client catches both signals.
TEST_F(Host, EndsOnTerminationSignals) {
    ASSERT_EQ(esitoCreazione, 0);
    std::unique_ptr<db::Database> database;
    db::Database& archivio = apri(database, demo().archivio);
    const auto collegamenti = [&] {
        return test::scalarOn(archivio, "SELECT COUNT(*) FROM MON$ATTACHMENTS "
                                        "WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION")
            .toInt();
    };
    for (const int segnale : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(segnale);
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("MAVO_HOST_DIR", cartella->path());
        processo.setProcessEnvironment(ambiente);
        processo.start(host, {"--utente", "1", "--query", "ANAMAG", "--storico", "9", "1"});
        ASSERT_TRUE(processo.waitForStarted());
        // The query window is open once the host reads the archive.
        for (int i = 0; i < 300 && collegamenti() == 0; ++i)
            QThread::msleep(100);
        ASSERT_GT(collegamenti(), 0);
        ::kill(pid_t(processo.processId()), segnale);
        EXPECT_TRUE(processo.waitForFinished(20000));
        if (processo.state() != QProcess::NotRunning) {
            processo.kill();
            processo.waitForFinished();
        }
        EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    }
}

TEST(HostSenzaAmbiente, MissingUsersDatabaseIsAnError) {
    QTemporaryDir vuota;
    EXPECT_EQ(eseguiHost({"--utente", "1"}, vuota.path()), 1);
}

} // namespace
