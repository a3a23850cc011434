#include "query/stampa/Stampa.h"
#include "StampaProva.h"
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

class ProgettiStampa : public StampaVendite {};

// The report project files as the report engine's format has them, line by
// line; %n are what the answer and the options change.
const char* const kInizio = R"x([List description]
[Description]
 Text=%1
 FileVersion=3
 Units=SCM-Units
 TextQuote.Start=168
 TextQuote.End=168)x";
const char* const kTimbriAvanzato = R"x( Created=Mavo
 CreatedByApp=Mavo Query
 CreatedByDLL=CMBTL6.DLL [6.042]
 LastModified=Mavo
 LastModifiedByApp=Mavo Query
 LastModifiedByDLL=CMBTL6.DLL [6.042])x";
const char* const kTimbriStandard = R"x( Created=Mavo
 CreatedByApp=Mavo Query
 CreatedByDLL=CMBTL6.DLL [6.042]
 CreatedByUser=Mavo
 LastModified=Mavo
 LastModifiedByApp=Mavo Query
 LastModifiedByDLL=CM32L6.DLL [6.042]
 LastModifiedByUser=Mavo)x";
const char* const kLayout = R"x([Layout]
 P1.Template=
 P2.Template=
 xOffset=0
 yOffset=0
 xSize=%1
 ySize=%2
 P1.xOffset=0
 P1.yOffset=0
 P1.xSize=%1
 P1.ySize=%2
 P2.xOffset=0
 P2.yOffset=0
 P2.xSize=%1
 P2.ySize=%2
 xGrid=1000
 yGrid=1000
 GridShow=FALSE
 GridSnap=FALSE
 PhysicalPage=TRUE
 P1.PhysicalPage=TRUE
 P2.PhysicalPage=TRUE
 Orientation=%3
 P1.Orientation=%3
 P2.Orientation=%3
 EnhancedExpressions=TRUE
 EnhancedOldExpressions=FALSE
 Decimals=2
 DefFont={(0,0,0),12,-16,0,0,0,400,0,0,0,0,0,0,0,0,Arial}
[UserSection]
[SumVariables])x";
const char* const kLivelli = R"x([Layer]
 Name=Base
 Condition=
 WorkspaceColor=(0,0,0)
 Visible=TRUE
 LayerID=0
[Layer]
 Name=First Page
 Condition=Page() = 1
 WorkspaceColor=(0,128,64)
 Visible=TRUE
 LayerID=1
[Layer]
 Name=Following Pages
 Condition=Page() <> 1
 WorkspaceColor=(0,0,255)
 Visible=TRUE
 LayerID=2)x";
const char* const kElenco = R"x([Object]
 ObjectID=6
 ObjectName=Elenco
 Identifier=
 Rect=%1
 FgColor=%2
 BkColor=%3
 Locked=FALSE
 UserLocked=FALSE
 Condition=
 LinkID=%4
 LinkToID=0
 LinkMode=32
 LinkTest=%5
 LayerID=0
 GroupID=0
%6
 bFooterOnBottom=FALSE
 bFillBottom=FALSE
 bTransparent=TRUE
 [ColumnsX]
  {
  bStripes=FALSE
  StripesRaster=%7
  StripesRasterColor=%8
  bWrapAllowed=FALSE
  }
 [Columns]
  {)x";
// The end of a list line, with its condition.
const char* const kFineRiga = R"x(  LFont=default
  LCondition=%1
  IgnoreEmpty=1
  })x";
const char* const kGruppi = R"x( [GroupColumnsX]
  {
  DataLineMustFollow=TRUE
  })x";
const char* const kTesto = R"x([Object]
 ObjectID=1
 ObjectName=Testo
 Identifier=
 Rect=%1
 FgColor=(0,0,0)
 BkColor=(255,255,255)
 Locked=FALSE
 UserLocked=FALSE
 Condition=
 LinkID=3
 LinkToID=0
 LinkMode=32
 LinkTest=-15880
 LayerID=0
 GroupID=0
 bWYSIWYGDialog=TRUE
 bPageWrap=FALSE
 [Lines]
  {
  ,OptimSpaces=TRUE,Text=¨%2¨
  })x";

QStringList linee(const char* testo) {
    return QString::fromUtf8(testo).split(u'\n');
}

QStringList somme(bool standard) {
    QStringList l;
    for (int n = 1; n <= 50; ++n)
        l << QStringLiteral(" Sum%1=@%2%3;F;")
                 .arg(n)
                 .arg(standard && n > 25 ? "Summe" : "Sum")
                 .arg(n, 2, 10, QChar(u'0'));
    return l;
}

QStringList variabiliUtente() {
    QStringList l{"[UserVariables]"};
    for (int n = 1; n <= 100; ++n)
        l << QStringLiteral(" User%1=@%2%3")
                 .arg(n)
                 .arg(n > 50 ? "Utente" : "User")
                 .arg(n > 50 ? n - 50 : n, 2, 10, QChar(u'0'));
    return l;
}

QStringList cornici(int n) {
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << QStringLiteral("  Frame%1=,Show=TRUE,Width=0,SpaceOut=0").arg(i);
    return l;
}

QStringList fineRiga(const QString& condizione) {
    return linee(kFineRiga).join(u'\n').arg(condizione).split(u'\n');
}

// The bytes of a project file: Windows-1252 (as Latin-1 for the characters
// these files hold), CR LF after every line.
QByteArray comeFile(const QStringList& righe) {
    return (righe.join("\r\n") + "\r\n").toLatin1();
}

// A column line: width, alignment, then the tail of its line and its text.
const QString kCoda =
    ",Separator=TRUE,SepWidth=0,Expression=TRUE,Space=(1000,500,1000,500),bRTF=FALSE,Text=";
const QString kCodaMemo =
    ",Separator=TRUE,Fit=1,SepWidth=0,Expression=TRUE,Space=(1000,500,1000,500),bRTF=FALSE,Text=";

// Both advanced projects whole, byte for byte: a portrait answer with
// totals, and a landscape one wider than the page, with a memo column and
// another font.
TEST_F(ProgettiStampa, AdvancedProjectsByteForByte) {
    apri();
    auto& dati = risposta.Dati();
    // IMPORTO totals shown "%.2n", COSTO totals, QTA totals shown "%.0n".
    risposta.Codici().SetCodice(dati.findField("IMPORTO")->fieldNo(), 11);
    risposta.Codici().SetCodice(dati.findField("COSTO")->fieldNo(), 10);
    risposta.Codici().SetCodice(dati.findField("QTA")->fieldNo(), 12);
    const QString importo = "¨Fstr$(IMPORTO,\"---,---,---,--&.##\",1)¨";
    const QString totaleImporto = "¨Fstr$(Totale.IMPORTO,\"---,---,---,--&.##\",1)¨";
    const QString vuoto = "¨\" \"¨";

    const CarattereStampa arial{"Arial", 8};
    const QString fontArial = " Font={(0,0,0),8,-16,0,0,0,400,0,0,0,0,0,0,0,0,Arial}";
    const QString totaliArial = ",Separator=TRUE,SepWidth=0,Expression=TRUE, Font={(0,0,0),8,-11,"
                                "0,0,0,700,0,0,0,0,3,2,1,34,Arial}" +
                                kCoda.mid(kCoda.indexOf(",Space"));
    const CarattereStampa times{.Nome = "Times New Roman",
                                .Dimensione = 10,
                                .Grassetto = true,
                                .Corsivo = true,
                                .Sottolineato = true,
                                .Barrato = false,
                                .Colore = 0x102030};
    const QString fontTimes =
        " Font={(16,32,48),10,-16,0,0,0,700,255,1,0,0,0,0,0,0,Times New Roman}";
    const QString totaliTimes = ",Separator=TRUE,SepWidth=0,Expression=TRUE, Font={(16,32,48),10,"
                                "-11,0,0,0,700,255,1,0,0,3,2,1,34,Times New Roman}" +
                                kCoda.mid(kCoda.indexOf(",Space"));

    const struct {
        const char* nome;
        QList<QPair<const char*, int>> campi; // visible, with their display widths
        bool orizzontale;
        bool memo;
        CarattereStampa carattere;
        QString font;
        QStringList dettaglio, totali, titoli;
        int colonneGriglia;
    } casi[] = {
        {"portrait",
         {{"COD", 2}, {"IMPORTO", 12}, {"COSTO", 15}},
         false,
         false,
         arial,
         fontArial,
         {"  ,Width=20000,Align=2" + kCoda + "¨COD¨", "  ,Width=24000,Align=2" + kCoda + importo,
          "  ,Width=30000,Align=2" + kCoda + "¨Fstr$(COSTO,\"---,---,---,--&.######\",1)¨"},
         {"  ,Width=20000,Align=2" + totaliArial + vuoto,
          "  ,Width=24000,Align=2" + totaliArial + totaleImporto,
          "  ,Width=30000,Align=2" + totaliArial +
              "¨Fstr$(Totale.COSTO,\"---,---,---,--&.######\",1)¨"},
         {"  ,Width=20000" + kCoda + "¨\"COD\"¨", "  ,Width=24000" + kCoda + "¨\"IMPORTO\"¨",
          "  ,Width=30000" + kCoda + "¨\"COSTO\"¨"},
         3},
        // 238000 of 257800 taken up to ORA, GIORNO would reach 258000: it is left
        // out of every line, its frame is not.
        {"landscape",
         {{"COD", 4},
          {"CITTA", 20},
          {"IMPORTO", 12},
          {"QTA", 5},
          {"DATA", 10},
          {"NOTE", 60},
          {"ORA", 8},
          {"GIORNO", 10}},
         true,
         true,
         times,
         fontTimes,
         {"  ,Width=8000,Align=2" + kCoda + "¨COD¨", "  ,Width=40000" + kCoda + "¨CITTA¨",
          "  ,Width=24000,Align=2" + kCoda + importo,
          "  ,Width=10000,Align=2" + kCoda + "¨Fstr$(QTA,\"---,---,---,---\",1)¨",
          "  ,Width=20000" + kCoda + "¨DATA¨", "  ,Width=120000" + kCodaMemo + "¨NOTE¨",
          "  ,Width=16000" + kCoda + "¨ORA¨"},
         {"  ,Width=8000,Align=2" + totaliTimes + vuoto, "  ,Width=40000" + totaliTimes + vuoto,
          "  ,Width=24000,Align=2" + totaliTimes + totaleImporto,
          "  ,Width=10000,Align=2" + totaliTimes + "¨Fstr$(Totale.QTA,\"---,---,---,---\",1)¨",
          "  ,Width=20000" + totaliTimes + vuoto, "  ,Width=120000" + totaliTimes + vuoto,
          "  ,Width=16000" + totaliTimes + vuoto},
         {"  ,Width=8000" + kCoda + "¨\"COD\"¨", "  ,Width=40000" + kCoda + "¨\"CITTA\"¨",
          "  ,Width=24000" + kCoda + "¨\"IMPORTO\"¨", "  ,Width=10000" + kCoda + "¨\"QTA\"¨",
          "  ,Width=20000" + kCoda + "¨\"DATA\"¨", "  ,Width=120000" + kCoda + "¨\"NOTE\"¨",
          "  ,Width=16000" + kCoda + "¨\"ORA\"¨"},
         8},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        soloColonne(c.campi);
        const QVector<CampoStampa> campi = CampiDaStampare(dati, &risposta.Codici());
        StatoStampa stato;
        stato.UltimoTipo = 1;
        const QString file = lavoro.filePath(QString(c.nome) + ".lst");
        CreaFileLSTAvanzato(file,
                            {.Campi = campi,
                             .UnRecord = false,
                             .TotaliVoluti = true,
                             .Orizzontale = c.orizzontale,
                             .NumeraPagine = true,
                             .MemoEstesi = c.memo,
                             .Carattere = c.carattere},
                            stato);
        EXPECT_TRUE(stato.ReportAggiornato);
        EXPECT_EQ(stato.UltimoTipo, 0);

        const QString x = c.orizzontale ? "296300" : "210000";
        const QString y = c.orizzontale ? "210000" : "296300";
        const QStringList attese =
            linee(kInizio).join(u'\n').arg("Report").split(u'\n') + linee(kTimbriAvanzato) +
            linee(kLayout).join(u'\n').arg(x, y, c.orizzontale ? "2" : "1").split(u'\n') +
            somme(false) + linee(kLivelli) +
            linee(kElenco)
                .join(u'\n')
                .arg(c.orizzontale ? "(11600,27400,269400,193600)" : "(11600,27400,193600,269400)",
                     "(0,0,0)", "(255,255,128)", "4", "-1948", c.font, "2", "(255,255,0)")
                .split(u'\n') +
            c.dettaglio + cornici(c.colonneGriglia) + fineRiga("TipoRiga='DETTAGLI'") +
            QStringList{" [Columns1]", "  {"} + c.totali + cornici(c.colonneGriglia) +
            fineRiga("TipoRiga='TOTALI'") + QStringList{" [HeaderColumns]", "  {"} + c.titoli +
            cornici(c.colonneGriglia) + fineRiga("") + linee(kGruppi) +
            linee(kTesto)
                .join(u'\n')
                .arg(c.orizzontale ? "(242500,196700,269400,204100)"
                                   : "(161600,276700,188500,284100)",
                     "\"Pagina n° \"+str$(Page(),2,0)")
                .split(u'\n') +
            linee(kTesto).join(u'\n').arg("(12200,7900,194400,13400)", "Titolo").split(u'\n') +
            linee(kTesto).join(u'\n').arg("(12200,17000,194400,25400)", "Note").split(u'\n') +
            variabiliUtente();
        const QByteArray byte = leggi(file);
        EXPECT_EQ(fromCp1252(byte).split("\r\n"), attese + QStringList{""});
        EXPECT_EQ(byte, comeFile(attese));
    }
}

TEST_F(ProgettiStampa, StandardProjectAndAUsersProjectWithAnUnknownObject) {
    apri();
    QTemporaryDir bin;
    StatoStampa stato;
    stato.Carattere = {"Courier New", 8};
    const QString file = bin.filePath("Report/VEKTemp.lst");
    CreaFileLSTStandard(file, stato);
    EXPECT_TRUE(stato.ReportAggiornato);
    EXPECT_EQ(stato.UltimoTipo, 1);
    const QStringList attese =
        linee(kInizio).join(u'\n').arg("Stampa Query").split(u'\n') + linee(kTimbriStandard) +
        linee(kLayout).join(u'\n').arg("210000", "296900", "1").split(u'\n') + somme(true) +
        linee(kLivelli) +
        linee(kElenco)
            .join(u'\n')
            .arg("(12000,6000,196700,276700)", "(255,255,255)", "(255,255,255)", "14", "-26860",
                 " Font={(0,0,0),8,-16,0,0,0,400,0,0,0,0,0,0,0,0,Courier New}", "1",
                 "(192,192,192)")
            .split(u'\n') +
        QStringList{"  ,Width=269000" + kCoda + "¨Descrizione¨"} + cornici(4) + fineRiga("") +
        linee(kGruppi) + variabiliUtente();
    EXPECT_EQ(fromCp1252(leggi(file)).split("\r\n"), attese + QStringList{""});
    EXPECT_EQ(leggi(file), comeFile(attese));

    // A user's advanced project: the tool's own plus an object it cannot draw.
    creaProgetto(bin.filePath("Report/Mio.lst"), true);
    QFile mio(bin.filePath("Report/Mio.lst"));
    ASSERT_TRUE(mio.open(QIODevice::Append));
    mio.write("[Object]\r\n ObjectID=9\r\n ObjectName=Codice a barre\r\n Rect=(0,0,10,10)\r\n");
    mio.close();

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
    EXPECT_TRUE(StampaConScelte(stato, contesto(bin), scelte, dialoghi, port));
    EXPECT_EQ(stampe, 1);
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages()[0].kind, ScriptedInterazione::Kind::Avviso);
    EXPECT_TRUE(port.messages()[0].text.contains("oggetto Codice a barre"))
        << port.messages()[0].text.toStdString();

    // A name with no project behind it: the question, and No prints nothing.
    scelte.NomeReport = "nessuno";
    port.queueConferma(false);
    EXPECT_FALSE(StampaConScelte(stato, contesto(bin), scelte, dialoghi, port));
    EXPECT_EQ(port.messages().last(),
              (ScriptedInterazione::Message{
                  ScriptedInterazione::Kind::Conferma,
                  "Report di tipo LST non trovato. Stampo con tracciati standard?"}));
    EXPECT_EQ(stampe, 1);
}

} // namespace
} // namespace mavo::test
