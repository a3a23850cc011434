#include "query/stampa/Stampa.h"
#include "Vendite.h"
#include "platform/Cp1252.h"
#include "query/stampa/GenTabSt.h"
#include "query/stampa/ProgettoLst.h"
#include "query/stampa/RigheTesto.h"
#include "query/stampa/disegno/DisegnoStampa.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace mavo::test {
namespace {

// A page of the print tables in short: "T" title, "N" notes, "" empty, "C"
// column titles, "-" rule, "d" a data line, "|" a filler, "P<n>" a page number.
QStringList paginaBreve(const QList<QVariantList>& righe, int pagina, const QStringList& testate) {
    // The column-title line with everything but its separators blanked.
    const QString riempitiva = QString(testate[3]).replace(QRegularExpression("[^|]"), " ");
    QStringList breve;
    for (const QVariantList& r : righe) {
        if (r[0].toInt() != pagina)
            continue;
        const QString t = r[3].toString();
        breve << (t == testate[0]              ? QStringLiteral("T")
                  : t == testate[1]            ? QStringLiteral("N")
                  : t == testate[3]            ? QStringLiteral("C")
                  : t == testate[4]            ? QStringLiteral("-")
                  : t == riempitiva            ? QStringLiteral("|")
                  : t.startsWith("Pagina N° ") ? "P" + t.mid(10)
                  : t.startsWith("|dato")      ? QStringLiteral("d")
                                               : t);
    }
    return breve;
}

TEST(GenTabSt, PagesFillersAndPageNumbers) {
    const QStringList testate = {"Titolo", "Note", "", "|A   |B |", "---------", ""};
    const QStringList intestazione = {"T", "N", "", "C", "-"};
    const struct {
        QString righe;
        bool numera;
        int dati;
        QList<QStringList> pagine; // after the five header lines
    } casi[] = {
        {"10",
         true,
         7,
         {{"d", "d", "d", "-", "P1"}, {"d", "d", "d", "-", "P2"}, {"d", "|", "|", "-", "P3"}}},
        {"10", false, 7, {{"d", "d", "d", "d", "d"}, {"d", "d", "|", "|", "|"}}},
        {"10", true, 3, {{"d", "d", "d", "-", "P1"}}},
        {"9", true, 2, {{"d", "d", "-", "P1"}}},
        // Not a number: 50 rows a page.
        {"cinquanta", false, 1, {QStringList{"d"} + QStringList(44, "|")}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.righe.toStdString() + (c.numera ? " numbered" : ""));
        QTemporaryDir lavoro;
        TGenTabStForm g(testate, c.numera, lavoro.path(), c.righe);
        for (int i = 0; i < c.dati; ++i)
            g.AggiungiRiga("|dato" + QString::number(i));
        g.TerminaUltimaPagina();
        EXPECT_EQ(g.Pagine(), c.pagine.size());
        EXPECT_EQ(g.TabTestatT().count(), c.pagine.size());
        const QList<QVariantList> righe = g.TabRigheT().rows();
        for (int p = 0; p < c.pagine.size(); ++p)
            EXPECT_EQ(paginaBreve(righe, p + 1, testate), intestazione + c.pagine[p]) << p + 1;
        // Lines are numbered from 1 on each page, in order.
        for (qsizetype i = 1; i < righe.size(); ++i) {
            if (righe[i][0] == righe[i - 1][0]) {
                EXPECT_EQ(righe[i][1].toInt(), righe[i - 1][1].toInt() + 1);
            }
        }
    }
}

// What is printed, without an answer behind it: the fields and the rows.
SorgenteStampa sorgente(const QVector<CampoStampa>& campi, const QList<QVariantList>& righe) {
    SorgenteStampa s;
    s.Campi = campi;
    s.Scorri = [righe](const std::function<void(const QVariantList&)>& perRiga) {
        for (const QVariantList& r : righe)
            perRiga(r);
    };
    return s;
}

CampoStampa campo(const QString& nome, FieldType tipo, int larghezza, int posizione,
                  int codice = 0) {
    return {.Nome = nome,
            .Etichetta = nome,
            .Tipo = tipo,
            .Scala = tipo == FieldType::Float ? 2 : 0,
            .Larghezza = larghezza,
            .Visibile = true,
            .Posizione = posizione,
            .Codice = codice};
}

QStringList righeDi(const SorgenteStampa& s, bool memo) {
    RigheTesto r(s, memo);
    QStringList linee;
    r.Genera([&](const QString& l) { linee << l; });
    return linee;
}

TEST(RigheTesto, LinesMemosTotalsAndTheRightEdge) {
    const QString memo = "uno due tre\r\nquattro";
    // IMPORTO has totals shown "%.2n" (code 11); QTA totals without grouping.
    const QVector<CampoStampa> campi = {
        campo("COD", FieldType::Integer, 4, 0),
        campo("NOTE", FieldType::Memo, 7, 1),
        campo("IMPORTO", FieldType::Float, 10, 2, 11),
        campo("QTA", FieldType::SmallInt, 3, 3, 10),
    };
    const QList<QVariantList> righe = {{1, memo, 1234.5, 2}, {2, "a\nb", 0.25, 123456}};
    EXPECT_EQ(righeDi(sorgente(campi, righe), true),
              (QStringList{"|1   |uno due|  1.234,50|2  |", "|    |tre    |          |   |",
                           "|    |quattro|          |   |", "|2   |a      |      0,25|###|",
                           "|    |b      |          |   |", "-----------------------------",
                           "|    |       |  1.234,75|###|"}));
    // Without the memo option a memo is one line, its line ends blanks.
    EXPECT_EQ(righeDi(sorgente(campi, righe), false).mid(0, 2),
              (QStringList{"|1   |uno due|  1.234,50|2  |", "|2   |a b    |      0,25|###|"}));

    // Wider than 137 characters: the piece that reaches the edge is cut, the
    // ones after it left out with their "|".
    const QVector<CampoStampa> larghi = {
        campo("A", FieldType::String, 60, 0), campo("B", FieldType::String, 60, 1),
        campo("C", FieldType::String, 30, 2), campo("D", FieldType::String, 5, 3)};
    const QStringList linee = righeDi(
        sorgente(larghi, {{QString(70, 'a'), QString(70, 'b'), QString(40, 'c'), "d"}}), false);
    ASSERT_EQ(linee.size(), 1);
    EXPECT_EQ(linee[0],
              "|" + QString(60, 'a') + "|" + QString(60, 'b') + "|" + QString(13, 'c') + "|");
    EXPECT_EQ(linee[0].size(), 137);
    const SorgenteStampa vuota = sorgente(larghi, {});
    RigheTesto r(vuota, false);
    EXPECT_EQ(r.RigaTitoli().size(), 137);
}

TEST(RigheTesto, MemoLinesCountedOnTheColumnWidth) {
    SorgenteStampa s = sorgente({campo("NOTE", FieldType::Memo, 5, 0)}, {});
    const struct {
        QString testo;
        int righe;
    } casi[] = {{"", 0}, {"breve", 1}, {"uno due tre", 3}, {"a\r\n\r\nb", 2}, {"abcdefghij", 2}};
    for (const auto& c : casi)
        EXPECT_EQ(DeterminaNumeroMassimoRighe(s, {c.testo}), c.righe) << c.testo.toStdString();
}

class ProgettiStampa : public Vendite {};

QByteArray leggi(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(ProgettiStampa, AdvancedProjectColumnsPortraitAndLandscape) {
    apri();
    // IMPORTO with totals and "%.2n", COSTO with totals.
    risposta.Codici().SetCodice(risposta.Dati().findField("IMPORTO")->fieldNo(), 11);
    risposta.Codici().SetCodice(risposta.Dati().findField("COSTO")->fieldNo(), 10);
    for (const char* nome : {"CITTA", "QTA", "DATA", "NOTE", "CONTO", "ORA", "GIORNO"})
        risposta.Dati().findField(nome)->setVisible(false);
    // Below 3 characters a column is 20000 wide, else two millimetres a character.
    risposta.Dati().findField("COD")->setDisplayWidth(2);
    risposta.Dati().findField("IMPORTO")->setDisplayWidth(12);
    risposta.Dati().findField("COSTO")->setDisplayWidth(15);
    QVector<CampoStampa> campi = CampiDaStampare(risposta.Dati(), &risposta.Codici());
    const QString q = QString(kVirgolette);
    for (const bool orizzontale : {false, true}) {
        SCOPED_TRACE(orizzontale ? "landscape" : "portrait");
        StatoStampa stato;
        const QString file = lavoro.filePath(orizzontale ? "o.lst" : "v.lst");
        CreaFileLSTAvanzato(file,
                            {.Campi = campi,
                             .UnRecord = false,
                             .TotaliVoluti = true,
                             .Orizzontale = orizzontale,
                             .NumeraPagine = true,
                             .MemoEstesi = false,
                             .Carattere = {"Arial", 8}},
                            stato);
        EXPECT_TRUE(stato.ReportAggiornato);
        const QByteArray byte = leggi(file);
        ASSERT_TRUE(byte.endsWith(" User99=@Utente49\r\n User100=@Utente50\r\n"));
        EXPECT_EQ(byte.count('\n'), byte.count("\r\n"));
        const QStringList linee = fromCp1252(byte).split("\r\n");
        const qsizetype dettaglio = linee.indexOf(" [Columns]");
        ASSERT_GT(dettaglio, 0);
        const QString coda = ",Separator=TRUE,SepWidth=0,Expression=TRUE,Space=(1000,500,1000,"
                             "500),bRTF=FALSE,Text=";
        const QString totali = ",Separator=TRUE,SepWidth=0,Expression=TRUE, Font={(0,0,0),8,-11,"
                               "0,0,0,700,0,0,0,0,3,2,1,34,Arial},Space=(1000,500,1000,500),"
                               "bRTF=FALSE,Text=";
        const QStringList cornici = {"  Frame0=,Show=TRUE,Width=0,SpaceOut=0",
                                     "  Frame1=,Show=TRUE,Width=0,SpaceOut=0",
                                     "  Frame2=,Show=TRUE,Width=0,SpaceOut=0"};
        const QStringList attese =
            QStringList{" [Columns]", "  {", "  ,Width=20000,Align=2" + coda + q + "COD" + q,
                        "  ,Width=24000,Align=2" + coda + q +
                            "Fstr$(IMPORTO,\"---,---,---,--&.##\",1)" + q,
                        "  ,Width=30000,Align=2" + coda + q +
                            "Fstr$(COSTO,\"---,---,---,--&.######\",1)" + q} +
            cornici +
            QStringList{"  LFont=default",
                        "  LCondition=TipoRiga='DETTAGLI'",
                        "  IgnoreEmpty=1",
                        "  }",
                        " [Columns1]",
                        "  {",
                        "  ,Width=20000,Align=2" + totali + q + "\" \"" + q,
                        "  ,Width=24000,Align=2" + totali + q +
                            "Fstr$(Totale.IMPORTO,\"---,---,---,--&.##\",1)" + q,
                        "  ,Width=30000,Align=2" + totali + q +
                            "Fstr$(Totale.COSTO,\"---,---,---,--&.######\",1)" + q} +
            cornici +
            QStringList{"  LFont=default",
                        "  LCondition=TipoRiga='TOTALI'",
                        "  IgnoreEmpty=1",
                        "  }",
                        " [HeaderColumns]",
                        "  {",
                        "  ,Width=20000" + coda + q + "\"COD\"" + q,
                        "  ,Width=24000" + coda + q + "\"IMPORTO\"" + q,
                        "  ,Width=30000" + coda + q + "\"COSTO\"" + q} +
            cornici +
            QStringList{"  LFont=default",  "  LCondition=", "  IgnoreEmpty=1",           "  }",
                        " [GroupColumnsX]", "  {",           "  DataLineMustFollow=TRUE", "  }"};
        EXPECT_EQ(linee.mid(dettaglio, attese.size()), attese);
        const QString rett =
            orizzontale ? " Rect=(11600,27400,269400,193600)" : " Rect=(11600,27400,193600,269400)";
        EXPECT_TRUE(linee.contains(rett));
        EXPECT_TRUE(linee.contains(orizzontale ? " P2.xSize=296300" : " P2.xSize=210000"));
        EXPECT_TRUE(linee.contains(orizzontale ? " Orientation=2" : " Orientation=1"));
        EXPECT_TRUE(linee.contains(orizzontale ? " Rect=(242500,196700,269400,204100)"
                                               : " Rect=(161600,276700,188500,284100)"));
        EXPECT_TRUE(linee.contains("  ,OptimSpaces=TRUE,Text=" + q +
                                   "\"Pagina n° \"+str$(Page(),2,0)" + q));
        EXPECT_EQ(
            linee.mid(0, 7),
            (QStringList{"[List description]", "[Description]", " Text=Report", " FileVersion=3",
                         " Units=SCM-Units", " TextQuote.Start=168", " TextQuote.End=168"}));
        EXPECT_EQ(linee.filter(QRegularExpression("^ Sum\\d+=@Sum\\d\\d;F;$")).size(), 50);
    }
}

TEST_F(ProgettiStampa, StandardProjectAndAUsersProjectWithAnUnknownObject) {
    apri();
    QTemporaryDir bin;
    StatoStampa stato;
    stato.Carattere = {"Courier New", 8};
    const QString file = bin.filePath("Report/VEKTemp.lst");
    CreaFileLSTStandard(file, stato);
    const QStringList linee = fromCp1252(leggi(file)).split("\r\n");
    EXPECT_TRUE(linee.contains(" ySize=296900"));
    EXPECT_TRUE(linee.contains(" Sum26=@Summe26;F;"));
    EXPECT_TRUE(linee.contains(" Font={(0,0,0),8,-16,0,0,0,400,0,0,0,0,0,0,0,0,Courier New}"));
    EXPECT_TRUE(linee.contains("  ,Width=269000,Separator=TRUE,SepWidth=0,Expression=TRUE,"
                               "Space=(1000,500,1000,500),bRTF=FALSE,Text=" +
                               QString(kVirgolette) + "Descrizione" + QString(kVirgolette)));

    // A user's advanced project: the tool's own plus an object it cannot draw.
    CreaFileLSTAvanzato(bin.filePath("Report/Mio.lst"),
                        {.Campi = CampiDaStampare(risposta.Dati(), &risposta.Codici()),
                         .UnRecord = false,
                         .TotaliVoluti = false,
                         .Orizzontale = true,
                         .NumeraPagine = true,
                         .MemoEstesi = false,
                         .Carattere = {"Arial", 8}},
                        stato);
    QFile mio(bin.filePath("Report/Mio.lst"));
    ASSERT_TRUE(mio.open(QIODevice::Append));
    mio.write("[Object]\r\n ObjectID=9\r\n ObjectName=Codice a barre\r\n Rect=(0,0,10,10)\r\n");
    mio.close();

    ContestoStampa contesto{.RispostaQuery = &risposta,
                            .TabellaUnRecord = nullptr,
                            .Ditta = "1",
                            .TabellaPrincipale = "VENDITE",
                            .DirectoryLavoro = lavoro.path(),
                            .DirectoryBin = bin.path() + "/",
                            .FileImpostazioni = lavoro.filePath("tervald.ini"),
                            .CarattereGriglia = std::nullopt};
    ScelteTitolo scelte;
    scelte.Esito = 1;
    scelte.Tipo = 0;
    scelte.NomeReport = "mio"; // any case: the file is Mio.lst
    scelte.Titolo = "Vendite";
    int stampe = 0;
    QStringList testo;
    DialoghiStampa dialoghi;
    dialoghi.Uscita = [&](const LavoroStampa& l) {
        ++stampe;
        EXPECT_GT(StampaInPdf(l, lavoro.filePath("mio.pdf")), 0);
    };
    EXPECT_TRUE(StampaConScelte(stato, contesto, scelte, dialoghi, port));
    EXPECT_EQ(stampe, 1);
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages()[0].kind, ScriptedInterazione::Kind::Avviso);
    EXPECT_TRUE(port.messages()[0].text.contains("oggetto Codice a barre"))
        << port.messages()[0].text.toStdString();

    // A name with no project behind it: the question, and No prints nothing.
    scelte.NomeReport = "nessuno";
    port.queueConferma(false);
    EXPECT_FALSE(StampaConScelte(stato, contesto, scelte, dialoghi, port));
    EXPECT_EQ(port.messages().last(),
              (ScriptedInterazione::Message{
                  ScriptedInterazione::Kind::Conferma,
                  "Report di tipo LST non trovato. Stampo con tracciati standard?"}));
    EXPECT_EQ(stampe, 1);
}

} // namespace
} // namespace mavo::test
