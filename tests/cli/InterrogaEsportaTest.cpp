#include "AmbienteCli.h"
#include "support/LeggiFoglio.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QRegularExpression>

namespace mavo::test {
namespace {

class InterrogaEsporta : public AmbienteCli {
protected:
    EsitoCli esporta(const QStringList& altri) {
        return interroga(QStringList{"esporta", "--tabella", "LISTINO", "--archivio", "listino"} +
                         altri);
    }
    QByteArray contenuto(const QString& nome) {
        QFile file(dir.filePath(nome));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(InterrogaEsporta, EveryType) {
    const int righe = suListino("SELECT COUNT(*) FROM LISTINO").toInt();
    ASSERT_GT(righe, 0);
    const QString intestazione =
        "s:ID | s:CODICEFORN | s:CODICE | s:DESCRIZIONE | s:PRLISTINO | s:PRACQNETTO | "
        "s:NETPIUONER | s:PREZZOVEN | s:PERCRICVEN";
    const struct {
        const char* tipo;
        const char* destinazione;
        const char* messaggio;
    } casi[] = {
        {"Testo", "listino con spazi.txt", "EXPORT SU FILE TERMINATO !!!"},
        {"ExcelX", "listino.xlsx", "EXPORT SU FILE EXCEL TERMINATO !!!"},
        {"Excel", "listino.xls", "EXPORT SU FILE EXCEL TERMINATO !!!"},
        {"ExcelL", "listinoL.xls", "EXPORT SU FILE EXCEL TERMINATO !!!"},
        {"ExcelLTesto", "listinoT.xls", "EXPORT SU FILE EXCEL TERMINATO !!!"},
        {"IB", "copia_listino", "EXPORT SU TABELLA IN FORMATO INTERBASE TERMINATO !!!"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.tipo);
        const QString destinazione =
            QString(c.tipo) == "IB" ? QString(c.destinazione) : dir.filePath(c.destinazione);
        const EsitoCli esito = esporta({"--tipo", c.tipo, "--destinazione", destinazione});
        EXPECT_EQ(esito.codice, 0);
        EXPECT_EQ(esito.out, "");
        // No progress bar off a terminal: the message alone.
        EXPECT_EQ(esito.err, QStringLiteral("INFORMAZIONE: %1\n").arg(c.messaggio));
        if (QString(c.tipo) == "IB") {
            EXPECT_EQ(suListino("SELECT COUNT(*) FROM COPIA_LISTINO").toInt(), righe);
        } else if (QString(c.tipo) == "Testo") {
            const QList<QByteArray> linee = contenuto(c.destinazione).split('\n');
            EXPECT_EQ(linee.size(), righe + 2); // header, rows, nothing after the last CR LF
            EXPECT_EQ(linee[0], "ID;CODICEFORN;CODICE;DESCRIZIONE;PRLISTINO;PRACQNETTO;NETPIUONER;"
                                "PREZZOVEN;PERCRICVEN\r");
            EXPECT_TRUE(
                contenuto(c.destinazione).contains("Macinacaff\xE8 per bar, cauzione \x80 5"));
        } else {
            const QStringList foglio = LeggiFoglio(destinazione);
            ASSERT_EQ(foglio.size(), righe + 2) << foglio.value(0).toStdString();
            EXPECT_EQ(foglio[1], intestazione);
            EXPECT_TRUE(foglio.contains(QRegularExpression(
                QString(c.tipo) == "ExcelLTesto"
                    ? "^s:\\d+ \\| s:.*Macinacaffè per bar, cauzione € 5 \\| .*"
                    : "^n:\\d+ \\| s:.*Macinacaffè per bar, cauzione € 5 \\| .*")));
        }
    }
}

TEST_F(InterrogaEsporta, TextOptionsAndGrouping) {
    const QString file = dir.filePath("prezzi.txt");
    const EsitoCli esito = esporta({"--tipo", "Testo", "--destinazione", file, "--separatore", "|",
                                    "--lunghezza-fissa", "--senza-intestazioni", "--raggruppa",
                                    "PRLISTINO=1", "--raggruppa", "PREZZOVEN=2"});
    ASSERT_EQ(esito.codice, 0) << esito.err.toStdString();
    const QList<QByteArray> linee = contenuto("prezzi.txt").split('\n');
    ASSERT_GT(linee.size(), 1);
    const QRegularExpression importo("^ *\\d{1,3}(\\.\\d{3})*,\\d{2}$");
    const QRegularExpression intero("^ *-?\\d{1,3}(\\.\\d{3})*$");
    for (const QByteArray& linea : linee.mid(0, linee.size() - 1)) {
        const QStringList campi = QString::fromLatin1(linea).split(u'|');
        ASSERT_EQ(campi.size(), 9) << linea.toStdString();
        EXPECT_TRUE(importo.match(campi[4]).hasMatch()) << linea.toStdString();
        EXPECT_TRUE(intero.match(campi[7]).hasMatch()) << linea.toStdString();
        EXPECT_EQ(campi[4].size(), 10); // right-aligned in the column
    }
}

TEST_F(InterrogaEsporta, RefusalsAndWrongLines) {
    const struct {
        QStringList argomenti;
        int codice;
        const char* inizio;
    } casi[] = {
        {{"--tipo", "IB", "--destinazione", "1COPIA"},
         1,
         "AVVISO: Nome di tabella non valido: \"1COPIA\""},
        {{"--tipo", "IB", "--destinazione", "LISTINO"},
         1,
         "ERRORE: La tabella LISTINO esiste già nell'archivio"},
        {{"--tipo", "Testo", "--destinazione", "x.txt", "--raggruppa", "NESSUNO=1"},
         1,
         "ERRORE: Il campo NESSUNO non è nella risposta"},
        {{"--tipo", "Testo", "--destinazione", "/nessuna/cartella/x.txt"},
         1,
         "ERRORE: Impossibile creare il file /nessuna/cartella/x.txt"},
        {{"--tipo", "Csv", "--destinazione", "x"}, 2, "ERRORE: Valore non ammesso per --tipo: Csv"},
        {{"--tipo", "Testo", "--destinazione", "x", "--raggruppa", "PRLISTINO=3"},
         2,
         "ERRORE: Valore non ammesso per --raggruppa"},
        {{"--tipo", "Testo", "--destinazione", "x", "--separatore", ";;"},
         2,
         "ERRORE: Valore non ammesso per --separatore"},
        {{"--tipo", "Testo"}, 2, "ERRORE: Manca l'argomento obbligatorio --destinazione"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.argomenti.join(' ').toStdString());
        const EsitoCli esito = esporta(c.argomenti);
        EXPECT_EQ(esito.codice, c.codice);
        EXPECT_TRUE(esito.err.startsWith(QString::fromUtf8(c.inizio))) << esito.err.toStdString();
    }
    EXPECT_EQ(
        suListino("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '1COPIA'").toInt(),
        0);
}

} // namespace
} // namespace mavo::test
