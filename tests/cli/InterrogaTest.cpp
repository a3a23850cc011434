#include "AmbienteCli.h"
#include "support/QtPrinters.h"
#include "support/SchemaOrdini.h"

#include <QFile>

namespace mavo::test {
namespace {

using InterrogaTest = AmbienteCli;

TEST_F(InterrogaTest, SqlIsPrintedAsBuilt) {
    const EsitoCli esito = interroga({"sql", "--tabella", "LISTINO", "--archivio", "listino"});
    EXPECT_EQ(esito.codice, 0) << esito.err.toStdString();
    EXPECT_EQ(esito.err, "");
    const QStringList righe = esito.righe();
    ASSERT_GE(righe.size(), 4);
    EXPECT_EQ(righe.first(), "SELECT");
    EXPECT_EQ(righe[1], "XX.ID,");
    EXPECT_EQ(righe.mid(righe.size() - 2), QStringList({"FROM ", "\"LISTINO\" XX "}));
}

TEST_F(InterrogaTest, AnswerOfADefinitionFile) {
    // Byte-order mark and CR LF; a condition holding ';'.
    const QString file = fileDefinizione("\xEF\xBB\xBFNumero;Nome;Mostra;Condizione\r\n"
                                         "1;CODICEFORN;1;(CODICEFORN IN ('2197';'X') OR 1=0)\r\n"
                                         "\r\n"
                                         "2;PRLISTINO;0;(CALC (COUNT(*)) AS N)\r\n");
    const EsitoCli esito = interroga(
        {"esegui", "--archivio", "listino", "--tabella", "LISTINO", "--definizione", file});
    EXPECT_EQ(esito.codice, 1) << "';' is no SQL: the server refuses it";
    EXPECT_TRUE(esito.err.startsWith(
        "ERRORE: Si prega di verificare la sintassi delle condizioni o dei collegamenti\n"))
        << esito.err.toStdString();

    const QString corretta = fileDefinizione("Numero;Nome;Mostra;Condizione\n"
                                             "1;CODICEFORN;1;(CODICEFORN = '2197')\n"
                                             "2;PRLISTINO;0;(CALC (COUNT(*)) AS N)\n"
                                             "3;DESCRIZIONE;0;d'arresto\n");
    const EsitoCli risposta = interroga(
        {"esegui", "--archivio", "listino", "--tabella", "LISTINO", "--definizione", corretta});
    EXPECT_EQ(risposta.codice, 0) << risposta.err.toStdString();
    const int attesi = suListino("SELECT COUNT(*) FROM LISTINO WHERE CODICEFORN = '2197' "
                                 "AND UPPER(DESCRIZIONE) LIKE '%D''ARRESTO%'")
                           .toInt();
    ASSERT_GT(attesi, 0);
    EXPECT_EQ(risposta.righe(),
              QStringList({"CODICEFORN;N", QStringLiteral("2197;%1").arg(attesi)}));
}

TEST_F(InterrogaTest, LinkedTablesAnswerJoined) {
    for (const QString& istruzione : SchemaOrdini)
        eseguiSuArchivio(istruzione);
    const QByteArray ordini = "Numero;Nome;Mostra;Condizione\n"
                              "1;NUM;1;\n2;CLIENTE;0;\n3;AGENTE;0;\n4;IMPORTO;0;\n";
    const struct {
        const char* caso;
        QByteArray collegate;
        QStringList attese; // after the titles, in order
    } casi[] = {
        {"Left", "5;CLIENTI = A;9;\n6;A.COD;8;CLIENTE\n7;A.NOME;1;ross\n", {"1;ROSSI"}},
        {"conditions first",
         "5;CLIENTI = A;9;P\n6;A.COD;8;CLIENTE\n7;A.NOME;1;ross\n",
         {"1;ROSSI", "2;", "3;"}},
        {"Right",
         "5;CLIENTI = A;3;\n6;A.COD;8;CLIENTE\n7;A.NOME;1;\n",
         {"1;ROSSI", "2;BIANCHI", ";VERDI"}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        const EsitoCli esito = interroga({"esegui", "--tabella", "ORDINI", "--definizione",
                                          fileDefinizione(ordini + c.collegate)});
        ASSERT_EQ(esito.codice, 0) << esito.err.toStdString();
        QStringList righe = esito.righe();
        ASSERT_FALSE(righe.isEmpty());
        EXPECT_EQ(righe.takeFirst(), "NUM;NOME");
        righe.sort();
        EXPECT_EQ(righe, c.attese);
    }
}

TEST_F(InterrogaTest, FailuresAndUsage) {
    const struct {
        QStringList argomenti;
        int codice;
        const char* inizio;
    } casi[] = {
        {{"esegui", "--tabella", "NESSUNA"},
         1,
         "ERRORE: Impossibile leggere la tabella NESSUNA\nDynamic SQL Error"},
        {{"sql", "--tabella", "T", "--definizione", "/nessuna/def.txt"},
         1,
         "ERRORE: Impossibile leggere il file di definizione /nessuna/def.txt\n"},
        {{"sql", "--utente", "77", "--tabella", "T"}, 1, "ERRORE: L'utente 77 non esiste"},
        {{}, 2, "ERRORE: Manca il comando (sql, esegui, esporta, grafico, stampa o storico)\n"},
        {{"sql"}, 2, "ERRORE: Manca l'argomento obbligatorio --tabella\n"},
        {{"sql", "--tabella", "T", "--archivio", "magazzino"},
         2,
         "ERRORE: Valore non ammesso per --archivio: magazzino\n"},
        {{"grafico", "--tabella", "T", "--x", "A", "--y", "B", "--tipo", "Normale"},
         2,
         "ERRORE: Manca l'argomento obbligatorio --png, --svg o --pdf\n"},
        {{"grafico", "--tabella", "T", "--x", "A", "--y", "B", "--tipo", "Normale", "--png", "a",
          "--svg", "b"},
         2,
         "ERRORE: Opzioni che si escludono: --png e --svg\n"},
        {{"grafico", "--archivio", "listino", "--tabella", "LISTINO", "--x", "DESCRIZIONE", "--y",
          "CODICEFORN", "--tipo", "Normale", "--png", "/tmp/mai.png"},
         1,
         "ERRORE: Il campo CODICEFORN non ha valori numerici per il grafico"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.argomenti.join(' ').toStdString());
        const EsitoCli esito = interroga(c.argomenti);
        EXPECT_EQ(esito.codice, c.codice);
        EXPECT_EQ(esito.out, "");
        EXPECT_TRUE(esito.err.startsWith(QString::fromUtf8(c.inizio))) << esito.err.toStdString();
    }
    const QString sbagliata = fileDefinizione("Numero;Nome;Condizione\n1;A;\n");
    EXPECT_TRUE(interroga({"sql", "--tabella", "LISTINO", "--definizione", sbagliata})
                    .err.contains("la prima riga deve essere Numero;Nome;Mostra;Condizione"));
}

TEST_F(InterrogaTest, ChartsAreDrawnWithoutADisplay) {
    const QString prezzi = fileDefinizione("Numero;Nome;Mostra;Condizione\n"
                                           "1;CODICEFORN;1;2197\n"
                                           "2;DESCRIZIONE;1;\n"
                                           "3;PRLISTINO;1;\n");
    const struct {
        const char* file;
        QStringList opzioni;
    } casi[] = {
        {"barre.png", {"--tipo", "Normale"}},
        {"pila.png", {"--tipo", "In pila", "--serie", "PRLISTINO", "--verticale"}},
        {"linee.svg", {"--tipo", "A linee", "--titolo", "Prezzi d'arresto"}},
        {"torta.pdf", {"--tipo", "A torta", "--originale"}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.file);
        const QString file = dir.filePath(c.file);
        const QString opzione = "--" + QString(c.file).section(u'.', 1);
        const EsitoCli esito =
            interroga(QStringList({"grafico", "--archivio", "listino", "--tabella", "LISTINO",
                                   "--definizione", prezzi, "--x", "DESCRIZIONE", "--y",
                                   "PRLISTINO", opzione, file}) +
                      c.opzioni);
        EXPECT_EQ(esito.codice, 0) << esito.err.toStdString();
        QFile scritto(file);
        ASSERT_TRUE(scritto.open(QIODevice::ReadOnly));
        const QByteArray inizio = scritto.read(8);
        EXPECT_TRUE(inizio.startsWith("\x89PNG") || inizio.startsWith("<?xml") ||
                    inizio.startsWith("%PDF"))
            << inizio.toStdString();
        EXPECT_GT(scritto.size(), 2000);
    }
}

} // namespace
} // namespace mavo::test
