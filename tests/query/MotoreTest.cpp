#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "support/QtPrinters.h"
#include "support/TestDb.h"

#include "dataset/IbQuery.h"
#include "platform/ScriptedInterazione.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

// Movements of a small ledger: code, customer, amount, date, notes.
class Motore : public testing::Test {
protected:
    void SetUp() override {
        archivio.exec({"CREATE TABLE MOV (COD INTEGER NOT NULL PRIMARY KEY, CLIENTE VARCHAR(40), "
                       "IMPORTO NUMERIC(15,2), DATA DATE, NOTE BLOB SUB_TYPE 1)",
                       "INSERT INTO MOV VALUES (1, 'D''ANGELO', 10.5, '2024-01-05', 'prima nota')",
                       "INSERT INTO MOV VALUES (2, 'Rossi', -3.25, '2024-01-20', NULL)",
                       "INSERT INTO MOV VALUES (3, 'rossini', 7, '2024-02-10', 'casa')",
                       "INSERT INTO MOV VALUES (4, 'Bianchi', NULL, '2024-03-01', NULL)"});
    }

    // Runs the definition (rows numbered from 1) and reads the answer.
    QList<QVariantList>
    esegui(std::initializer_list<std::tuple<const char*, int, const char*>> righe,
           bool* riuscita = nullptr) {
        Definizione d;
        for (const auto& [nome, codice, condizione] : righe)
            d.append({int(d.size()) + 1, nome, codice, QString::fromUtf8(condizione)});
        const bool esito = motore.EseguiInterrogazione(d, risposta, {}, false);
        if (riuscita)
            *riuscita = esito;
        QList<QVariantList> letto;
        if (!esito || !risposta.Aperta())
            return letto;
        Dataset& dati = risposta.Dati();
        for (dati.first(); !dati.eof(); dati.next()) {
            QVariantList riga;
            for (int i = 0; i < dati.fieldCount(); ++i)
                riga << dati.field(i)->value();
            letto << riga;
        }
        return letto;
    }

    test::TestDb archivio;
    QTemporaryDir lavoro;
    ScriptedInterazione port;
    TIBFQuerForm motore{
        port, archivio.db(), {.TabellaPrincipale = "MOV", .DirectoryLavoro = lavoro.path()}};
    Risposta risposta{archivio.db()};
};

QList<QVariantList> codici(std::initializer_list<int> elenco) {
    QList<QVariantList> righe;
    for (int c : elenco)
        righe << QVariantList{c};
    return righe;
}

TEST_F(Motore, SearchesAndConditions) {
    const struct {
        const char* caso;
        const char* campo;
        const char* condizione;
        QList<QVariantList> attese;
    } casi[] = {
        {"ricerca senza maiuscole", "CLIENTE", "ross", codici({2, 3})},
        {"apostrofo", "CLIENTE", "d'angelo", codici({1})},
        {"memo", "NOTE", "CAS", codici({3})},
        {"date giorno/mese/anno", "DATA", "(data >= '20/01/2024' and data < '1/3/2024')",
         codici({2, 3})},
        {"nome del campo dentro una parola", "IMPORTO", "(IMPORTO > 0 AND COD <> 1)", codici({3})},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(esegui({{"COD", 1, ""}, {c.campo, 0, c.condizione}}), c.attese);
    }
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Motore, TotalsPerGroupAndPerMonth) {
    EXPECT_EQ(esegui({{"CLIENTE", 0, "ross"}, {"IMPORTO", 0, "CALC(SUM(XX.IMPORTO))"}}),
              QList<QVariantList>({{3.75}}));
    EXPECT_EQ(esegui({{"DATA", 0, "(EXTRACT (MONTH from DATA)) AS Mese"},
                      {"IMPORTO", 0, "(CALC (SUM(IMPORTO)) AS TOT)"},
                      {"COD", 0, "(COD < 4)"}}),
              QList<QVariantList>({{1, 7.25}, {2, 7.0}}));
}

TEST_F(Motore, RunningSumsAndIntegerParts) {
    // The answer's own order, then the order given to the sum.
    EXPECT_EQ(esegui({{"COD", 1, ""}, {"IMPORTO", 1, "(CALC SOMMAPROG(IMPORTO) AS PROG)"}}),
              QList<QVariantList>(
                  {{1, 10.5, 10.5}, {2, -3.25, 7.25}, {3, 7.0, 14.25}, {4, QVariant(), 14.25}}));
    EXPECT_TRUE(risposta.Calcolata());
    EXPECT_EQ(esegui({{"COD", 1, ""},
                      {"IMPORTO", 1, "(CALC (SOMMAPROG(IMPORTO, COD DESC)) AS PROG)"},
                      {"DATA", 0, "CALC INTEROVEK(IMPORTO) AS INTERO"}}),
              QList<QVariantList>({{4, QVariant(), 0.0, QVariant()},
                                   {3, 7.0, 7.0, 7.0},
                                   {2, -3.25, 3.75, -3.0},
                                   {1, 10.5, 14.25, 10.0}}));
    EXPECT_TRUE(port.messages().isEmpty());

    // A wrong order: told, and the sums follow the answer's own order.
    EXPECT_EQ(esegui({{"COD", 1, "(COD < 3)"},
                      {"IMPORTO", 1, "(CALC SOMMAPROG(IMPORTO, NESSUNO) AS P)"}}),
              QList<QVariantList>({{1, 10.5, 10.5}, {2, -3.25, 7.25}}));
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages()[0].text,
              "Errore impostazioni campi ordinamento! Verificare e correggere");
}

TEST_F(Motore, ASyntaxErrorIsToldAndTheToolStaysUsable) {
    bool riuscita = true;
    EXPECT_TRUE(esegui({{"COD", 1, "(COD >>> 1)"}}, &riuscita).isEmpty());
    EXPECT_FALSE(riuscita);
    EXPECT_FALSE(risposta.Aperta());
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_TRUE(port.messages()[0].text.startsWith(
        "Si prega di verificare la sintassi delle condizioni o dei collegamenti\r"));
    EXPECT_EQ(esegui({{"COD", 1, "(COD = 2)"}}), codici({2}));
}

TEST_F(Motore, NothingTypedInAConditionCanWrite) {
    archivio.exec("CREATE PROCEDURE CANCELLA RETURNS (X INTEGER) AS "
                  "BEGIN DELETE FROM MOV; X = 1; SUSPEND; END");
    bool riuscita = true;
    esegui({{"COD", 1, "(COD IN (SELECT X FROM CANCELLA))"}}, &riuscita);
    EXPECT_FALSE(riuscita);
    EXPECT_EQ(archivio.scalar("SELECT COUNT(*) FROM MOV").toInt(), 4);
}

TEST_F(Motore, ClipboardModeWritesTheStatementAndOpensNothing) {
    motore.CopiaSql = true;
    esegui({{"CLIENTE", 1, "(CLIENTE = 'D''ANGELO')"}});
    EXPECT_FALSE(risposta.Aperta());
    EXPECT_EQ(motore.MemoPerClipboard, QStringList({"SELECT", "XX.CLIENTE", "FROM ", "\"MOV\" XX ",
                                                    "WHERE ", "((XX.CLIENTE = ''D''''ANGELO''))"}));
}

TEST_F(Motore, FieldTypesOfTheMainAndOfALinkedTable) {
    archivio.exec("CREATE TABLE CLI (NOME VARCHAR(40), NATO TIMESTAMP)");
    const Definizione d{{1, "COD", 1, ""},
                        {2, "CLI = B", 9, ""},
                        {3, "B.NOME", 8, "CLIENTE"},
                        {4, "B.NATO", 1, ""}};
    const struct {
        const char* nome;
        int tipo;
    } casi[] = {{"COD", 3},   {"CLIENTE", 1}, {"IMPORTO", 6}, {"DATA", 9},
                {"NOTE", 16}, {"B.NATO", 11}, {"B.NOME", 1},  {"NESSUNO", 0}};
    for (const auto& c : casi)
        EXPECT_EQ(motore.DeterminaTipoCampo(c.nome, d), c.tipo) << c.nome;
}

TEST(MotoreGrandiDati, AMillionRowAnswerOpensWithOneBlock) {
    test::TestDb archivio;
    archivio.exec({"CREATE TABLE GRANDE(ID INTEGER NOT NULL PRIMARY KEY, DESCRIZIONE VARCHAR(40))",
                   "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 1000000) DO "
                   "BEGIN INSERT INTO GRANDE VALUES(:I, 'Articolo ' || :I); I = I + 1; END END"});
    ScriptedInterazione port;
    TIBFQuerForm motore(port, archivio.db(), {.TabellaPrincipale = "GRANDE"});
    Risposta risposta(archivio.db());
    ASSERT_TRUE(motore.EseguiInterrogazione({{1, "ID", 1, ""}, {2, "DESCRIZIONE", 1, ""}}, risposta,
                                            {}, false));
    EXPECT_EQ(risposta.Query().fetchedCount(), 1000);
}

} // namespace
