// The history of queries and layouts, and the locks, on real archives.
#include "query/storico/Storico.h"
#include "db/DatabaseError.h"
#include "platform/ScriptedInterazione.h"
#include "query/blocco/Blocco.h"
#include "query/form/ElabAvanzate.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "query/storico/AspettoStorico.h"
#include "support/QtPrinters.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;

namespace {

using Kind = ScriptedInterazione::Kind;

// The archives the history lives in are the host's (character set NONE,
// Windows-1252 bytes).
class Storico : public testing::Test {
protected:
    void SetUp() override { storico.CreaTabelle(); }

    TestDb archivio{"storico.fdb", TestDb::Kind::Host};
    ArchivioStorico storico{archivio.db()};
};

Definizione ogniTipoDiRiga() {
    return {
        {1, "QUERY PRECEDENTE", mostra::MarcatoreCatena, "12"},
        {2, "COD", mostra::Nascosto, "(COD > 1)"},
        {3, "NOME", mostra::Mostrato, "l'albero ´ più è"},
        {4, "ANAGRA = A", mostra::TestataRight, "C:\\ARCHIVI\\x.fdb"},
        {5, "A.CODICE", mostra::Chiave, "COD"},
        {6, "A.RAGIONE", mostra::Grigio, "(A.RAGIONE = 'Società d''Italia')"},
        {7, "LISTINO = B", mostra::TestataLeft, "P"},
        {8, "PREZZO", mostra::Congelato, ""},
        {9, "QUERY BLOCCATA", mostra::Marcatore, "184 191 188 189 186 187"},
        {10, "QUERY SUCCESSIVA", mostra::MarcatoreCatena, "1234"},
    };
}

TEST_F(Storico, TablesAreMadeOnceWithTheirNamedKeys) {
    storico.CreaTabelle(); // again: nothing happens
    EXPECT_TRUE(storico.TabelleEsistenti());
    EXPECT_EQ(archivio
                  .scalar("SELECT LIST(TRIM(RDB$CONSTRAINT_NAME), ',') FROM (SELECT "
                          "RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS WHERE "
                          "RDB$CONSTRAINT_TYPE='PRIMARY KEY' AND RDB$RELATION_NAME IN "
                          "('STOINT','STOASP') ORDER BY 1)")
                  .toString(),
              "STOASP_CHIAVEPRIMARIA,STOINT_CHIAVEPRIMARIA");
}

TEST_F(Storico, DefinitionsComeBackAsTheyWereStored) {
    const Definizione righe = ogniTipoDiRiga();
    storico.SalvaInterrogazione({5, 1.5}, righe);
    storico.SalvaInterrogazione({5, 0.1}, {{1, "COD", 1, ""}});
    storico.SalvaInterrogazione({5, 2}, {{1, "NOME", 0, ""}});
    EXPECT_EQ(storico.LeggiInterrogazione({5, 1.5}), righe);
    // A FLOAT column holds 0.1 as single precision: the entry is still found.
    EXPECT_EQ(storico.LeggiInterrogazione({5, 0.1}), Definizione({{1, "COD", 1, ""}}));
    EXPECT_TRUE(storico.LeggiInterrogazione({5, 3}).isEmpty());
    // What the Windows programs read: the accented letters as Windows-1252 bytes.
    EXPECT_EQ(archivio
                  .isql("SET LIST ON; SELECT CONDIZIONE FROM STOINT WHERE NUMERO=3 AND "
                        "CODICE2=1.5;")
                  .simplified(),
              "CONDIZIONE l'albero ´ più è");

    // Stored rows in another order come back by Numero.
    archivio.exec({"DELETE FROM STOINT WHERE CODICE1=5 AND CODICE2=2",
                   "INSERT INTO STOINT VALUES (5, 2, 3, 'QUERY BLOCCATA', 7, '')",
                   "INSERT INTO STOINT VALUES (5, 2, 1, 'COD', 1, '')",
                   "INSERT INTO STOINT VALUES (5, 2, 2, 'NOME', 0, '')"});
    EXPECT_EQ(storico.LeggiInterrogazione({5, 2}),
              Definizione({{1, "COD", 1, ""}, {2, "NOME", 0, ""}, {3, "QUERY BLOCCATA", 7, ""}}));

    const QVector<VoceStorico> voci = storico.Elenco();
    ASSERT_EQ(voci.size(), 3);
    EXPECT_EQ(voci[1].chiave, (ChiaveStorico{5, 1.5}));
    EXPECT_EQ(voci[1].righe, 10);
    // Main-table fields shown or filtered on; linked ones and markers are not.
    EXPECT_EQ(voci[1].campi, QStringList({"COD", "NOME", "PREZZO"}));

    storico.EliminaInterrogazione({5, 1.5});
    EXPECT_TRUE(storico.LeggiInterrogazione({5, 1.5}).isEmpty());
    EXPECT_FALSE(storico.LeggiInterrogazione({5, 0.1}).isEmpty());
}

TEST_F(Storico, ASaveThatCannotBeCompletedKeepsThePreviousEntry) {
    const Definizione prima = ogniTipoDiRiga();
    storico.SalvaInterrogazione({1, 1.5}, prima);
    Definizione troppo = prima;
    troppo[2].Condizione = QString(256, u'x');
    try {
        storico.SalvaInterrogazione({1, 1.5}, troppo);
        ADD_FAILURE() << "a condition of 256 characters was stored";
    } catch (const db::DatabaseError& e) {
        EXPECT_TRUE(e.message().contains("la riga 3 (NOME) ha una condizione di 256 caratteri, "
                                         "al massimo 255"))
            << e.message().toStdString();
    }
    Definizione nome = prima;
    nome[0].Nome = QString(28, u'N');
    EXPECT_THROW(storico.SalvaInterrogazione({1, 1.5}, nome), db::DatabaseError);
    EXPECT_EQ(storico.LeggiInterrogazione({1, 1.5}), prima);

    // A failure in the middle of the writes (a repeated Numero) rolls back the delete too.
    Definizione doppia = prima;
    doppia[4].Numero = 2;
    EXPECT_THROW(storico.SalvaInterrogazione({1, 1.5}, doppia), db::DatabaseError);
    EXPECT_EQ(storico.LeggiInterrogazione({1, 1.5}), prima);
}

TEST_F(Storico, TheNextChainNumberFollowsTheHighest) {
    EXPECT_EQ(storico.NumeroQuerySuccessiva(), 1);
    // 1,233 entries of chained queries (and one of another kind, higher).
    archivio.exec("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 1233) DO BEGIN "
                  "INSERT INTO STOINT (CODICE1, CODICE2, NUMERO) VALUES (2000, :I, 1); "
                  "I = I + 1; END END");
    archivio.exec("INSERT INTO STOINT (CODICE1, CODICE2, NUMERO) VALUES (5, 9999, 1)");
    EXPECT_EQ(storico.NumeroQuerySuccessiva(), 1234);
}

TEST(NumeriStorico, ChainNumbersAndCodice2AsWritten) {
    const struct {
        const char* testo;
        int numero;
    } catene[] = {{"1234", 1234},  {"1.234", 1234}, {"1,234", 1234},
                  {"1 234", 1234}, {"7", 7},        {"", 0}};
    for (const auto& c : catene)
        EXPECT_EQ(LeggiNumeroCatena(c.testo), c.numero) << c.testo;
    EXPECT_EQ(TestoNumeroCatena(1234), "1234");

    double valore = 0;
    EXPECT_TRUE(LeggiCodice2("1,5", valore));
    EXPECT_EQ(valore, 1.5);
    EXPECT_TRUE(LeggiCodice2("1.5", valore));
    EXPECT_EQ(valore, 1.5);
    EXPECT_FALSE(LeggiCodice2("uno", valore));
    EXPECT_EQ(TestoCodice2(1.5), "1,5");
    EXPECT_EQ(TestoCodice2(double(0.1f)), "0,1");
    EXPECT_EQ(TestoCodice2(3), "3");
}

TEST(StatoCaricato, FlagsDerivedFromTheRows) {
    const RigaDefinizione campo{0, "COD", 1, ""}, bloccata{0, "QUERY BLOCCATA", 7, ""},
        unione{0, "ART", 9, "UNION"}, fine{0, "QUERY BLOCCATA", 7, "UNION"},
        precedente{0, "QUERY PRECEDENTE", 4, "3"}, successiva{0, "QUERY SUCCESSIVA", 4, "5"};
    const struct {
        const char* caso;
        Definizione righe;
        StatoDefinizione stato; // Bloccata, Affiancata, InCatena, F11, F12
    } casi[] = {
        {"plain", {campo}, {}},
        {"locked", {campo, bloccata}, {true, false, false, false, false}},
        {"locked, then a successor",
         {campo, bloccata, successiva},
         {true, false, true, false, true}},
        {"side by side", {campo, bloccata, unione, campo, fine}, {true, true, false, false, false}},
        {"successor of another", {precedente, campo}, {false, false, true, true, false}},
        {"in the middle of a chain",
         {precedente, campo, successiva},
         {false, false, true, true, true}},
        {"predecessor not first", {campo, precedente}, {false, false, true, false, false}},
    };
    for (const auto& c : casi) {
        const StatoDefinizione s = DerivaStato(c.righe);
        EXPECT_EQ(std::tuple(s.Bloccata, s.Affiancata, s.InCatena, s.F11, s.F12),
                  std::tuple(c.stato.Bloccata, c.stato.Affiancata, c.stato.InCatena, c.stato.F11,
                             c.stato.F12))
            << c.caso;
    }
}

// A layout stored for an answer of articles, put back on a fresh run.
class AspettoSalvato : public Storico {
protected:
    void SetUp() override {
        Storico::SetUp();
        archivio.exec({"CREATE TABLE ART (COD INTEGER, NOME VARCHAR(30), PREZZO DOUBLE PRECISION)",
                       "INSERT INTO ART VALUES (1, 'Vite', 1234.5)",
                       "INSERT INTO ART VALUES (2, 'Dado', 10)",
                       "INSERT INTO ART VALUES (3, 'Bullone', 99)"});
    }

    bool esegui() {
        return motore.EseguiInterrogazione(
            {{1, "COD", 1, ""}, {2, "NOME", 1, ""}, {3, "PREZZO", 1, ""}}, risposta, {}, false);
    }

    ScriptedInterazione port;
    TIBFQuerForm motore{port, archivio.db(), {.TabellaPrincipale = "ART"}};
    Risposta risposta{archivio.db()};
};

TEST_F(AspettoSalvato, ALayoutComesBackOnTheAnswer) {
    // PREZZO first and descending sort key, thousands with decimals; NOME
    // second key, narrower than its name; COD hidden, last.
    const Aspetto aspetto = {
        {0, "COD", 5, 0, 2, 0}, {1, "NOME", 2, 1, 1, 200}, {2, "PREZZO", 12, 1, 0, 10101}};
    storico.SalvaAspetto({5, 1.5}, aspetto);
    ASSERT_TRUE(esegui());
    ASSERT_TRUE(
        RecuperaAspettodaStorico(risposta, storico.LeggiAspetto({5, 1.5}), motore.Ordinato));
    EXPECT_TRUE(motore.Ordinato);
    EXPECT_EQ(risposta.Query().sql().mid(risposta.Query().sql().indexOf("ORDER BY")),
              QStringList({"ORDER BY", "3 DESCENDING, ", "2 DESCENDING"}));
    Dataset& dati = risposta.Dati();
    EXPECT_EQ(dati.fieldNames(), QStringList({"PREZZO", "NOME", "COD"}));
    EXPECT_EQ(dati.fieldByName("NOME")->displayLabel(), "NO");
    EXPECT_EQ(dati.fieldByName("PREZZO")->displayWidth(), 12);
    EXPECT_FALSE(dati.fieldByName("COD")->visible());
    EXPECT_EQ(risposta.Codici().TipoRaggruppamento(2), 1);
    QStringList cod;
    for (dati.first(); !dati.eof(); dati.next())
        cod << dati.fieldByName("COD")->asString();
    EXPECT_EQ(cod, QStringList({"1", "3", "2"}));
    // What is on the answer now is what was stored.
    EXPECT_FALSE(AspettoCambiato(storico.LeggiAspetto({5, 1.5}),
                                 AspettoDi(risposta.Dati(), risposta.Codici())));
}

TEST_F(AspettoSalvato, ALayoutOfAnotherAnswerIsLeftAlone) {
    ASSERT_TRUE(esegui());
    const RigaAspetto cod{0, "COD", 5, 0, 2, 0}, nome{1, "NOME", 2, 1, 1, 0},
        prezzo{2, "PREZZO", 12, 1, 0, 2};
    EXPECT_TRUE(EsisteAspettoCompatibile({cod, nome, prezzo}, risposta.Dati()));
    EXPECT_FALSE(EsisteAspettoCompatibile({cod, nome}, risposta.Dati())) << "PREZZO has no row";
    EXPECT_FALSE(
        EsisteAspettoCompatibile({cod, nome, prezzo, {3, "ALTRO", 5, 1, 3, 0}}, risposta.Dati()));
    EXPECT_FALSE(RecuperaAspettodaStorico(risposta, {cod, nome}, motore.Ordinato));
    EXPECT_TRUE(risposta.Dati().fieldByName("COD")->visible());

    // A row beyond the answer's fields never reaches a display code.
    risposta.Codici().SetCodice(0, 7);
    InizializzaRaggruppa(risposta.Codici(), {{1, "NOME", 2, 1, 1, 2}, {300, "X", 1, 1, 0, 9}});
    EXPECT_EQ(risposta.Codici().Numero(), 3);
    EXPECT_EQ(risposta.Codici().Codice(0), 0);
    EXPECT_EQ(risposta.Codici().Codice(1), 2);

    // Fewer stored rows, or more, is a change.
    EXPECT_TRUE(AspettoCambiato({cod, nome}, {cod, nome, prezzo}));
    EXPECT_TRUE(AspettoCambiato({cod, nome, prezzo}, {cod, nome}));
    EXPECT_TRUE(AspettoCambiato({}, {}));
    EXPECT_FALSE(AspettoCambiato({cod}, {cod}));
}

TEST(Chiave, ScrambledAsStoredQueriesHoldIt) {
    EXPECT_EQ(CriptaChiave("ABCDEF"), "184 191 188 189 186 187");
    EXPECT_EQ(CriptaChiave("ABCDEG"), "184 191 188 189 186 186");
    EXPECT_EQ(CriptaChiave("123456"), "200 207 204 205 202 203");
    EXPECT_EQ(CriptaChiave(QStringLiteral("èura€1")), "151 14 139 156 223 110");
}

Definizione conBlocco(const QString& chiave, bool dopoSuccessiva = false) {
    Definizione d = {{1, "COD", 1, ""}, {2, "QUERY BLOCCATA", 7, chiave}};
    if (dopoSuccessiva)
        d.append({3, "QUERY SUCCESSIVA", 4, "8"});
    return d;
}

TEST(Blocco, TransitionsAndTheirMessages) {
    const QString chiave = CriptaChiave("ABCDEF");
    const Definizione libera = {{1, "COD", 1, ""}};
    const struct {
        const char* caso;
        Definizione righe;
        bool bloccata;
        const char* chiaveAccettata; // typed in "&Accetta chiave" first (nullptr: none)
        TipoBlocco nuovo;
        const char* chiaveOk;
        bool riuscita;
        Definizione dopo;
        bool bloccataDopo;
        QStringList messaggi;
    } casi[] = {
        {"lock", libera, false, nullptr, TipoBlocco::Semplice, "", true, conBlocco(""), true, {}},
        {"lock with a key",
         libera,
         false,
         "ABCDEF",
         TipoBlocco::ConChiave,
         "ABCDEF",
         true,
         conBlocco(chiave),
         true,
         {"Nuova chiave corretta"}},
        {"lock with equal characters",
         libera,
         false,
         nullptr,
         TipoBlocco::ConChiave,
         "AAAAAA",
         false,
         libera,
         false,
         {"Impossibile proseguire: Chiave non valida"}},
        {"unlock", conBlocco(""), true, nullptr, TipoBlocco::Nessuno, "", true, libera, false, {}},
        {"add a key to the lock row before a chain marker",
         conBlocco("", true),
         true,
         nullptr,
         TipoBlocco::ConChiave,
         "ABCDEF",
         true,
         conBlocco(chiave, true),
         true,
         {}},
        {"unlock without the key",
         conBlocco(chiave),
         true,
         nullptr,
         TipoBlocco::Nessuno,
         "",
         false,
         conBlocco(chiave),
         true,
         {"Impossibile proseguire: Chiave non valida"}},
        {"unlock with a wrong key",
         conBlocco(chiave),
         true,
         "ABCDEG",
         TipoBlocco::Nessuno,
         "",
         false,
         conBlocco(chiave),
         true,
         {"Chiave Errata", "Impossibile proseguire: Chiave non valida"}},
        {"unlock with the key",
         conBlocco(chiave),
         true,
         "ABCDEF",
         TipoBlocco::Nessuno,
         "",
         true,
         libera,
         false,
         {}},
        {"drop the key, a chain marker after the lock row",
         conBlocco(chiave, true),
         true,
         "ABCDEF",
         TipoBlocco::Semplice,
         "",
         true,
         conBlocco("", true),
         true,
         {}},
        {"unchanged",
         conBlocco(""),
         true,
         nullptr,
         TipoBlocco::Semplice,
         "",
         true,
         conBlocco(""),
         true,
         {}},
    };
    for (const auto& c : casi) {
        ScriptedInterazione port;
        BloccoQuery blocco(port, c.bloccata, c.righe);
        if (c.chiaveAccettata)
            blocco.AccettaChiave(c.chiaveAccettata);
        Definizione righe = c.righe;
        bool bloccata = c.bloccata;
        EXPECT_EQ(blocco.Applica(c.nuovo, c.chiaveOk, righe, bloccata), c.riuscita) << c.caso;
        EXPECT_EQ(righe, c.dopo) << c.caso;
        EXPECT_EQ(bloccata, c.bloccataDopo) << c.caso;
        QStringList messaggi;
        for (const auto& m : port.messages())
            messaggi << m.text;
        EXPECT_EQ(messaggi, c.messaggi) << c.caso;
    }
}

TEST(Blocco, KeysRefusedBeforeAnythingHappens) {
    EXPECT_EQ(ChiaveNonAccettabile(""), "Inserire una chiave");
    EXPECT_EQ(ChiaveNonAccettabile("ABC"),
              "La chiave inserita deve essere composta da sei caratteri!");
    EXPECT_EQ(ChiaveNonAccettabile("zzzzzz"),
              "Impossibile inserire una chiave con tutti i caratteri uguali!");
    EXPECT_EQ(ChiaveNonAccettabile("zzzzzy"), std::nullopt);

    // Locked, unlocked and locked again: the new row takes the then last number.
    ScriptedInterazione port;
    Definizione righe = {{1, "COD", 1, ""}, {2, "NOME", 1, ""}};
    bool bloccata = false;
    BloccoQuery(port, bloccata, righe).Applica(TipoBlocco::Semplice, "", righe, bloccata);
    BloccoQuery(port, bloccata, righe).Applica(TipoBlocco::Nessuno, "", righe, bloccata);
    righe.append({3, "PREZZO", 1, ""});
    BloccoQuery(port, bloccata, righe).Applica(TipoBlocco::Semplice, "", righe, bloccata);
    EXPECT_EQ(righe.last(), (RigaDefinizione{4, "QUERY BLOCCATA", 7, ""}));
}

TEST(ElaborazioniAvanzate, RefusalsOfTheDialog) {
    const StatoElaborazioni libera{}, bloccata{0, false, false, true},
        affiancata{0, false, true, true}, successiva{1, true, false, false},
        primaDellaCatena{0, true, false, false}, successivaBloccata{2, true, false, true};
    const QString no = QStringLiteral("Attenzione: operazione non possibile, ");
    const struct {
        QString parola;
        StatoElaborazioni stato;
        QString rifiuto; // empty: chosen
    } casi[] = {
        {elaborazione::CampiVisibili, libera, ""},
        {elaborazione::CampiVisibili, bloccata, no + "la Query è bloccata!"},
        {elaborazione::CampiVisibili, successiva, no + "la Query è successiva!"},
        {elaborazione::BloccaQuery, bloccata, ""},
        {elaborazione::BloccaQuery, affiancata, no + "la Query è affiancata!"},
        {elaborazione::QueryAffiancata, libera, no + "la Query deve essere bloccata!"},
        {elaborazione::QueryAffiancata, bloccata, ""},
        {elaborazione::TogliQueryAffiancata, bloccata,
         no + "la Query deve avere almeno un affiancamento!"},
        {elaborazione::TogliQueryAffiancata, affiancata, ""},
        {elaborazione::PassaPrecedente, libera, no + "la Query non è successiva!"},
        {elaborazione::PassaPrecedente, primaDellaCatena, no + "nessuna query precedente!"},
        {elaborazione::PassaPrecedente, successiva, ""},
        {elaborazione::PassaSuccessiva, libera, ""},
        {elaborazione::EliminaSuccessiva, libera, no + "nessuna query successiva presente!"},
        {elaborazione::EliminaSuccessiva, primaDellaCatena, no + "query iniziale!"},
        {elaborazione::EliminaSuccessiva, successivaBloccata, no + "query bloccata!"},
        {elaborazione::EliminaSuccessiva, successiva, ""},
    };
    for (const auto& c : casi)
        EXPECT_EQ(RifiutoElaborazione(c.parola, c.stato).value_or(""), c.rifiuto)
            << c.parola.toStdString();
}

} // namespace
