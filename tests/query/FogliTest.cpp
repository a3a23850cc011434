#include "ArchivioEsportazione.h"

#include "query/esporta/ScrittoreXls.h"
#include "support/LeggiFoglio.h"

#include <QDir>
#include <xlsxwriter.h>

namespace mavo::test {
namespace {

using Fogli = ArchivioEsportazione;

const QString lungo = QString(u'€') + QString(299, u'x');

TEST_F(Fogli, TypedCellsReadBackByIndependentReaders) {
    archivio.exec("UPDATE ART SET NOTE = '" + lungo + "' WHERE COD = 3");
    const struct {
        TipoExport tipo;
        const char* nome;
        QStringList righe;
    } casi[] = {
        {TipoExport::ExcelX,
         "art.xlsx",
         {"# Foglio1", "s:COD | s:DESCR | s:PREZZO | s:DATA | s:NOTE | s:QTA",
          "n:1 | s:Caffè € | n:1234.5@#,##0.00 | d:2024-01-05 | s:riga uno\\nriga; due | n:3@#,##0",
          "n:2",
          "n:3 | s:Tè | n:-0.5@#,##0.00 | d:1999-12-31 | s:" + lungo + " | n:1234567.891@#,##0"}},
        {TipoExport::Excel,
         "art.xls",
         {"# Foglio1", "s:COD | s:DESCR | s:PREZZO | s:DATA | s:NOTE | s:QTA",
          "n:1 | s:Caffè € | n:1234.5@#,##0.00 | d:2024-01-05 | s:riga uno\\nriga; due | n:3@#,##0",
          "n:2",
          "n:3 | s:Tè | n:-0.5@#,##0.00 | d:1999-12-31 | s:" + lungo + " | n:1234567.891@#,##0"}},
        {TipoExport::ExcelL,
         "art.csv",
         {"# Foglio1", "s:COD | s:DESCR | s:PREZZO | s:DATA | s:NOTE | s:QTA",
          "n:1 | s:Caffè € | n:1234.5@#,##0.00 | d:2024-01-05 | s:riga uno\\nriga; due | n:3@#,##0",
          "n:2",
          "n:3 | s:Tè | n:-0.5@#,##0.00 | d:1999-12-31 | s:" + lungo + " | n:1234567.891@#,##0"}},
        {TipoExport::ExcelLTesto,
         "art",
         {"# Foglio1", "s:COD | s:DESCR | s:PREZZO | s:DATA | s:NOTE | s:QTA",
          "s:1 | s:Caffè € | s:1.234,50 | s:05/01/2024 | s:riga uno\\nriga; due | s:3", "s:2",
          "s:3 | s:Tè | s:-0,50 | s:31/12/1999 | s:" + lungo + " | s:1.234.568"}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        apri();
        risposta.Codici().AggTipoRaggruppamento(2, u'1');
        risposta.Codici().AggTipoRaggruppamento(5, u'2');
        ASSERT_TRUE(esportazione.EsportaNuovo(opzioni(c.tipo, c.nome)));
        const QString file = esportazione.FileEsportato();
        EXPECT_EQ(QFileInfo(file).fileName(),
                  c.tipo == TipoExport::ExcelX ? "art.xlsx" : "art.xls");
        EXPECT_EQ(LeggiFoglio(file), c.righe);
    }
    EXPECT_EQ(port.messages().size(), 4);
    for (const auto& m : port.messages())
        EXPECT_EQ(m, (ScriptedInterazione::Message{ScriptedInterazione::Kind::Informazione,
                                                   "EXPORT SU FILE EXCEL TERMINATO !!!"}));
    // Nothing but the files themselves in the folder.
    EXPECT_EQ(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"art.xls", "art.xlsx"}));
}

TEST_F(Fogli, HiddenFieldsLeftOutAndASheetContinuesOnTheNext) {
    esportazione.RighePerFoglioXls = 3; // header and two rows
    esportazione.RighePerFoglioXlsx = 3;
    const QStringList attese{"# Foglio1",
                             "s:COD | s:PREZZO | s:DATA | s:QTA",
                             "n:1 | n:1234.5 | d:2024-01-05 | n:3",
                             "n:2",
                             "# Foglio2",
                             "s:COD | s:PREZZO | s:DATA | s:QTA",
                             "n:3 | n:-0.5 | d:1999-12-31 | n:1234567.891"};
    for (const auto& [tipo, nome] :
         {std::pair{TipoExport::ExcelX, "a.xlsx"}, std::pair{TipoExport::Excel, "a.xls"}}) {
        SCOPED_TRACE(nome);
        apri();
        campo("DESCR")->setVisible(false);
        campo("NOTE")->setVisible(false);
        ASSERT_TRUE(esportazione.EsportaNuovo(opzioni(tipo, nome)));
        EXPECT_EQ(LeggiFoglio(cartella.filePath(nome)), attese);
    }
}

TEST_F(Fogli, ThePresetSpreadsheetIsTheModelOfAnXlsx) {
    // A model as spreadsheet programs write it: texts in the shared-string table.
    const QString modello = cartella.filePath("modello.xlsx");
    lxw_workbook* libro = workbook_new(QFile::encodeName(modello).constData());
    lxw_worksheet* foglio = workbook_add_worksheet(libro, "Modello");
    worksheet_write_string(foglio, 0, 0, "Listino di prova", nullptr);
    worksheet_write_number(foglio, 1, 1, 42, nullptr);
    worksheet_write_boolean(foglio, 1, 2, 1, nullptr);
    ASSERT_EQ(workbook_close(libro), LXW_NO_ERROR);

    apri();
    for (const char* nome : {"DESCR", "PREZZO", "DATA", "NOTE", "QTA"})
        campo(nome)->setVisible(false);
    OpzioniEsportazione o = opzioni(TipoExport::ExcelX, "conmodello.xlsx");
    o.ExcelPreimpostato = modello;
    ASSERT_TRUE(esportazione.EsportaNuovo(o));
    EXPECT_EQ(LeggiFoglio(cartella.filePath("conmodello.xlsx")),
              QStringList({"# Modello", "s:Listino di prova", " | n:42 | b:1", "s:COD", "n:1",
                           "n:2", "n:3"}));

    // Not for .xls: said, and the file written without it.
    o = opzioni(TipoExport::Excel, "senza.xls");
    o.ExcelPreimpostato = modello;
    ASSERT_TRUE(esportazione.EsportaNuovo(o));
    EXPECT_EQ(LeggiFoglio(cartella.filePath("senza.xls")),
              QStringList({"# Foglio1", "s:COD", "n:1", "n:2", "n:3"}));
    // A model that cannot be read: said, and the file written without it.
    o = opzioni(TipoExport::ExcelX, "rotto.xlsx");
    o.ExcelPreimpostato = cartella.filePath("senza.xls");
    ASSERT_TRUE(esportazione.EsportaNuovo(o));
    EXPECT_EQ(LeggiFoglio(cartella.filePath("rotto.xlsx")),
              QStringList({"# Foglio1", "s:COD", "n:1", "n:2", "n:3"}));
    QList<ScriptedInterazione::Kind> tipi;
    for (const auto& m : port.messages())
        tipi << m.kind;
    using K = ScriptedInterazione::Kind;
    EXPECT_EQ(tipi,
              QList<K>({K::Informazione, K::Avviso, K::Informazione, K::Avviso, K::Informazione}));
    EXPECT_TRUE(port.messages()[1].text.startsWith("Il file Excel preimpostato vale solo"));
    EXPECT_TRUE(port.messages()[3].text.contains("non è un file xlsx leggibile"));
}

TEST_F(Fogli, AFailureIsToldAndLeavesNoFile) {
    apri();
    EXPECT_FALSE(esportazione.EsportaNuovo(opzioni(TipoExport::ExcelX, "manca/a.xlsx")));
    // The server fails on the second row: nothing half-written stays.
    risposta.Query().sql() =
        QStringList{"SELECT COD, DESCR, PREZZO, DATA, NOTE, 10/(COD-2) AS QTA FROM ART"};
    EXPECT_FALSE(esportazione.EsportaNuovo(opzioni(TipoExport::ExcelX, "b.xlsx")));
    EXPECT_FALSE(esportazione.EsportaNuovo(opzioni(TipoExport::Excel, "b.xls")));
    ASSERT_EQ(port.messages().size(), 3);
    for (const auto& m : port.messages()) {
        EXPECT_EQ(m.kind, ScriptedInterazione::Kind::Errore);
        EXPECT_TRUE(m.text.startsWith("ERRORE NELL' EXPORT SU FILE EXCEL!!!\r\r"))
            << m.text.toStdString();
    }
    EXPECT_TRUE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// The writer alone, on what a long answer brings: texts that cross record
// boundaries in both widths, thousands of strings, a file whose allocation
// table outgrows the header's 109 entries, more rows than a sheet holds.
TEST(ScrittoreXls, LongTextsManyStringsAndALargeFile) {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("grande.xls");
    const QString largo = QString(u'€') + QString(19999, u'a');
    const QString stretto = QString(10000, u'b') + u'è';
    {
        ScrittoreXls scrittore(percorso);
        scrittore.Colonne({"A", "B"}, {10, 10});
        scrittore.Riga({Cella{.tipo = Cella::Tipo::Testo, .testo = largo},
                        Cella{.tipo = Cella::Tipo::Testo, .testo = stretto}});
        for (int i = 0; i < 200000; ++i)
            scrittore.Riga({Cella{.tipo = Cella::Tipo::Numero, .numero = double(i)},
                            i < 5000 ? Cella{.tipo = Cella::Tipo::Testo,
                                             .testo = QStringLiteral("riga %1").arg(i)}
                                     : Cella{.tipo = Cella::Tipo::Numero, .numero = -double(i)}});
        scrittore.Chiudi();
    }
    EXPECT_GT(QFileInfo(percorso).size(), 109 * 128 * 512);
    const QStringList righe = LeggiFoglio(percorso);
    ASSERT_EQ(righe.size(), 4 + 4 + 200001) << righe.value(0).toStdString();
    EXPECT_EQ(righe[0], "# Foglio1");
    EXPECT_EQ(righe[2], "s:" + largo + " | s:" + stretto);
    EXPECT_EQ(righe[3], "n:0 | s:riga 0");
    EXPECT_EQ(righe[5002], "n:4999 | s:riga 4999");
    EXPECT_EQ(righe[5003], "n:5000 | n:-5000");
    EXPECT_EQ(righe[65536], "n:65533 | n:-65533"); // the last row of the first sheet
    EXPECT_EQ(righe[65537], "# Foglio2");
    EXPECT_EQ(righe[65538], "s:A | s:B");
    EXPECT_EQ(righe.last(), "n:199999 | n:-199999");
    EXPECT_EQ(righe.filter(QRegularExpression("^# ")).size(), 4);
}

} // namespace
} // namespace mavo::test
