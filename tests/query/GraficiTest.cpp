#include "Vendite.h"
#include "query/grafici/DatiGrafico.h"
#include "query/grafici/RichiestaGrafico.h"
#include "query/grafici/SceltaGrafico.h"
#include "query/grafici/TabellaGrafico.h"
#include "query/grafici/ui/Grafico.h"
#include "query/grafici/ui/GraficoSuFile.h"
#include "support/QtPrinters.h"

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QFile>
#include <QImage>
#include <QPieSeries>
#include <QSet>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace mavo {
namespace {

using Righe = QList<QVariantList>;

// The three columns the chart reads, as the table holds them.
Righe righeTabella(TabellaGrafico& tabella) {
    Righe righe;
    for (const QVariantList& riga : tabella.Tabella().rows())
        righe << riga.mid(0, 3);
    return righe;
}

class TabellaGraficoTest : public test::Vendite {};

TEST_F(TabellaGraficoTest, ColonneOfferteSecondoIlTipo) {
    apri();
    const Dataset& dati = risposta.Dati();
    EXPECT_EQ(CampiAsseX(dati), QStringList({"COD", "CITTA", "IMPORTO", "QTA", "COSTO", "DATA",
                                             "CONTO", "ORA", "GIORNO"}));
    EXPECT_EQ(CampiValori(dati, "CITTA"), QStringList({"COD", "IMPORTO", "QTA", "COSTO", "CONTO"}));
    EXPECT_EQ(CampiValori(dati, "QTA"), QStringList({"COD", "IMPORTO", "COSTO", "CONTO"}));
}

TEST_F(TabellaGraficoTest, UnaRigaPerRecordESerie) {
    apri();
    const QString lunga = "Una citta dal nome m"; // 20 characters
    const struct {
        const char* caso;
        QString x;
        QStringList serie;
        bool originale;
        Righe attese;
    } casi[] = {
        {"valori soli, ordina",
         "CITTA",
         {},
         false,
         {{"ROMA", "IMPORTO", 10.5},
          {"MILANO", "IMPORTO", 0.0},
          {"ROMA", "IMPORTO", 7.0},
          {"", "IMPORTO", 1.0},
          {lunga, "IMPORTO", 2.0}}},
        {"due serie aggiunte, ordina",
         "CITTA",
         {"QTA", "COSTO"},
         false,
         {{"ROMA", "IMPORTO", 10.5},
          {"MILANO", "IMPORTO", 0.0},
          {"ROMA", "IMPORTO", 7.0},
          {"", "IMPORTO", 1.0},
          {lunga, "IMPORTO", 2.0},
          {"ROMA", "QTA", 3.0},
          {"MILANO", "QTA", 2.0},
          {"ROMA", "QTA", 0.0},
          {"", "QTA", 1.0},
          {lunga, "QTA", 5.0},
          {"ROMA", "COSTO", 4.25},
          {"MILANO", "COSTO", 1.0},
          {"ROMA", "COSTO", 2.5},
          {"", "COSTO", 0.0},
          {lunga, "COSTO", 3.0}}},
        {"valori soli, originale",
         "CITTA",
         {},
         true,
         {{"01.ROMA", "IMPORTO", 10.5},
          {"02.MILANO", "IMPORTO", 0.0},
          {"03.ROMA", "IMPORTO", 7.0},
          {"04.", "IMPORTO", 1.0},
          {"05.Una citta dal nom", "IMPORTO", 2.0}}},
        {"serie aggiunta, originale, x data",
         "DATA",
         {"QTA"},
         true,
         {{"01.01/03/2024", "IMPORTO", 10.5},
          {"02.15/01/2024", "IMPORTO", 0.0},
          {"03.31/12/2023", "IMPORTO", 7.0},
          {"04.", "IMPORTO", 1.0},
          {"05.10/02/2024", "IMPORTO", 2.0},
          {"01.01/03/2024", "QTA", 3.0},
          {"02.15/01/2024", "QTA", 2.0},
          {"03.31/12/2023", "QTA", 0.0},
          {"04.", "QTA", 1.0},
          {"05.10/02/2024", "QTA", 5.0}}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        TabellaGrafico tabella(lavoro.path());
        tabella.Riempi(risposta, {c.x, "IMPORTO", c.serie, c.originale}, port);
        EXPECT_EQ(righeTabella(tabella), c.attese);
    }
}

TEST_F(TabellaGraficoTest, IlTestoInteroResta) {
    apri();
    TabellaGrafico tabella(lavoro.path());
    tabella.Riempi(risposta, {"CITTA", "IMPORTO", {}, true}, port);
    const QVariantList ultima = tabella.Tabella().rows().last();
    EXPECT_EQ(ultima.value(3).toString(), "05.Una citta dal nome molto lungo");
    EXPECT_EQ(ultima.value(4).toString(), "IMPORTO");
}

TEST_F(TabellaGraficoTest, DatiDelGraficoSommatiEOrdinati) {
    apri();
    TabellaGrafico tabella(lavoro.path());
    tabella.Riempi(risposta, {"CITTA", "IMPORTO", {"QTA"}, false}, port);
    DatiGrafico dati = LeggiDatiGrafico(tabella.Tabella(), MassimoDescrizioni);
    EXPECT_EQ(dati.Descrizioni,
              QStringList({"", "MILANO", "ROMA", "Una citta dal nome molto lungo"}));
    EXPECT_EQ(dati.Serie, QStringList({"IMPORTO", "QTA"}));
    EXPECT_EQ(dati.Valori, QList<QList<double>>({{1, 0, 17.5, 2}, {1, 2, 3, 5}}));
    EXPECT_EQ(dati.Escluse(), 0);

    dati = LeggiDatiGrafico(tabella.Tabella(), 2);
    EXPECT_EQ(dati.Descrizioni, QStringList({"", "MILANO"}));
    EXPECT_EQ(dati.Valori, QList<QList<double>>({{1, 0}, {1, 2}}));
    EXPECT_EQ(dati.Escluse(), 2);
}

TEST(NumeroOriginale, LarghezzaSecondoIRecord) {
    const struct {
        qsizetype numero, totale;
        const char* atteso;
    } casi[] = {{1, 5, "01."},        {5, 5, "05."},
                {7, 250, "007."},     {7, 999, "007."},
                {1, 1000, "0001."},   {9999, 9999, "9999."},
                {2, 10000, "00002."}, {12345, 123456, "012345."}};
    for (const auto& c : casi)
        EXPECT_EQ(NumeroOriginale(c.numero, c.totale), c.atteso) << c.numero << " di " << c.totale;
}

TEST(OrdinaDescrizioni, SecondoIlGenere) {
    const struct {
        const char* caso;
        QStringList ingresso, atteso;
    } casi[] = {
        {"numeri", {"10", "9", "-1,5", "", "100"}, {"", "-1,5", "9", "10", "100"}},
        {"date",
         {"01/03/2024", "15/01/2024", "31/12/2023"},
         {"31/12/2023", "15/01/2024", "01/03/2024"}},
        {"date e ore",
         {"02/01/2024", "01/01/2024 10:00:00", "01/01/2024"},
         {"01/01/2024", "01/01/2024 10:00:00", "02/01/2024"}},
        {"ore", {"18:00:00", "08:30:00"}, {"08:30:00", "18:00:00"}},
        {"testi senza maiuscole", {"roma", "Milano", "ancona"}, {"ancona", "Milano", "roma"}},
        {"cifre nei testi", {"Lotto 10", "Lotto 9", "lotto 1"}, {"lotto 1", "Lotto 9", "Lotto 10"}},
        {"originale oltre 9999",
         {"10000.B", "09999.A", "00001.C"},
         {"00001.C", "09999.A", "10000.B"}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(OrdinaDescrizioni(c.ingresso), c.atteso) << c.caso;
}

TEST(SceltaGrafico, DidascalieDelGrafico) {
    const Didascalie vuote = CreaDidascalie("", "", "", "");
    EXPECT_EQ(vuote.Titolo, "Senza titolo ");
    EXPECT_EQ(vuote.DescrizioneX, " ");
    EXPECT_EQ(vuote.DescrizioneZ, " ");
    const Didascalie piene = CreaDidascalie("Vendite", "Città", "Euro", "Anni");
    EXPECT_EQ(piene.Titolo, "Vendite");
    EXPECT_EQ(piene.DescrizioneX, "Asse X: Città");
    EXPECT_EQ(piene.DescrizioneY, "Asse Y: Euro");
    EXPECT_EQ(piene.DescrizioneZ, "Asse Z: Anni");
}

// Every choice of both groups in both orientations, drawn from three x
// descriptions: the chart's identity, its series, where the x descriptions
// run, and the captions.
TEST(CreaGrafico, SediciSceltePerDueOrientamenti) {
    using T = QAbstractSeries::SeriesType;
    constexpr Qt::Alignment Torte{};
    const struct {
        bool serie;
        const char* tipo;
        bool verticale;
        const char* identita;
        T genere;
        Qt::Alignment descrizioni; // the side of the x descriptions' axis
        bool rilievo;
    } casi[] = {
        {false, "Normale", false, "QGr01N", T::SeriesTypeBar, Qt::AlignBottom, false},
        {false, "Normale", true, "QGr01VN", T::SeriesTypeHorizontalBar, Qt::AlignLeft, false},
        {false, "Normale 3D", false, "QGr02N3", T::SeriesTypeBar, Qt::AlignBottom, true},
        {false, "Normale 3D", true, "QGr02VN3", T::SeriesTypeHorizontalBar, Qt::AlignLeft, true},
        {false, "A linee", false, "QGr03L", T::SeriesTypeLine, Qt::AlignBottom, false},
        {false, "A linee", true, "QGr03VL", T::SeriesTypeLine, Qt::AlignLeft, false},
        {false, "A barre", false, "QGr04B3", T::SeriesTypeBar, Qt::AlignBottom, true},
        {false, "A barre", true, "QGr04B3", T::SeriesTypeBar, Qt::AlignBottom, true},
        {false, "A torta", false, "QGr05T", T::SeriesTypePie, Torte, false},
        {false, "A torta", true, "QGr05T", T::SeriesTypePie, Torte, false},
        {true, "Normale", false, "QGr11N", T::SeriesTypeBar, Qt::AlignBottom, false},
        {true, "Normale", true, "QGr11VN", T::SeriesTypeHorizontalBar, Qt::AlignLeft, false},
        {true, "Normale 3D", false, "QGr12N3", T::SeriesTypeBar, Qt::AlignBottom, true},
        {true, "Normale 3D", true, "QGr12VN3", T::SeriesTypeHorizontalBar, Qt::AlignLeft, true},
        {true, "In pila", false, "QGr13P", T::SeriesTypeStackedBar, Qt::AlignBottom, false},
        {true, "In pila", true, "QGr13VP", T::SeriesTypeHorizontalStackedBar, Qt::AlignLeft, false},
        {true, "In pila 3D", false, "QGr14P3", T::SeriesTypeStackedBar, Qt::AlignBottom, true},
        {true, "In pila 3D", true, "QGr14VP3", T::SeriesTypeHorizontalStackedBar, Qt::AlignLeft,
         true},
        {true, "Percentuali", false, "QGr15P", T::SeriesTypePercentBar, Qt::AlignBottom, false},
        {true, "Percentuali", true, "QGr15VP", T::SeriesTypeHorizontalPercentBar, Qt::AlignLeft,
         false},
        {true, "Percentuali 3D", false, "QGr16P3", T::SeriesTypePercentBar, Qt::AlignBottom, true},
        {true, "Percentuali 3D", true, "QGr16VP3", T::SeriesTypeHorizontalPercentBar, Qt::AlignLeft,
         true},
        {true, "A linee", false, "QGr17L", T::SeriesTypeLine, Qt::AlignBottom, false},
        {true, "A linee", true, "QGr17VL", T::SeriesTypeLine, Qt::AlignLeft, false},
        {true, "Area", false, "QGr18A", T::SeriesTypeArea, Qt::AlignBottom, false},
        {true, "Area", true, "QGr18VA", T::SeriesTypeArea, Qt::AlignLeft, false},
        {true, "A barre 3D", false, "QGr19B", T::SeriesTypeBar, Qt::AlignBottom, true},
        {true, "A barre 3D", true, "QGr19B", T::SeriesTypeBar, Qt::AlignBottom, true},
        {true, "A torta con torte a dim. fissa", false, "QGr20TF", T::SeriesTypePie, Torte, false},
        {true, "A torta con torte a dim. fissa", true, "QGr20TF", T::SeriesTypePie, Torte, false},
        {true, "A torta con torte a dim. proporz.", false, "QGr21TP", T::SeriesTypePie, Torte,
         false},
        {true, "A torta con torte a dim. proporz.", true, "QGr21TP", T::SeriesTypePie, Torte,
         false},
    };
    ASSERT_EQ(std::size(casi), 2 * (TipiGraficoXY().size() + TipiGraficoXYZ().size()));
    const Didascalie didascalie = CreaDidascalie("Vendite", "Città", "Euro", "Anni");
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.tipo) + (c.serie ? " x/y/z" : " x/y") +
                     (c.verticale ? " verticale" : " orizzontale"));
        const std::optional<SceltaGrafico> scelta = ScegliGrafico(c.serie, c.tipo, c.verticale);
        ASSERT_TRUE(scelta);
        DatiGrafico dati{{"Roma", "A&B <srl>", "Milano"}, {"IMPORTO"}, {{3, 1, 2}}, 3};
        if (c.serie) {
            dati.Serie << "QTA";
            dati.Valori << QList<double>{1, 5, 0};
        }
        const std::unique_ptr<QChart> grafico = CreaGrafico(dati, *scelta, didascalie);
        EXPECT_EQ(grafico->objectName(), c.identita);
        const bool torte = c.descrizioni == Torte;
        // A pie per x description with series; otherwise a series per series,
        // or one series holding them all.
        const qsizetype attese = torte && c.serie ? 3
                                 : (c.genere == T::SeriesTypeLine || c.genere == T::SeriesTypeArea)
                                     ? dati.Serie.size()
                                     : 1;
        ASSERT_EQ(grafico->series().size(), attese);
        for (QAbstractSeries* serie : grafico->series())
            EXPECT_EQ(serie->type(), c.genere);
        EXPECT_TRUE(grafico->title().startsWith("Vendite<br>")) << grafico->title().toStdString();
        EXPECT_TRUE(grafico->title().contains("Asse Z: Anni"));
        if (torte) {
            EXPECT_TRUE(grafico->axes().isEmpty());
            EXPECT_TRUE(grafico->title().contains("Asse X: Città"));
            continue;
        }
        const auto descrizioni = grafico->axes(Qt::Horizontal | Qt::Vertical);
        ASSERT_EQ(descrizioni.size(), 2);
        auto* asseX = qobject_cast<QBarCategoryAxis*>(
            grafico->axes(c.descrizioni == Qt::AlignBottom ? Qt::Horizontal : Qt::Vertical)
                .value(0));
        auto* asseY = qobject_cast<QValueAxis*>(
            grafico->axes(c.descrizioni == Qt::AlignBottom ? Qt::Vertical : Qt::Horizontal)
                .value(0));
        ASSERT_TRUE(asseX && asseY);
        EXPECT_EQ(asseX->alignment(), c.descrizioni);
        EXPECT_EQ(asseX->categories(), QStringList({"Roma", "A&amp;B &lt;srl&gt;", "Milano"}));
        EXPECT_EQ(asseX->titleText(), "Asse X: Città");
        EXPECT_EQ(asseY->titleText(), "Asse Y: Euro");
        // Every value on the scale, whichever series holds it.
        if (c.genere != T::SeriesTypePercentBar && c.genere != T::SeriesTypeHorizontalPercentBar) {
            EXPECT_LE(asseY->min(), c.serie ? 0 : 1);
            EXPECT_GE(asseY->max(), c.serie ? 5 : 3);
        }
        if (auto* barre = qobject_cast<QAbstractBarSeries*>(grafico->series()[0])) {
            ASSERT_EQ(barre->count(), dati.Serie.size());
            EXPECT_EQ(barre->barSets()[0]->brush().gradient() != nullptr, c.rilievo);
        }
    }
}

TEST(CreaGrafico, TorteProporzionaliAlTotale) {
    const DatiGrafico dati{{"A", "B", "C"}, {"X", "Y"}, {{4, 1, 0}, {12, 3, 0}}, 3};
    const std::unique_ptr<QChart> grafico =
        CreaGrafico(dati, *ScegliGrafico(true, "A torta con torte a dim. proporz.", false),
                    CreaDidascalie("", "", "", ""));
    grafico->resize(900, 600);
    const auto torta = [&](int i) { return static_cast<QPieSeries*>(grafico->series()[i]); };
    ASSERT_EQ(grafico->series().size(), 3);
    EXPECT_EQ(torta(0)->count(), 2);
    // Areas follow the totals 16 : 4 : 0.
    EXPECT_NEAR(torta(1)->pieSize() / torta(0)->pieSize(), 0.5, 1e-6);
    EXPECT_EQ(torta(2)->pieSize(), 0);
    EXPECT_EQ(grafico->title(), "Senza titolo ");
}

// A chart drawn without a window: sizes and colours of the image, and the
// other two kinds of file. MAVO_IMMAGINI_GRAFICI names a folder to keep the
// images in, to look at them.
TEST_F(TabellaGraficoTest, ImmaginiSenzaFinestra) {
    apri();
    const QString cartella = qEnvironmentVariable("MAVO_IMMAGINI_GRAFICI", lavoro.path());
    const struct {
        const char* file;
        QStringList serie;
        const char* tipo;
        bool verticale;
    } casi[] = {
        {"barre.png", {}, "Normale", false},
        {"pila.png", {"QTA", "COSTO"}, "In pila 3D", true},
        {"linee.png", {"QTA"}, "A linee", false},
        {"torta.png", {}, "A torta", false},
        {"torte.png", {"QTA", "COSTO"}, "A torta con torte a dim. proporz.", false},
        {"area.png", {"QTA", "COSTO"}, "Area", true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.file);
        const QString file = cartella + "/" + c.file;
        const RichiestaGrafico richiesta{.Impostazioni = {"CITTA", "IMPORTO", c.serie, false},
                                         .Tipo = c.tipo,
                                         .Verticale = c.verticale,
                                         .Titolo = "Vendite per città",
                                         .AsseZ = "Colonne"};
        ASSERT_TRUE(SalvaGraficoSuFile(port, risposta, lavoro.path(), richiesta, file));
        const QImage immagine(file);
        EXPECT_EQ(immagine.size(), QSize(1000, 650));
        QSet<QRgb> colori;
        int nonBianchi = 0;
        for (int y = 0; y < immagine.height(); y += 3)
            for (int x = 0; x < immagine.width(); x += 3) {
                colori.insert(immagine.pixel(x, y));
                nonBianchi += immagine.pixel(x, y) != qRgb(255, 255, 255);
            }
        EXPECT_GT(colori.size(), 20);
        EXPECT_GT(nonBianchi, immagine.width() * immagine.height() / 9 / 100);
    }
    const RichiestaGrafico richiesta{.Impostazioni = {"citta", "importo", {}, false},
                                     .Tipo = "a linee"};
    for (const char* file : {"/grafico.svg", "/grafico.pdf"}) {
        ASSERT_TRUE(SalvaGraficoSuFile(port, risposta, lavoro.path(), richiesta, cartella + file));
        QFile letto(cartella + file);
        ASSERT_TRUE(letto.open(QIODevice::ReadOnly));
        const QByteArray testo = letto.readAll();
        EXPECT_TRUE(testo.startsWith(QByteArray(file).endsWith("svg") ? "<?xml" : "%PDF")) << file;
        EXPECT_GT(testo.size(), 2000);
    }
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(TabellaGraficoTest, RichiesteSbagliate) {
    apri();
    const struct {
        const char* caso;
        RichiestaGrafico richiesta;
        QString messaggio;
    } casi[] = {
        {"senza valori",
         {.Impostazioni = {"CITTA", "", {}, false}, .Tipo = "Normale"},
         "Dati non sufficienti per la creazione del grafico!\rVerificare e correggere"},
        {"asse x di note",
         {.Impostazioni = {"NOTE", "IMPORTO", {}, false}, .Tipo = "Normale"},
         "Il campo NOTE non può fare da asse x; campi possibili: COD, CITTA, IMPORTO, QTA, COSTO, "
         "DATA, CONTO, ORA, GIORNO"},
        {"valori di testo",
         {.Impostazioni = {"DATA", "CITTA", {}, false}, .Tipo = "Normale"},
         "Il campo CITTA non ha valori numerici per il grafico; campi possibili: COD, IMPORTO, "
         "QTA, "
         "COSTO, CONTO"},
        {"tipo dell'altro gruppo",
         {.Impostazioni = {"CITTA", "IMPORTO", {}, false}, .Tipo = "In pila"},
         "Selezionare il tipo grafico da visualizzare!\rTipi possibili senza serie aggiunte: "
         "Normale, Normale 3D, A linee, A barre, A torta"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        test::Vendite::port = {};
        EXPECT_FALSE(SalvaGraficoSuFile(port, risposta, lavoro.path(), c.richiesta,
                                        lavoro.path() + "/no.png"));
        ASSERT_EQ(port.messages().size(), 1);
        EXPECT_EQ(port.messages()[0].text, c.messaggio);
    }
}

// A large answer fills the table in one go; the chart keeps to its first
// x descriptions and says how many there were.
TEST(GraficoGrandeRisposta, CentomilaRecord) {
    test::TestDb archivio;
    archivio.exec({"CREATE TABLE GRANDE(ID INTEGER NOT NULL PRIMARY KEY, VALORE DOUBLE PRECISION)",
                   "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 100000) DO "
                   "BEGIN INSERT INTO GRANDE VALUES(:I, :I * 0.5); I = I + 1; END END"});
    ScriptedInterazione port;
    QTemporaryDir lavoro;
    TIBFQuerForm motore(port, archivio.db(), {.TabellaPrincipale = "GRANDE"});
    Risposta risposta(archivio.db());
    ASSERT_TRUE(motore.EseguiInterrogazione(motore.DefinizioneIniziale(), risposta, {}, false));
    TabellaGrafico tabella(lavoro.path());
    tabella.Riempi(risposta, {"ID", "VALORE", {}, true}, port);
    const DatiGrafico dati = LeggiDatiGrafico(tabella.Tabella(), MassimoDescrizioni);
    EXPECT_EQ(dati.DescrizioniTotali, 100000);
    ASSERT_EQ(dati.Descrizioni.size(), MassimoDescrizioni);
    EXPECT_EQ(dati.Descrizioni.first(), "000001.1");
    EXPECT_EQ(dati.Descrizioni.last(), "001000.1000");
    EXPECT_EQ(dati.Valori[0].last(), 500.0);
    const std::unique_ptr<QChart> grafico =
        CreaGrafico(dati, *ScegliGrafico(false, "Normale", false), CreaDidascalie("", "", "", ""));
    EXPECT_TRUE(grafico->title().contains("Mostrate le prime 1.000 descrizioni di 100.000"))
        << grafico->title().toStdString();
    // Some x descriptions named along the axis, evenly spaced.
    auto* asse = qobject_cast<QCategoryAxis*>(grafico->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(asse);
    EXPECT_LE(asse->count(), 40);
    EXPECT_EQ(asse->categoriesLabels().first(), "000001.1");
}

} // namespace
} // namespace mavo
