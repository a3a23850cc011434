#include "AmbienteCli.h"
#include "support/QtPrinters.h"

#include <QProcess>
#include <QRegularExpression>
#include <sys/resource.h>

namespace mavo::test {
namespace {

class InterrogaStampa : public AmbienteCli {
protected:
    EsitoCli stampa(const QString& tabella, const QStringList& altri) {
        return interroga(QStringList{"stampa", "--tabella", tabella} + altri);
    }
    // The text of a PDF, page by page, as poppler reads it.
    QStringList pagine(const QString& pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
        EXPECT_TRUE(p.waitForFinished(60000));
        QStringList testo = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
        if (!testo.isEmpty() && testo.last().trimmed().isEmpty())
            testo.removeLast();
        return testo;
    }
    void tabellaProva(int righe) {
        eseguiSuArchivio(QStringLiteral("RECREATE TABLE PROVA_STAMPA (ID INTEGER NOT NULL PRIMARY "
                                        "KEY, DESCRIZIONE VARCHAR(30), IMPORTO NUMERIC(15,2))"));
        eseguiSuArchivio(
            QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= %1) DO BEGIN "
                           "INSERT INTO PROVA_STAMPA VALUES (:I, 'Articolo ' || :I, :I * 1000.5); "
                           "I = I + 1; END END")
                .arg(righe));
    }
    static long piccoDeiFigli() {
        rusage uso{};
        getrusage(RUSAGE_CHILDREN, &uso);
        return uso.ru_maxrss;
    }
};

// Each kind: the title, the column titles, the values with their grouping,
// the totals and the page number reach the PDF's text.
TEST_F(InterrogaStampa, EachKindPrintsTitleColumnsValuesTotalsAndPageNumber) {
    tabellaProva(3);
    const struct {
        const char* tipo;
        const char* pagina;
    } casi[] = {{"0", "Pagina n° +1\\b"}, {"1", "Pagina N° 1\\b"}, {"2", "Pagina N° 1\\b"}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.tipo);
        const QString pdf = dir.filePath(QStringLiteral("stampa%1.pdf").arg(c.tipo));
        const EsitoCli esito =
            stampa("PROVA_STAMPA", {"--tipo", c.tipo, "--titolo", "Listino di prova", "--note",
                                    "Prezzi netti", "--raggruppa", "IMPORTO=1", "--totali",
                                    "IMPORTO", "--righe-per-pagina", "40", "--pdf", pdf});
        ASSERT_EQ(esito.codice, 0) << esito.err.toStdString();
        const QStringList testo = pagine(pdf);
        ASSERT_EQ(testo.size(), 1) << testo.join("\n----\n").toStdString();
        const QString& p = testo[0];
        for (const char* atteso :
             {"Listino di prova", "Prezzi netti", "ID", "DESCRIZIONE", "IMPORTO", "Articolo 1",
              "Articolo 3", "1.000,50", "3.001,50", "6.003,00"})
            EXPECT_TRUE(p.contains(QString::fromUtf8(atteso))) << atteso << "\n" << p.toStdString();
        EXPECT_TRUE(p.contains(QRegularExpression(QString::fromUtf8(c.pagina))));
        // The totals come after the last row.
        EXPECT_GT(p.indexOf("6.003,00"), p.indexOf("3.001,50")) << p.toStdString();
    }
}

// A long answer goes page after page, every page numbered, and the memory
// the tool needs does not grow with the rows.
TEST_F(InterrogaStampa, TenThousandRowsPageAfterPageWithFlatMemory) {
    const auto picco = [&](int righe, const char* tipo, QStringList* testo) {
        tabellaProva(righe);
        const QString pdf = dir.filePath(QStringLiteral("lunga%1_%2.pdf").arg(righe).arg(tipo));
        const EsitoCli esito = stampa("PROVA_STAMPA", {"--tipo", tipo, "--pdf", pdf});
        EXPECT_EQ(esito.codice, 0) << esito.err.toStdString();
        if (testo)
            *testo = pagine(pdf);
        return piccoDeiFigli();
    };
    for (const char* tipo : {"0", "1"}) {
        SCOPED_TRACE(tipo);
        const long mille = picco(1000, tipo, nullptr);
        QStringList testo;
        const long diecimila = picco(10000, tipo, &testo);
        EXPECT_LT(diecimila, mille + mille / 4) << mille << " KB, then " << diecimila << " KB";
        ASSERT_GT(testo.size(), 100);
        EXPECT_TRUE(testo.last().contains("Articolo 10000"));
        // The advanced project writes the number two wide: "Pagina n°  1".
        const QString numero = QString(tipo) == "0" ? "Pagina n° +%1\\b" : "Pagina N° %1\\b";
        for (int i : {0, 1, int(testo.size()) - 1})
            EXPECT_TRUE(testo[i].contains(QRegularExpression(numero.arg(i + 1)))) << i;
    }
}

} // namespace
} // namespace mavo::test
