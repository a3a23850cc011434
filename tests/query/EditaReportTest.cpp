#include "StampaProva.h"
#include "query/stampa/ProgettoLst.h"
#include "query/stampa/disegno/DisegnoStampa.h"
#include "query/stampa/ui/DesignerReport.h"
#include "query/stampa/ui/TitStForm.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

namespace mavo::test {
namespace {

class EditaReport : public StampaVendite {
protected:
    ScelteTitolo scelte(int tipo, const QString& nomeReport = {}) {
        ScelteTitolo s;
        s.Esito = 1;
        s.Tipo = tipo;
        s.NomeReport = nomeReport;
        s.Titolo = "Vendite";
        return s;
    }

    QTemporaryDir bin;
    StatoStampa stato;
};

// The designer as a user works it: a column moved up, its title, width and
// alignment changed, the title's text and the orientation; "Salva" writes
// just that, "Annulla" nothing.
TEST_F(EditaReport, TheDesignerSavesWhatWasEditedAndCancelLeavesTheFile) {
    apri();
    soloColonne({{"COD", 4}, {"CITTA", 20}, {"IMPORTO", 12}});
    const QString file = bin.filePath("Report/VEKTemp.lst");
    creaProgetto(file, false);
    const QByteArray originale = leggi(file);
    ReportLst atteso = ReportLst::Leggi(file);
    atteso.SpostaColonna(2, 1);
    atteso.ImpostaTitoloColonna(1, "Importo");
    atteso.ImpostaLarghezzaColonna(1, 31500);
    atteso.ImpostaAllineamentoColonna(1, 1);
    atteso.ImpostaTestoOggetto(atteso.OggettiTesto()[1], "\"Vendite: \"+Titolo");
    atteso.ImpostaOrizzontale(true);

    for (const bool salva : {false, true}) {
        SCOPED_TRACE(salva ? "Salva" : "Annulla");
        bool salvato = !salva;
        EXPECT_TRUE(conDialogo(
            [&](QDialog& finestra) {
                auto& d = dynamic_cast<TDesignerReport&>(finestra);
                EXPECT_EQ(d.windowTitle(), "Edita report - VEKTemp.lst");
                ASSERT_EQ(d.GrigliaColonne->rowCount(), 3);
                EXPECT_EQ(d.GrigliaColonne->item(2, 3)->text(),
                          "Fstr$(IMPORTO,\"---,---,---,--&.##\",1)");
                d.GrigliaColonne->setCurrentCell(2, 0);
                d.ButtonSu->click();
                EXPECT_EQ(d.GrigliaColonne->item(1, 0)->text(), "IMPORTO");
                EXPECT_EQ(d.GrigliaColonne->currentRow(), 1);
                d.GrigliaColonne->item(1, 0)->setText("Importo");
                dynamic_cast<QDoubleSpinBox&>(*d.GrigliaColonne->cellWidget(1, 1)).setValue(31.5);
                dynamic_cast<QComboBox&>(*d.GrigliaColonne->cellWidget(1, 2)).setCurrentIndex(1);
                ASSERT_EQ(d.EditTesti.size(), 3);
                EXPECT_EQ(d.EditTesti[1]->text(), "Titolo");
                d.EditTesti[1]->setText("\"Vendite: \"+Titolo");
                d.Orientamento->button(1)->click();
                EXPECT_EQ(d.LabelLarghezza->text(), "Larghezza colonne: 79,5 mm su 257,8 mm");
                (salva ? d.ButtonSalva : d.ButtonAnnulla)->click();
            },
            [&] { salvato = mavo::EditaReport(file, nullptr, port); }));
        EXPECT_EQ(salvato, salva);
        if (salva) {
            EXPECT_EQ(ReportLst::Leggi(file).Linee(), atteso.Linee());
        } else {
            EXPECT_EQ(leggi(file), originale);
        }
    }
    EXPECT_TRUE(port.messages().isEmpty());

    // No project to edit: told, and no designer.
    QFile altro(bin.filePath("altro.lst"));
    ASSERT_TRUE(altro.open(QIODevice::WriteOnly));
    altro.write("[Description]\r\n Text=Report\r\n");
    altro.close();
    for (const QString& nessuno : {bin.filePath("manca.lst"), bin.filePath("altro.lst")})
        EXPECT_FALSE(conDialogo([](QDialog&) {},
                                [&] { EXPECT_FALSE(mavo::EditaReport(nessuno, nullptr, port)); }));
    ASSERT_EQ(port.messages().size(), 2);
    EXPECT_TRUE(port.messages()[0].text.startsWith("Impossibile leggere il file "));
    EXPECT_EQ(port.messages()[1].text, "Attenzione: il file " + bin.filePath("altro.lst") +
                                           " non è un progetto di report valido");
    EXPECT_EQ(leggi(bin.filePath("altro.lst")), "[Description]\r\n Text=Report\r\n");
}

// Where the words of the first page of a PDF begin, in points.
QHash<QString, double> posizioni(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    EXPECT_TRUE(p.waitForFinished(60000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    QHash<QString, double> x;
    static const QRegularExpression parola(R"x(<word xMin="([\d.]+)"[^>]*>([^<]*)</word>)x");
    for (auto m = parola.globalMatch(html); m.hasNext();) {
        const auto trovata = m.next();
        if (!x.contains(trovata.captured(2)))
            x.insert(trovata.captured(2), trovata.captured(1).toDouble());
    }
    return x;
}

// The print after "Edita report" lays the answer out as edited: the
// temporary project stays up to date, a user's new project starts from the
// generated one.
TEST_F(EditaReport, TheNextPrintLaysOutTheEditedProject) {
    apri();
    soloColonne({{"COD", 4}, {"IMPORTO", 12}, {"COSTO", 15}});
    for (const QString& nome : {QString(), QStringLiteral("Mio")}) {
        SCOPED_TRACE(nome.toStdString());
        stato = StatoStampa();
        QStringList progetti;
        DialoghiStampa dialoghi;
        dialoghi.Designer = [&](const QString& file) {
            ReportLst r = ReportLst::Leggi(file);
            r.SpostaColonna(2, 0);               // COSTO, COD, IMPORTO
            r.ImpostaLarghezzaColonna(1, 50000); // COD 50 mm
            r.Salva(file);
            progetti << file;
            return true;
        };
        QHash<QString, double> x;
        dialoghi.Uscita = [&](const LavoroStampa& l) {
            ASSERT_GT(StampaInPdf(l, lavoro.filePath("vendite.pdf")), 0);
            x = posizioni(lavoro.filePath("vendite.pdf"));
        };
        ButtonEditReportClick(stato, contesto(bin), scelte(0, nome), dialoghi, port);
        ASSERT_EQ(progetti.size(), 1);
        EXPECT_EQ(QFileInfo(progetti[0]).fileName(),
                  nome.isEmpty() ? "VEKTemp.lst" : nome + ".lst");
        EXPECT_TRUE(StampaConScelte(stato, contesto(bin), scelte(0, nome), dialoghi, port));
        ASSERT_TRUE(x.contains("COSTO") && x.contains("COD") && x.contains("IMPORTO"));
        constexpr double kPuntiAlMm = 72 / 25.4;
        EXPECT_NEAR(x["COD"] - x["COSTO"], 30 * kPuntiAlMm, 1);
        EXPECT_NEAR(x["IMPORTO"] - x["COD"], 50 * kPuntiAlMm, 1);
    }
    EXPECT_TRUE(port.messages().isEmpty());
}

// "Configurazione parametri di stampa" cancelled: nothing is shown, and the
// generated project stays up to date. The fast report has no such step.
TEST_F(EditaReport, ThePrintOptionsCancelledEndThePrint) {
    apri();
    const struct {
        int tipo;
        int opzioni, uscite;
    } casi[] = {{0, 1, 0}, {1, 1, 0}, {2, 0, 1}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.tipo);
        stato = StatoStampa();
        int opzioni = 0, uscite = 0;
        DialoghiStampa dialoghi;
        dialoghi.Opzioni = [&](const LavoroStampa& l) {
            EXPECT_EQ(l.Tipo, c.tipo);
            ++opzioni;
            return false;
        };
        dialoghi.Uscita = [&](const LavoroStampa&) { ++uscite; };
        EXPECT_EQ(StampaConScelte(stato, contesto(bin), scelte(c.tipo), dialoghi, port),
                  c.uscite > 0);
        EXPECT_EQ(opzioni, c.opzioni);
        EXPECT_EQ(uscite, c.uscite);
        if (c.tipo == 0) {
            EXPECT_TRUE(stato.ReportAggiornato);
        }
    }

    // The dialog itself, cancelled.
    LavoroStampa lavoroStampa;
    EXPECT_TRUE(conDialogo(
        [](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Configurazione parametri di stampa");
            d.reject();
        },
        [&] { EXPECT_FALSE(DialoghiStampaFinestre(nullptr, port).Opzioni(lavoroStampa)); }));
    EXPECT_TRUE(port.messages().isEmpty());
}

} // namespace
} // namespace mavo::test
