#include "FormQuery.h"
#include "platform/IniFile.h"
#include "query/stampa/ReportLst.h"
#include "query/stampa/disegno/DisegnoStampa.h"
#include "query/stampa/ui/TitStForm.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>

namespace mavo::test {
namespace {

class StampaForm : public FormQuery {};

// "&Stampa" of the answer: the title dialog (real, answered as a user would),
// its choices stored for the company, the fast report of the answer laid out
// and shown in the preview.
TEST_F(StampaForm, TheTitleDialogThenTheFastReportInThePreview) {
    apri();
    form->FileImpostazioni = lavoro.filePath("tervald.ini");
    esegui();
    ASSERT_TRUE(form->ButtonStampa->isEnabled());
    QStringList visti;
    form->FinestreStampa.Titolo = [&](const ScelteTitolo& iniziali, const GestoriTitolo& g) {
        TTitStForm dialogo(iniziali, g, port, form.get());
        EXPECT_TRUE(dialogo.EditTitolo->text().startsWith("Ditta: D01 Tabella: ART  Data: "));
        EXPECT_TRUE(dialogo.CheckNumeraPagine->isChecked());
        // "Edita report" designs the temporary project of the kind shown.
        dialogo.ButtonEditaReport->click();
        EXPECT_FALSE(dialogo.EditRighe->isVisibleTo(&dialogo)); // kind 0
        dialogo.TipoReport->button(2)->click();
        EXPECT_EQ(dialogo.EditNomeReport->text(), "TEXT");
        EXPECT_TRUE(dialogo.EditRighe->isVisibleTo(&dialogo));
        EXPECT_FALSE(dialogo.GruppoOrientamento->isVisibleTo(&dialogo));
        dialogo.EditTitolo->setText("Articoli in vendita");
        dialogo.EditRighe->setText("20");
        dialogo.accept();
        return dialogo.Scelte();
    };
    QStringList progetti;
    form->FinestreStampa.Designer = [&](const QString& file) {
        progetti << file << ReportLst::Leggi(file).Linee().value(2);
        return false;
    };
    int pagine = 0;
    form->FinestreStampa.Uscita = [&](const LavoroStampa& lavoroStampa) {
        EXPECT_EQ(lavoroStampa.Tipo, 2);
        EXPECT_EQ(lavoroStampa.TitoloFinestra, "STAMPA QUERY");
        EXPECT_TRUE(conDialogo(
            [&](QDialog& anteprima) {
                EXPECT_EQ(anteprima.windowTitle(), "STAMPA QUERY");
                auto* vista = anteprima.findChild<QPrintPreviewWidget*>();
                EXPECT_NE(vista, nullptr);
                if (vista)
                    pagine = vista->pageCount();
                if (!qEnvironmentVariableIsEmpty("MAVO_SCHERMATE"))
                    anteprima.grab().save(qEnvironmentVariable("MAVO_SCHERMATE") +
                                          "/anteprima.png");
                anteprima.reject();
            },
            [&] { MostraAnteprima(lavoroStampa, form.get(), port); }));
        StampaInPdf(lavoroStampa, lavoro.filePath("art.pdf"));
        QProcess p;
        p.start("pdftotext", {"-layout", lavoro.filePath("art.pdf"), "-"});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString testo = QString::fromUtf8(p.readAllStandardOutput());
        for (const char* atteso : {"Articoli in vendita", "|COD", "|NOME", "Pagina N° 1"})
            EXPECT_TRUE(testo.contains(QString::fromUtf8(atteso))) << atteso << testo.toStdString();
    };
    clic(*form->ButtonStampa);
    EXPECT_EQ(progetti, (QStringList{lavoro.filePath("BIN/Report/VEKTemp.lst"), " Text=Report"}));
    EXPECT_EQ(pagine, 1);
    const IniFile ini(lavoro.filePath("tervald.ini"));
    EXPECT_EQ(ini.readString("D01", "TipoStampa"), "2");
    EXPECT_EQ(ini.readString("D01", "RigheStampaQuery"), "20");
    EXPECT_EQ(ini.readString("D01", "ReportQuery"), "TEXT");
    EXPECT_TRUE(port.messages().isEmpty());
}

} // namespace
} // namespace mavo::test
