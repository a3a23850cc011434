#include "query/campivisibili/CampiVisibili.h"
#include "query/campivisibili/ui/IBCamVisForm.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"
#include "support/SchemaOrdini.h"
#include "support/TestDb.h"

#include "StampaDefinizione.h"

#include "platform/ScriptedInterazione.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace mavo;

namespace mavo {
// The lists of the dialog readable in failure messages.
void PrintTo(const CampoVisibile& c, std::ostream* out) {
    *out << '{' << c.NomeCampo.toStdString() << ", " << c.Selezione << '}';
}
void PrintTo(const TabellaQuery& t, std::ostream* out) {
    *out << '{' << t.NomeTabella.toStdString() << ", " << t.PercorsoTabella.toStdString() << ", "
         << t.Lettera.toStdString() << ", " << t.Selezione << '}';
}
} // namespace mavo

namespace {

using RigheCv = std::initializer_list<std::tuple<QString, int, QString>>;

Definizione numerateCv(RigheCv elenco) {
    Definizione d;
    for (const auto& [nome, codice, condizione] : elenco)
        d.append({int(d.size()) + 1, nome, codice, condizione});
    return d;
}

QString condizioneLunga() {
    QString testo = QStringLiteral("(CLIENTE IN (");
    for (int i = 0; i < 200; ++i)
        testo += QString::number(1000 + i) + u',';
    return testo + QStringLiteral("0))");
}

// Orders with a customer joined Left and a province joined Right, a grey
// field, a hidden field with a condition longer than 255, then a lock row.
Definizione definizioneCv() {
    return numerateCv({{"NUM", 1, ""},
                       {"CLIENTE", 0, condizioneLunga()},
                       {"AGENTE", 0, ""},
                       {"IMPORTO", 5, ""},
                       {"CLIENTI = A", 9, ""},
                       {"A.COD", 8, "CLIENTE"},
                       {"A.NOME", 1, ""},
                       {"PROVINCE = B", 3, ""},
                       {"B.SIGLA", 8, "A.PROV"},
                       {"B.DESCR", 0, "rom"},
                       {"QUERY BLOCCATA", 7, "1"}});
}

QStringList campiCv(const TabellaQuery& tabella) {
    if (tabella.NomeTabella == u"ORDINI")
        return {"NUM", "CLIENTE", "AGENTE", "IMPORTO"};
    if (tabella.NomeTabella == u"CLIENTI")
        return {"COD", "NOME", "PROV"};
    return {"SIGLA", "DESCR"};
}

QVector<TabellaQuery> tutteMarcate(const Definizione& righe) {
    QVector<TabellaQuery> tabelle = TabelleQuery("ORDINI", {}, righe);
    for (TabellaQuery& t : tabelle)
        t.Selezione = true;
    return tabelle;
}

TEST(CampiVisibili, EveryTableAndFieldIsListedWithItsCode) {
    const Definizione righe = definizioneCv();
    const QVector<TabellaQuery> tabelle = tutteMarcate(righe);
    EXPECT_EQ(tabelle, QVector<TabellaQuery>({{"ORDINI", "", "", true},
                                              {"CLIENTI", "", "A", true},
                                              {"PROVINCE", "", "B", true}}));
    EXPECT_EQ(CampiTabelle(tabelle, righe, campiCv), QVector<CampoVisibile>({{"ORDINI", 9},
                                                                             {"NUM", 2},
                                                                             {"CLIENTE", 2},
                                                                             {"AGENTE", 1},
                                                                             {"IMPORTO", 2},
                                                                             {"CLIENTI = A", 9},
                                                                             {"A.COD", 0},
                                                                             {"A.NOME", 2},
                                                                             {"A.PROV", 0},
                                                                             {"PROVINCE = B", 9},
                                                                             {"B.SIGLA", 0},
                                                                             {"B.DESCR", 2}}));
    EXPECT_EQ(TabelleQuery("ORDINI", "C:\\ARCH\\",
                           numerateCv({{"X = A", 9, "SUB\\"}, {"Y = B", 9, "D:\\Y\\"}}))
                  .mid(1),
              QVector<TabellaQuery>(
                  {{"X", "C:\\ARCH\\SUB\\", "A", false}, {"Y", "D:\\Y\\", "B", false}}));
    EXPECT_EQ(QVector<int>(
                  {CodiceScambiato(0), CodiceScambiato(1), CodiceScambiato(2), CodiceScambiato(9)}),
              QVector<int>({1, 0, 2, 9}));
}

TEST(CampiVisibili, TheRebuildKeepsConditionsLinksAndMarkers) {
    const Definizione righe = definizioneCv();
    const QString lunga = condizioneLunga();
    const struct {
        const char* caso;
        QStringList marcate;   // tables
        QStringList scambiati; // fields toggled by the user
        RigheCv attese;
    } casi[] = {
        {"main table: a hidden field dropped, conditions and grey rows kept",
         {"ORDINI"},
         {"AGENTE", "NUM"},
         {{"NUM", 1, ""},
          {"CLIENTE", 0, lunga},
          {"IMPORTO", 5, ""},
          {"CLIENTI = A", 9, ""},
          {"A.COD", 8, "CLIENTE"},
          {"A.NOME", 1, ""},
          {"PROVINCE = B", 3, ""},
          {"B.SIGLA", 8, "A.PROV"},
          {"B.DESCR", 0, "rom"},
          {"QUERY BLOCCATA", 7, "1"}}},
        {"linked table: new fields in field order after its join links",
         {"CLIENTI"},
         {"A.PROV", "A.COD"},
         {{"NUM", 1, ""},
          {"CLIENTE", 0, lunga},
          {"AGENTE", 0, ""},
          {"IMPORTO", 5, ""},
          {"CLIENTI = A", 9, ""},
          {"A.COD", 8, "CLIENTE"},
          {"A.COD", 0, ""},
          {"A.NOME", 1, ""},
          {"A.PROV", 0, ""},
          {"PROVINCE = B", 3, ""},
          {"B.SIGLA", 8, "A.PROV"},
          {"B.DESCR", 0, "rom"},
          {"QUERY BLOCCATA", 7, "1"}}},
        {"the last table marked: the lock row stays",
         {"PROVINCE"},
         {"B.SIGLA"},
         {{"NUM", 1, ""},
          {"CLIENTE", 0, lunga},
          {"AGENTE", 0, ""},
          {"IMPORTO", 5, ""},
          {"CLIENTI = A", 9, ""},
          {"A.COD", 8, "CLIENTE"},
          {"A.NOME", 1, ""},
          {"PROVINCE = B", 3, ""},
          {"B.SIGLA", 8, "A.PROV"},
          {"B.SIGLA", 0, ""},
          {"B.DESCR", 0, "rom"},
          {"QUERY BLOCCATA", 7, "1"}}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        QVector<TabellaQuery> tabelle = TabelleQuery("ORDINI", {}, righe);
        for (TabellaQuery& t : tabelle)
            t.Selezione = c.marcate.contains(t.NomeTabella);
        QVector<CampoVisibile> campi = CampiTabelle(tabelle, righe, campiCv);
        for (CampoVisibile& campo : campi)
            if (c.scambiati.contains(campo.NomeCampo))
                campo.Selezione = CodiceScambiato(campo.Selezione);
        EXPECT_EQ(test::Testo(RicostruisciDefinizione(righe, tabelle, campi)),
                  test::Testo(numerateCv(c.attese)));
    }

    // Every field of a table without field rows comes back where it belongs.
    const Definizione senzaCampi =
        numerateCv({{"QUERY PRECEDENTE", 4, "12"}, {"CLIENTI = A", 9, ""}, {"A.COD", 8, "NUM"}});
    QVector<TabellaQuery> tabelle = tutteMarcate(senzaCampi);
    QVector<CampoVisibile> campi = CampiTabelle(tabelle, senzaCampi, campiCv);
    for (CampoVisibile& campo : campi)
        if (campo.NomeCampo == u"NUM" || campo.NomeCampo == u"A.NOME")
            campo.Selezione = CodiceScambiato(campo.Selezione);
    EXPECT_EQ(test::Testo(RicostruisciDefinizione(senzaCampi, tabelle, campi)),
              test::Testo(numerateCv({{"QUERY PRECEDENTE", 4, "12"},
                                      {"NUM", 0, ""},
                                      {"CLIENTI = A", 9, ""},
                                      {"A.COD", 8, "NUM"},
                                      {"A.NOME", 0, ""}})));
}

TEST(CampiVisibili, TheDialogMarksTogglesAndRebuilds) {
    test::TestDb archivio;
    archivio.exec(test::SchemaOrdini);
    ScriptedInterazione port;
    Definizione righe = definizioneCv();
    const Definizione prima = righe;
    TIBCamVisForm dialogo(righe, archivio.db(), "D01", "ORDINI", {}, port);
    dialogo.show();
    EXPECT_EQ(dialogo.windowTitle(), "Elaborazione Campi Visibili - Ditta: D01");
    EXPECT_EQ(dialogo.GrigliaTabelle->rowCount(), 3);
    EXPECT_FALSE(dialogo.VistaCampi->isVisible());

    QTest::mouseClick(dialogo.ButtonMostraCampi, Qt::LeftButton);
    EXPECT_EQ(port.messages(), QList<ScriptedInterazione::Message>(
                                   {{ScriptedInterazione::Kind::Informazione,
                                     "Selezionare almeno una tabella per proseguire"}}));
    EXPECT_FALSE(dialogo.VistaCampi->isVisible());

    dialogo.GrigliaTabelle->setCurrentCell(1, 0);
    test::tasto(*dialogo.GrigliaTabelle, Qt::Key_F3);
    EXPECT_EQ(dialogo.GrigliaTabelle->item(1, 2)->text(), "1");
    QTest::mouseClick(dialogo.ButtonMostraCampi, Qt::LeftButton);
    ASSERT_TRUE(dialogo.VistaCampi->isVisible());
    EXPECT_FALSE(dialogo.GrigliaTabelle->isEnabled());
    EXPECT_EQ(dialogo.size(), QSize(640, 480));
    QStringList righeGriglia;
    for (int r = 0; r < dialogo.GrigliaCampi->rowCount(); ++r)
        righeGriglia << dialogo.GrigliaCampi->item(r, 0)->text() + u'=' +
                            dialogo.GrigliaCampi->item(r, 1)->text();
    EXPECT_EQ(righeGriglia, QStringList({"CLIENTI = A=9", "A.COD=0", "A.NOME=2", "A.PROV=0"}));
    EXPECT_EQ(dialogo.GrigliaCampi->item(0, 0)->background().color(), QColor(255, 0, 0));
    EXPECT_EQ(dialogo.GrigliaCampi->item(2, 0)->background().color(), QColor(0, 255, 0));

    // A shown field cannot be toggled; "Rendi tutto vis." makes the others kept.
    dialogo.ScambiaCampo(2);
    QTest::mouseClick(dialogo.ButtonTuttoVisibile, Qt::LeftButton);
    EXPECT_EQ(
        dialogo.Campi(),
        QVector<CampoVisibile>({{"CLIENTI = A", 9}, {"A.COD", 1}, {"A.NOME", 2}, {"A.PROV", 1}}));
    QTest::mouseClick(dialogo.ButtonTuttoInvisibile, Qt::LeftButton);
    QCoreApplication::processEvents(); // the grid laid out where it now shows
    const QRect cella = dialogo.GrigliaCampi->visualItemRect(dialogo.GrigliaCampi->item(3, 0));
    // A user's double-click: a click, then the double-click event.
    QTest::mouseClick(dialogo.GrigliaCampi->viewport(), Qt::LeftButton, {}, cella.center());
    QTest::mouseDClick(dialogo.GrigliaCampi->viewport(), Qt::LeftButton, {}, cella.center());
    QTest::mouseClick(dialogo.ButtonAggiorna, Qt::LeftButton);
    EXPECT_EQ(dialogo.Esito, 1);
    Definizione attese = prima;
    attese.insert(7, {0, "A.PROV", 0, ""});
    for (qsizetype i = 0; i < attese.size(); ++i)
        attese[i].Numero = int(i) + 1;
    EXPECT_EQ(test::Testo(righe), test::Testo(attese));
}

} // namespace
