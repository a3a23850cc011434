// interroga storico: the history of the query windows from the command line.
#include "AmbienteCli.h"
#include "common/Testo.h"
#include "support/QtPrinters.h"

#include <QFile>

namespace mavo::test {
namespace {

class InterrogaStorico : public AmbienteCli {
protected:
    QString file(const QString& testo) { return fileDefinizione(testo.toUtf8()); }
};

const QString definizione = QStringLiteral("Numero;Nome;Mostra;Condizione\n"
                                           "1;ID;0;(ID <= 3)\n"
                                           "2;CODICE;1;\n"
                                           "3;DESCRIZIONE;0;\n"
                                           "4;PREZZOVENDITA;1;\n");

TEST_F(InterrogaStorico, SavedListedShownAndRunWithItsLayout) {
    const EsitoCli salva = interroga({"storico", "salva", "--tabella", "ANAMAG", "--definizione",
                                      file(definizione), "5", "1,5"});
    ASSERT_EQ(salva.codice, 0) << salva.err.toStdString();

    const EsitoCli elenco = interroga({"storico", "elenco"});
    EXPECT_EQ(elenco.codice, 0) << elenco.err.toStdString();
    EXPECT_EQ(elenco.righe(),
              QStringList({"Codice1;Codice2;Righe;Campi", "5;1,5;4;ID,CODICE,PREZZOVENDITA"}));

    const EsitoCli mostra = interroga({"storico", "mostra", "5", "1.5"});
    EXPECT_EQ(mostra.codice, 0) << mostra.err.toStdString();
    EXPECT_EQ(mostra.out, definizione);

    // The layout the window stored: PREZZOVENDITA first, the descending sort
    // key, thousands without decimals; CODICE next; ID hidden.
    eseguiSuArchivio("INSERT INTO STOASP VALUES (5, 1.5, 0, 'CODICE', 10, 1, 1, 0)");
    eseguiSuArchivio("INSERT INTO STOASP VALUES (5, 1.5, 1, 'PREZZOVENDITA', 12, 1, 0, 10102)");
    const EsitoCli esegui = interroga({"storico", "esegui", "--tabella", "ANAMAG", "5", "1,5"});
    EXPECT_EQ(esegui.codice, 0) << esegui.err.toStdString();
    QStringList attese = {"PREZZOVENDITA;CODICE"};
    const QStringList righe =
        suArchivio("SELECT LIST(R, '|') FROM (SELECT PREZZOVENDITA || ';' || CODICE AS R FROM "
                   "ANAMAG WHERE ID <= 3 "
                   "ORDER BY PREZZOVENDITA DESC, CODICE DESC)")
            .toString()
            .split(u'|', Qt::SkipEmptyParts);
    ASSERT_EQ(righe.size(), 3);
    for (const QString& riga : righe)
        attese << FormattaIntero(riga.section(u';', 0, 0).toDouble()) + u';' +
                      riga.section(u';', 1);
    EXPECT_EQ(esegui.righe(), attese);
}

TEST_F(InterrogaStorico, ASaveRefusedKeepsTheEntry) {
    ASSERT_EQ(interroga({"storico", "salva", "--tabella", "ANAMAG", "--definizione",
                         file(definizione), "5", "2"})
                  .codice,
              0);
    const struct {
        QString testo;
        const char* errore;
    } casi[] = {
        {"Numero;Nome;Mostra;Condizione\n1;ID;1;" + QString(256, u'1') + "\n",
         "la riga 1 (ID) ha una condizione di 256 caratteri, al massimo 255"},
        {"Numero;Nome;Mostra;Condizione\n1;NESSUNO;1;\n", "Column unknown"},
    };
    for (const auto& c : casi) {
        const EsitoCli esito = interroga(
            {"storico", "salva", "--tabella", "ANAMAG", "--definizione", file(c.testo), "5", "2"});
        EXPECT_EQ(esito.codice, 1);
        EXPECT_TRUE(esito.err.contains(c.errore)) << esito.err.toStdString();
        EXPECT_EQ(interroga({"storico", "mostra", "5", "2"}).out, definizione);
    }
    const EsitoCli nessuna = interroga({"storico", "esegui", "--tabella", "ANAMAG", "9", "9"});
    EXPECT_EQ(nessuna.codice, 1);
    EXPECT_TRUE(nessuna.err.contains("Nessuna query nello storico per la voce 9 9"));
    EXPECT_EQ(interroga({"storico", "mostra", "5", "uno"}).codice, 2);
}

TEST_F(InterrogaStorico, AChainFollowedToItsLastQuery) {
    ASSERT_EQ(interroga({"storico", "salva", "--tabella", "ANAMAG", "--definizione",
                         file(definizione), "5", "3"})
                  .codice,
              0);
    // The first query's marker as older versions wrote it ("1.234"); its
    // successor keeps the most expensive of the first query's articles.
    eseguiSuArchivio("INSERT INTO STOINT VALUES (5, 3, 5, 'QUERY SUCCESSIVA', 4, '1.234')");
    eseguiSuArchivio("INSERT INTO STOINT VALUES (2000, 1234, 1, 'QUERY PRECEDENTE', 4, '3')");
    eseguiSuArchivio("INSERT INTO STOINT VALUES (2000, 1234, 2, 'CODICE', 1, "
                     "'(PREZZOVENDITA = (SELECT MAX(PREZZOVENDITA) FROM RSUCC0100))')");
    eseguiSuArchivio("INSERT INTO STOINT VALUES (2000, 1234, 3, 'PREZZOVENDITA', 0, '')");
    const EsitoCli esito =
        interroga({"storico", "esegui", "--tabella", "ANAMAG", "--catena", "5", "3"});
    EXPECT_EQ(esito.codice, 0) << esito.err.toStdString();
    EXPECT_EQ(esito.righe(),
              QStringList({"CODICE", suArchivio("SELECT FIRST 1 CODICE FROM ANAMAG WHERE ID <= 3 "
                                                "ORDER BY PREZZOVENDITA DESC")
                                         .toString()}));
    EXPECT_EQ(suArchivio("SELECT COUNT(*) FROM RSUCC0100").toInt(), 3)
        << "the first query's answer, stored for user 1";

    // Without --catena the entry alone runs.
    EXPECT_EQ(interroga({"storico", "esegui", "--tabella", "ANAMAG", "5", "3"}).righe().size(), 4);
}

} // namespace
} // namespace mavo::test
