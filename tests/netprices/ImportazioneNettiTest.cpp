#include "ArchiviNetti.h"

#include "db/DatabaseError.h"
#include "netprices/ImportazioneNetti.h"

#include <QElapsedTimer>
#include <algorithm>
#include <map>

namespace mavo::test {
namespace {

using Kind = ScriptedInterazione::Kind;

const QByteArray Intestazione = "Codice;Descrizione;Prezzo;Lordo;Tipo\r\n";

class ImportazioneTest : public ArchiviNetti {
protected:
    bool importa(const QByteArray& righe, bool prova = false) {
        percorso = scriviFile(Intestazione + righe);
        port.queueFile(percorso);
        return ImportazioneNetti(*contesto, port, agganci(), prova).Esegui();
    }
    AgganciFinestra agganci() {
        return {[this](const QString& p) { eventi << "file " + p; },
                [this] { eventi << "anteprima"; }, [this] { eventi << "riepilogo"; },
                [] { return QStringLiteral("/fornitori"); },
                [this](const QString& p) { ricordato << p; }};
    }
    QStringList eventiCompleti() const { return {"file " + percorso, "anteprima", "riepilogo"}; }

    QString percorso;
    QStringList eventi;
    QStringList ricordato; // what the window would remember of the file choice
};

// One data line, at line 2 of the file.
struct RigaImport {
    const char* caso;
    QByteArray riga;
    QStringList memo; // before the total line
    std::vector<Netto> acquisite;
};

const QString Codice30(30, u'C');
const QString Codice31(31, u'C');
const QString Descrizione50 = QString(49, u'd') + u'e';

const RigaImport righeImport[] = {
    RigaImport{"PrezzoNettoPreso", "A1;Vite;1,50;2,00;prezzo netto", {}, {{"A1", "Vite", 1.5}}},
    RigaImport{"LordoSaltato", "A1;Vite;1,50;;LORDO", {}, {}},
    RigaImport{"TipoVuotoSaltato", "A1;Vite;1,50;;", {}, {}},
    RigaImport{"TipoMancanteSaltato", "A1;Vite;1,50", {}, {}},
    RigaImport{"RigaVuotaSaltata", "", {}, {}},
    RigaImport{"CodiceVuotoSaltato", ";Vite;1,50;;NETTO", {}, {}},
    RigaImport{
        "Codice30Accettato", (Codice30 + ";Vite;1;;NETTO").toLatin1(), {}, {{Codice30, "Vite", 1}}},
    RigaImport{
        "Codice31Scartato",
        (Codice31 + ";Vite;1;;NETTO").toLatin1(),
        {"Riga 2 scartata: Codice non può superare i 30 car., \"" + Codice31 + "\" da 31 car."},
        {}},
    RigaImport{"Descrizione51Troncata",
               ("A1;" + Descrizione50 + "X;1;;NETTO").toLatin1(),
               {"Riga 2: Descrizione non può superare i 50 car., \"" + Descrizione50 +
                "X\" da 51 car. - verrà troncata"},
               {{"A1", Descrizione50, 1}}},
    RigaImport{"EuroEMigliaia", "A1;Vite;\x80 1.234,50;;NETTO", {}, {{"A1", "Vite", 1234.5}}},
    RigaImport{"PuntoSempreMigliaia", "A1;Vite;12.50;;NETTO", {}, {{"A1", "Vite", 1250}}},
    RigaImport{"PrezzoZero", "A1;Vite;0,00;;NETTO", {"Riga 2 scartata: Prezzo a 0"}, {}},
    RigaImport{"PrezzoNegativo", "A1;Vite;-3,00;;NETTO", {}, {{"A1", "Vite", -3}}},
    RigaImport{"PrezzoNonNumerico",
               "A1;Vite;abc;;NETTO",
               {"Riga 2 scartata: Prezzo \"abc\" non valido"},
               {}},
    RigaImport{"PrezzoRipulitoNelMessaggio",
               "A1;Vite;\x80 1.2x ;;NETTO",
               {"Riga 2 scartata: Prezzo \"12x\" non valido"},
               {}},
    RigaImport{"SoloEuro", "A1;Vite;\x80;;NETTO", {"Riga 2 scartata: Prezzo non trovato"}, {}},
    RigaImport{"PrezzoVuoto", "A1;Vite;;;NETTO", {"Riga 2 scartata: Prezzo non trovato"}, {}},
    RigaImport{"PrezzoTraSpaziETabulazioni", "A1;Vite;\t 5,00 \t;;NETTO", {}, {{"A1", "Vite", 5}}},
    RigaImport{"PrezzoFuoriScala",
               "A1;Vite;1E20;;NETTO",
               {"Riga 2 scartata: Errore durante l'acquisizione", "numeric value is out of range"},
               {}},
    RigaImport{"ApostrofiComeAcuti",
               "L'A;Dell'olio;2,00;;NETTO",
               {},
               {{QString::fromUtf8("L´A"), QString::fromUtf8("Dell´olio"), 2}}},
    RigaImport{"SpaziConservati", " A1 ; Vite ;1,00;;NETTO", {}, {{" A1 ", " Vite ", 1}}},
    RigaImport{"Windows1252",
               "A1;Caff\xE8 \x80;1,00;;NETTO",
               {},
               {{"A1", QString::fromUtf8("Caffè €"), 1}}},
    RigaImport{"CtrlZChiudeIlFile",
               "A1;Vite;1,00;;NETTO\r\n\x1A"
               "B1;Dado;2,00;;NETTO",
               {},
               {{"A1", "Vite", 1}}},
};

// Every case on the same archive: each import empties the staging table first.
TEST_F(ImportazioneTest, UnaRigaScartataOAcquisita) {
    for (const RigaImport& caso : righeImport) {
        SCOPED_TRACE(caso.caso);
        port = ScriptedInterazione();
        ASSERT_TRUE(importa(caso.riga + "\r\n"));
        EXPECT_EQ(port.summary(),
                  caso.memo +
                      QStringList{
                          QStringLiteral("Totale righe acquisite: %1").arg(caso.acquisite.size())});
        EXPECT_EQ(netti(), caso.acquisite);
    }
}

TEST_F(ImportazioneTest, SoloIntestazione) {
    mettiNetti({{"VECCHIO", "x", 1}});
    ASSERT_TRUE(importa(""));
    EXPECT_EQ(port.summary(), QStringList{"Totale righe acquisite: 0"});
    EXPECT_TRUE(netti().empty());
    EXPECT_EQ(eventi, eventiCompleti());
    EXPECT_EQ(port.fileFolders(), QStringList{"/fornitori"});
    EXPECT_EQ(ricordato, QStringList{percorso});
    EXPECT_EQ(port.messages(), (QList<ScriptedInterazione::Message>{
                                   {Kind::ScegliFile, "Selezione file"},
                                   {Kind::Informazione, "Elaborazione completata"}}));
}

TEST_F(ImportazioneTest, NumeriDiRigaECodiciRipetuti) {
    ASSERT_TRUE(importa("A1;Vite;1;;NETTO\r\n"
                        "A2;Dado;1;;LORDO\r\n"
                        "A1;Dado;2;;NETTO\r\n"
                        "L'A;Primo;3;;NETTO\r\n"
                        "L'A;Secondo;4;;NETTO\r\n"
                        "A4;Rondella;;;NETTO\r\n"));
    EXPECT_EQ(port.summary(),
              (QStringList{"Riga 4 scartata: Codice \"A1\" già acquisito in una riga precedente",
                           "Riga 6 scartata: Codice \"L'A\" già acquisito in una riga precedente",
                           "Riga 7 scartata: Prezzo non trovato", "Totale righe acquisite: 2"}));
    EXPECT_EQ(netti(),
              (std::vector<Netto>{{"A1", "Vite", 1}, {QString::fromUtf8("L´A"), "Primo", 3}}));
}

// Refused before the staging table is touched: the last import stays.
TEST_F(ImportazioneTest, FileRifiutatoLasciaLaTabella) {
    const QString binario = scriviFile(QByteArray("H\r\nA1;Vite;1;;NETTO\r\n\0", 22), "b.csv");
    const QString mancante = ditta.dir() + "/mancante.csv";
    const std::pair<QString, QString> casi[] = {
        {binario, "Il file non è un file di testo (contiene caratteri nulli):\r" + binario},
        {mancante, "Errore interno durante l'accesso al file\r" + mancante + "\r"},
        {"/dev/null", "Errore interno durante l'accesso al file\r/dev/null\r"}};
    mettiNetti({{"VECCHIO", "x", 1}});
    for (const auto& [file, errore] : casi) {
        SCOPED_TRACE(file.toStdString());
        port = ScriptedInterazione();
        port.queueFile(file);
        EXPECT_FALSE(ImportazioneNetti(*contesto, port).Esegui());
        ASSERT_EQ(port.messages().size(), 2);
        EXPECT_EQ(port.messages()[1].kind, Kind::Errore);
        EXPECT_TRUE(port.messages()[1].text.startsWith(errore))
            << port.messages()[1].text.toStdString();
        EXPECT_EQ(port.summaryClears(), 0);
        EXPECT_EQ(netti(), (std::vector<Netto>{{"VECCHIO", "x", 1}}));
    }
}

TEST_F(ImportazioneTest, SceltaAnnullata) {
    EXPECT_FALSE(ImportazioneNetti(*contesto, port, agganci()).Esegui());
    EXPECT_EQ(port.messages().size(), 1);
    EXPECT_TRUE(eventi.isEmpty());
    EXPECT_TRUE(ricordato.isEmpty());
    EXPECT_TRUE(port.progressLogs().isEmpty());
}

TEST_F(ImportazioneTest, ProvaNonCambiaLaTabella) {
    mettiNetti({{"VECCHIO", "x", 1}});
    const QByteArray righe = "A1;Vite;1;;NETTO\r\nA2;Dado;0;;NETTO\r\n";
    ASSERT_TRUE(importa(righe, true));
    const QStringList riepilogo{"Riga 3 scartata: Prezzo a 0", "Totale righe acquisite: 1"};
    EXPECT_EQ(port.summary(), riepilogo);
    EXPECT_EQ(port.messages().last().text, "Elaborazione completata");
    EXPECT_EQ(netti(), (std::vector<Netto>{{"VECCHIO", "x", 1}}));
    // Nothing of the trial stays pending in the context's transaction either.
    ASSERT_TRUE(importa(righe));
    EXPECT_EQ(port.summary(), riepilogo);
    EXPECT_EQ(netti(), (std::vector<Netto>{{"A1", "Vite", 1}}));
}

TEST_F(ImportazioneTest, AvanzamentoEMigliaiaNelTotale) {
    QByteArray righe;
    for (int i = 0; i < 1234; ++i)
        righe += "C" + QByteArray::number(i) + ";Articolo;1,00;;NETTO\r\n";
    ASSERT_TRUE(importa(righe));
    EXPECT_EQ(port.summary(), QStringList{"Totale righe acquisite: 1.234"});
    ASSERT_EQ(port.progressLogs().size(), 1);
    const auto log = port.progressLogs().first();
    EXPECT_EQ(log.messages, (QStringList{"Analisi file", "Azzeramento tabella", "Inizializzazione",
                                         "Acquisizione file"}));
    EXPECT_EQ(log.barVisible, true);
    EXPECT_EQ(log.percent, 100);
    EXPECT_EQ(log.percentChanges, 100);
    EXPECT_EQ(port.pumpCount(), 1);
}

TEST_F(ImportazioneTest, InserimentoFallitoSegnalatoEProsegue) {
    ditta.exec({"CREATE EXCEPTION CODICE_VIETATO 'codice vietato'",
                "CREATE TRIGGER VIETA FOR MANUTENZIONENETTI BEFORE INSERT AS BEGIN "
                "IF (NEW.CODICE = 'BAD') THEN EXCEPTION CODICE_VIETATO; END"});
    ASSERT_TRUE(importa("A1;Vite;1;;NETTO\r\nBAD;Dado;2;;NETTO\r\nA3;Bullone;3;;NETTO\r\n"));
    const QStringList memo = port.summary();
    ASSERT_EQ(memo.size(), 3);
    EXPECT_EQ(memo[0], "Riga 3 scartata: Errore durante l'acquisizione");
    EXPECT_TRUE(memo[1].contains("codice vietato")) << memo[1].toStdString();
    EXPECT_EQ(memo[2], "Totale righe acquisite: 2");
    EXPECT_EQ(netti(), (std::vector<Netto>{{"A1", "Vite", 1}, {"A3", "Bullone", 3}}));
}

// Rows are checked and staged many at a time; whether the insert or the
// duplicate check goes first (a trigger on the table makes the check go
// first), every row comes out as one at a time would have it, failures in
// the middle of a block included.
class ImportazioneABlocchiTest : public ImportazioneTest,
                                 public ::testing::WithParamInterface<bool> {};

TEST_P(ImportazioneABlocchiTest, OgniRigaComeDaSola) {
    if (GetParam())
        ditta.exec("CREATE TRIGGER NIENTE FOR MANUTENZIONENETTI BEFORE INSERT AS BEGIN END");
    // A second unique index: an insert can fail without its code being there.
    ditta.exec("CREATE UNIQUE INDEX MANUTENZIONENETTI_DESCR ON MANUTENZIONENETTI(DESCRIZIONE)");
    const QString codiceLungo(31, u'K'), descrizioneLunga = QString(50, u'd') + u'x';
    std::map<int, QString> speciali{
        {3, "C1;Articolo 3;1,00;;NETTO"},   // repeated in the same block
        {60, "C2;Articolo 60;1,00;;NETTO"}, // repeated from an earlier block
        {61, "C2;Articolo 61;abc;;NETTO"},  // repeated, and no valid price
        {70, codiceLungo + ";Articolo 70;1,00;;NETTO"},
        {71, "C71;" + descrizioneLunga + ";1,00;;NETTO"},
        {72, "C72;Articolo 72;;;NETTO"},
        {73, "C73;Articolo 73;abc;;NETTO"},
        {74, "C74;Articolo 74;0,00;;NETTO"},
        {75, "C75;Articolo 75;1E20;;NETTO"},    // refused before it reaches the engine
        {101, "C101;Articolo 100;1,00;;NETTO"}, // refused by the other index
        {120, "C1 ;Articolo 120;1,00;;NETTO"},  // the database ignores trailing blanks
        {125, "C125;Articolo 125;1,00;;LORDO"}};
    QByteArray righe;
    std::vector<Netto> attese;
    for (int j = 0; j < 130; ++j) {
        const QString prezzo = QString::number(j + 1) + ",50";
        if (const auto s = speciali.find(j); s != speciali.end()) {
            righe += s->second.toLatin1() + "\r\n";
            if (j == 71)
                attese.push_back({"C71", descrizioneLunga.left(50), 1});
            continue;
        }
        righe += QStringLiteral("C%1;Articolo %1;%2;;NETTO\r\n").arg(j).arg(prezzo).toLatin1();
        attese.push_back(
            {QStringLiteral("C%1").arg(j), QStringLiteral("Articolo %1").arg(j), j + 1.5});
    }
    ASSERT_TRUE(importa(righe));

    const QString ripetuto = "scartata: Codice \"%1\" già acquisito in una riga precedente";
    QStringList memo = port.summary();
    ASSERT_EQ(memo.size(), 14);
    EXPECT_TRUE(memo[11].contains("MANUTENZIONENETTI_DESCR")) << memo[11].toStdString();
    memo.removeAt(11);
    EXPECT_EQ(
        memo,
        (QStringList{
            "Riga 5 " + ripetuto.arg("C1"), "Riga 62 " + ripetuto.arg("C2"),
            "Riga 63 " + ripetuto.arg("C2"),
            "Riga 72 scartata: Codice non può superare i 30 car., \"" + codiceLungo +
                "\" da 31 car.",
            "Riga 73: Descrizione non può superare i 50 car., \"" + descrizioneLunga +
                "\" da 51 car. - verrà troncata",
            "Riga 74 scartata: Prezzo non trovato", "Riga 75 scartata: Prezzo \"abc\" non valido",
            "Riga 76 scartata: Prezzo a 0", "Riga 77 scartata: Errore durante l'acquisizione",
            "numeric value is out of range", "Riga 103 scartata: Errore durante l'acquisizione",
            "Riga 122 " + ripetuto.arg("C1 "), "Totale righe acquisite: 119"}));
    std::sort(attese.begin(), attese.end(),
              [](const Netto& a, const Netto& b) { return a.codice < b.codice; });
    EXPECT_EQ(netti(), attese);
}

INSTANTIATE_TEST_SUITE_P(Ordine, ImportazioneABlocchiTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "ControlloPrima" : "InserimentoPrima");
});

// Another user holds rows (changed, or inserted and not yet committed) longer
// than the emptying waits for them: the import gives up, and nothing changed.
TEST_F(ImportazioneTest, AzzeramentoImpeditoDaUnAltroUtente) {
    const char* tenute[] = {"UPDATE MANUTENZIONENETTI SET PREZZO=2",
                            "INSERT INTO MANUTENZIONENETTI VALUES('A1', 'Altro', 3)"};
    mettiNetti({{"VECCHIO", "x", 1}});
    for (const char* tenuta : tenute) {
        SCOPED_TRACE(tenuta);
        port = ScriptedInterazione();
        eventi.clear();
        db::Transaction altro(&ditta.db());
        db::Statement blocca(&ditta.db(), &altro);
        blocca.setSql({tenuta});
        blocca.execute();
        percorso = scriviFile(Intestazione + "A1;Vite;1;;NETTO\r\n");
        port.queueFile(percorso);
        ImportazioneNetti importazione(*contesto, port, agganci());
        const std::chrono::milliseconds attesa(600);
        importazione.ImpostaAttesaTabellaOccupata(attesa);
        QElapsedTimer tempo;
        tempo.start();
        EXPECT_FALSE(importazione.Esegui());
        EXPECT_GE(tempo.elapsed(), attesa.count());
        EXPECT_TRUE(port.progressLogs().first().messages.endsWith(
            "Azzeramento tabella\nin attesa di un altro utente"));
        ASSERT_EQ(port.messages().last().kind, Kind::Errore);
        EXPECT_TRUE(port.messages().last().text.startsWith(
            "Errore interno durante l'azzeramento della tabella MANUTENZIONENETTI:\r"));
        EXPECT_EQ(port.summaryClears(), 0);
        EXPECT_EQ(eventi, QStringList{"file " + percorso});
        altro.rollback();
        EXPECT_EQ(netti(), (std::vector<Netto>{{"VECCHIO", "x", 1}}));
    }
}

TEST_F(ImportazioneTest, ErroreImprevistoAnnullaESegnala) {
    // A staging table without PREZZO: the insert cannot be prepared.
    db::Statement altera(&contesto->IBDatabase1, &contesto->IBTransaction1);
    altera.setSql({"ALTER TABLE MANUTENZIONENETTI DROP PREZZO"});
    altera.execute();
    contesto->IBTransaction1.commitRetaining();
    EXPECT_THROW(importa("A1;Vite;1;;NETTO\r\n"), db::DatabaseError);
    EXPECT_EQ(eventi, QStringList{"file " + percorso});
    EXPECT_EQ(port.messages().size(), 1); // the file choice: the caller reports the error
    EXPECT_TRUE(port.progressLogs().first().messages.endsWith("Inizializzazione"));
}

} // namespace
} // namespace mavo::test
