#include "query/stampa/ReportLst.h"
#include "StampaProva.h"
#include "query/stampa/ProgettoLst.h"
#include "support/QtPrinters.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace mavo::test {
namespace {

QStringList progetto(bool orizzontale) {
    return LineeLSTAvanzato(
        {.Campi = {campo("COD", FieldType::Integer, 4, 0), campo("NOME", FieldType::String, 20, 1),
                   campo("IMPORTO", FieldType::Float, 12, 2, 11)},
         .UnRecord = false,
         .TotaliVoluti = true,
         .Orizzontale = orizzontale,
         .NumeraPagine = true,
         .MemoEstesi = false,
         .Carattere = {"Arial", 8}});
}

// The file's lines of a column in each line of the list: detail, totals,
// titles.
QVector<int> lineeColonna(const ReportLst& r, int colonna) {
    QVector<int> linee;
    for (const RigaElencoLst& riga : r.Oggetti[r.Elenco()].Righe)
        linee << riga.Colonne[colonna].Linea;
    return linee;
}

// Each edit of the designer changes the lines it is about and no other: the
// edited column in every line of the list, the text object's line, the page
// and the rectangles that follow the orientation. Saved, the file reads back
// the same.
TEST(ReportLst, EachEditChangesItsLinesOnly) {
    const QStringList verticale = progetto(false);
    const QStringList orizzontale = progetto(true);
    const ReportLst base = ReportLst::DaLinee(verticale);
    const auto sostituisci = [&](int colonna, const QString& da, const QString& a) {
        QStringList l = verticale;
        for (int i : lineeColonna(base, colonna))
            l[i].replace(QRegularExpression(da), a);
        return l;
    };
    QStringList spostate = verticale;
    for (const RigaElencoLst& riga : base.Oggetti[base.Elenco()].Righe) {
        spostate[riga.Colonne[0].Linea] = verticale[riga.Colonne[1].Linea];
        spostate[riga.Colonne[1].Linea] = verticale[riga.Colonne[2].Linea];
        spostate[riga.Colonne[2].Linea] = verticale[riga.Colonne[0].Linea];
    }
    QStringList titolo = verticale;
    titolo.replace(titolo.indexOf("  ,OptimSpaces=TRUE,Text=¨Titolo¨"),
                   "  ,OptimSpaces=TRUE,Text=¨\"Vendite: \"+Titolo¨");

    const struct {
        const char* nome;
        QStringList prima;
        std::function<void(ReportLst&)> modifica;
        QStringList dopo;
    } casi[] = {
        {"width", verticale, [](ReportLst& r) { r.ImpostaLarghezzaColonna(1, 31500); },
         sostituisci(1, ",Width=40000,", ",Width=31500,")},
        // Quotes would end the title's text: they are dropped.
        {"title", verticale, [](ReportLst& r) { r.ImpostaTitoloColonna(0, "Codice \"art\"¨"); },
         sostituisci(0, "¨\"COD\"¨", "¨\"Codice art\"¨")},
        // Written where the tool writes it, after the width, where missing.
        {"alignment", verticale, [](ReportLst& r) { r.ImpostaAllineamentoColonna(0, 1); },
         sostituisci(0, ",Width=8000,(Align=2,)?", ",Width=8000,Align=1,")},
        {"move", verticale, [](ReportLst& r) { r.SpostaColonna(0, 2); }, spostate},
        {"text", verticale,
         [](ReportLst& r) { r.ImpostaTestoOggetto(r.OggettiTesto()[1], "\"Vendite: \"+Titolo"); },
         titolo},
        {"landscape", verticale, [](ReportLst& r) { r.ImpostaOrizzontale(true); }, orizzontale},
        {"portrait", orizzontale, [](ReportLst& r) { r.ImpostaOrizzontale(false); }, verticale},
        {"nothing", verticale, [](ReportLst&) {}, verticale},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir cartella;
        const QString file = cartella.filePath("Mio.lst");
        ScriviFileLst(file, c.prima);
        ReportLst r = ReportLst::Leggi(file);
        c.modifica(r);
        EXPECT_EQ(r.Linee(), c.dopo);
        r.Salva(file);
        const ReportLst riletto = ReportLst::Leggi(file);
        EXPECT_TRUE(riletto.Valido());
        EXPECT_EQ(riletto.Linee(), c.dopo);
    }
}

// What the designer shows of the columns, after a move too; the simple
// report's one column has no title.
TEST(ReportLst, WhatTheDesignerShows) {
    ReportLst r = ReportLst::DaLinee(progetto(false));
    r.SpostaColonna(2, 0);
    ASSERT_EQ(r.NumeroColonne(), 3);
    EXPECT_EQ(r.TitoloColonna(0), "IMPORTO");
    EXPECT_EQ(r.EspressioneColonna(0), "Fstr$(IMPORTO,\"---,---,---,--&.##\",1)");
    EXPECT_EQ(r.LarghezzaColonna(0), 24000);
    EXPECT_EQ(r.AllineamentoColonna(0), 2);
    EXPECT_EQ(r.TitoloColonna(2), "NOME");
    EXPECT_EQ(r.AllineamentoColonna(2), 0);
    EXPECT_EQ(r.OggettiTesto().size(), 3);

    const ReportLst standard = ReportLst::DaLinee(LineeLSTStandard({"Arial", 8}));
    ASSERT_EQ(standard.NumeroColonne(), 1);
    EXPECT_EQ(standard.TitoloColonna(0), std::nullopt);
    EXPECT_EQ(standard.EspressioneColonna(0), "Descrizione");
    EXPECT_EQ(standard.LarghezzaColonna(0), 269000);
}

} // namespace
} // namespace mavo::test
