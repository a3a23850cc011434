#include "query/grafici/ui/GraficoForm.h"
#include "Vendite.h"
#include "grid/ricerca/GruppoOpzioni.h"
#include "query/grafici/ui/FinestraGrafico.h"
#include "query/grafici/ui/Grafico.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"
#include "support/TabellaTenuta.h"

#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace mavo {
namespace {

QStringList voci(const QComboBox& lista) {
    QStringList testi;
    for (int i = 0; i < lista.count(); ++i)
        testi << lista.itemText(i);
    return testi;
}

QStringList voci(const QListWidget& lista) {
    QStringList testi;
    for (int i = 0; i < lista.count(); ++i)
        testi << lista.item(i)->text();
    return testi;
}

class GraficoFormTest : public test::Vendite {
protected:
    void SetUp() override {
        test::Vendite::SetUp();
        apri();
        nuovoForm();
    }

    void nuovoForm() {
        form.reset();
        form = std::make_unique<TGraficoForm>(&owner, port, "01", "C:\\BIN\\", lavoro.path(),
                                              risposta);
    }

    void clic(QPushButton* pulsante) { QTest::mouseClick(pulsante, Qt::LeftButton); }
    // The additional series chosen through their own layout.
    void scegliSerie(const QStringList& nomi) {
        clic(form->ButtonCampiAggiunti);
        for (int i = 0; i < form->ListBox2->count(); ++i)
            form->ListBox2->item(i)->setSelected(nomi.contains(form->ListBox2->item(i)->text()));
        clic(form->ButtonOK);
    }
    QString cartellaTabella() const { return lavoro.path() + "/QUERY/RISPTMP/GRAFTMP"; }

    QWidget owner;
    std::unique_ptr<TGraficoForm> form;
};

TEST_F(GraficoFormTest, ListePerTipoEAbilitazioni) {
    EXPECT_EQ(form->windowTitle(), "Elaborazione grafici");
    EXPECT_EQ(form->size(), QSize(648, 491));
    EXPECT_EQ(voci(*form->EditDescrizione1), QStringList({"COD", "CITTA", "IMPORTO", "QTA", "COSTO",
                                                          "DATA", "CONTO", "ORA", "GIORNO"}));
    EXPECT_EQ(form->EditDescrizione1->currentIndex(), -1);
    EXPECT_EQ(form->EditValore->count(), 0);
    EXPECT_TRUE(form->RadioGroup1->isEnabled());
    EXPECT_EQ(form->RadioGroup1->indice(), -1);
    EXPECT_FALSE(form->RadioGroup2->isEnabled());
    EXPECT_EQ(form->RadioGroup3->indice(), 0);
    EXPECT_EQ(form->RadioGroup4->indice(), 0);
    EXPECT_FALSE(form->ListBox1->isEnabled());

    form->EditDescrizione1->setCurrentText("QTA");
    EXPECT_EQ(voci(*form->EditValore), QStringList({"COD", "IMPORTO", "COSTO", "CONTO"}));
    EXPECT_EQ(form->EditValore->currentIndex(), -1);
    EXPECT_EQ(form->EditDescrAsseX->text(), "QTA");
    EXPECT_EQ(form->EditDescrAsseY->text(), "");
    form->EditValore->setCurrentText("IMPORTO");
    EXPECT_EQ(form->EditDescrAsseY->text(), "IMPORTO");

    // The series' own layout.
    form->show();
    clic(form->ButtonCampiAggiunti);
    EXPECT_TRUE(form->ListBox2->isVisible());
    EXPECT_EQ(form->ListBox2->geometry(), QRect(8, 91, 225, 200));
    EXPECT_EQ(voci(*form->ListBox2), QStringList({"COD", "COSTO", "CONTO"}));
    EXPECT_TRUE(form->ButtonOK->isVisible());
    EXPECT_FALSE(form->ButtonVisualizza->isVisible());
    EXPECT_FALSE(form->EditTitolo->isVisible());
    EXPECT_FALSE(form->RadioGroup1->isVisible());
    EXPECT_TRUE(form->ListBox1->isEnabled());
    EXPECT_FALSE(form->EditValore->isEnabled());
    clic(form->ButtonCancel);
    EXPECT_EQ(form->ListBox1->count(), 0);

    form->RadioGroup1->setIndice(2);
    scegliSerie({"CONTO", "COD"});
    EXPECT_EQ(voci(*form->ListBox1), QStringList({"COD", "CONTO"})); // in list order
    EXPECT_FALSE(form->ListBox2->isVisible());
    EXPECT_TRUE(form->ButtonVisualizza->isVisible());
    EXPECT_FALSE(form->ListBox1->isEnabled());
    EXPECT_TRUE(form->EditValore->isEnabled());
    EXPECT_FALSE(form->RadioGroup1->isEnabled());
    EXPECT_EQ(form->RadioGroup1->indice(), -1);
    EXPECT_TRUE(form->RadioGroup2->isEnabled());

    // Cancel keeps them; a new value column drops them.
    clic(form->ButtonCampiAggiunti);
    clic(form->ButtonCancel);
    EXPECT_EQ(voci(*form->ListBox1), QStringList({"COD", "CONTO"}));
    form->RadioGroup2->setIndice(3);
    form->EditValore->setCurrentText("COSTO");
    EXPECT_EQ(form->ListBox1->count(), 0);
    EXPECT_TRUE(form->RadioGroup1->isEnabled());
    EXPECT_FALSE(form->RadioGroup2->isEnabled());
    EXPECT_EQ(form->RadioGroup2->indice(), -1);
    EXPECT_EQ(form->EditDescrAsseY->text(), "COSTO");

    // OK with none chosen: back to the x/y types.
    scegliSerie({"COD"});
    scegliSerie({});
    EXPECT_TRUE(form->RadioGroup1->isEnabled());
    EXPECT_FALSE(form->RadioGroup2->isEnabled());
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(GraficoFormTest, Messaggi) {
    const QString insufficienti =
        "Dati non sufficienti per la creazione del grafico!\rVerificare e correggere";
    const QString tipo = "Selezionare il tipo grafico da visualizzare!";
    const struct {
        const char* caso;
        std::function<void()> scelte;
        QPushButton* const TGraficoForm::*pulsante;
        QString messaggio;
    } casi[] = {
        {"nessun campo", [] {}, &TGraficoForm::ButtonVisualizza, insufficienti},
        {"senza valori", [&] { form->EditDescrizione1->setCurrentText("CITTA"); },
         &TGraficoForm::ButtonVisualizza, insufficienti},
        {"serie senza valori", [&] { form->EditDescrizione1->setCurrentText("CITTA"); },
         &TGraficoForm::ButtonCampiAggiunti,
         "Impostare prima i Campi relativi alle coordinate X e Y"},
        {"senza tipo",
         [&] {
             form->EditDescrizione1->setCurrentText("CITTA");
             form->EditValore->setCurrentText("IMPORTO");
         },
         &TGraficoForm::ButtonVisualizza, tipo},
        {"tipo x/y lasciato per le serie",
         [&] {
             form->EditDescrizione1->setCurrentText("CITTA");
             form->EditValore->setCurrentText("IMPORTO");
             form->RadioGroup1->setIndice(0);
             scegliSerie({"QTA"});
         },
         &TGraficoForm::ButtonVisualizza, tipo},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        nuovoForm();
        port = {};
        c.scelte();
        clic((*form).*c.pulsante);
        ASSERT_EQ(port.messages().size(), 1);
        EXPECT_EQ(port.messages()[0].kind, ScriptedInterazione::Kind::Informazione);
        EXPECT_EQ(port.messages()[0].text, c.messaggio);
        EXPECT_TRUE(form->Finestre().isEmpty());
    }
}

// Another user holds the chart table: the numbered one is used, and deleted
// when the dialog closes; the chart stays open beside the owner.
TEST_F(GraficoFormTest, GraficoInUnaFinestraETabellaNumerata) {
    {
        TabellaGrafico prima(lavoro.path());
        prima.Riempi(risposta, {"CITTA", "IMPORTO"}, port);
    }
    ASSERT_TRUE(QDir(cartellaTabella()).exists("GRAFTMP.DB"));
    test::TabellaTenuta altroUtente(cartellaTabella(), "GRAFTMP.DB");

    form->EditDescrizione1->setCurrentText("CITTA");
    form->EditValore->setCurrentText("IMPORTO");
    scegliSerie({"QTA", "COSTO"});
    form->RadioGroup2->setIndice(2); // "In pila"
    form->RadioGroup3->setIndice(1); // "Verticale"
    form->EditTitolo->setText("Vendite");
    clic(form->ButtonVisualizza);
    ASSERT_TRUE(port.messages().isEmpty()) << port.messages()[0].text.toStdString();

    EXPECT_EQ(form->Tabella().Tabella().fileName(), "GRAFT01.DB");
    ASSERT_TRUE(form->Tabella().Tabella().openExclusive());
    EXPECT_EQ(form->Tabella().Tabella().rows().size(), 15);
    form->Tabella().Tabella().close();
    ASSERT_EQ(form->Finestre().size(), 1);
    FinestraGrafico* finestra = form->Finestre()[0];
    EXPECT_EQ(finestra->windowTitle(), "STAMPA GRAFICO");
    EXPECT_EQ(finestra->geometry(), QRect(80, 100, 550, 350));
    EXPECT_EQ(finestra->Grafico()->objectName(), "QGr13VP");
    EXPECT_TRUE(finestra->Grafico()->title().startsWith("Vendite"));

    // The image as the window shows the chart.
    const QString file = lavoro.path() + "/finestra.png";
    ASSERT_TRUE(finestra->SalvaImmagine(file));
    const QImage immagine(file);
    EXPECT_EQ(immagine.size(), finestra->Grafico()->size().toSize());
    EXPECT_GT(immagine.size().width(), 400);
    EXPECT_FALSE(finestra->SalvaImmagine(lavoro.path() + "/manca/x.png"));
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_TRUE(port.messages()[0].text.startsWith("Impossibile scrivere il file\r"));

    // Printed on a page of its own.
    QPrinter stampante;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(lavoro.path() + "/stampa.pdf");
    StampaGrafico(*finestra->Grafico(), stampante);
    QFile stampa(lavoro.path() + "/stampa.pdf");
    ASSERT_TRUE(stampa.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stampa.readAll().startsWith("%PDF"));

    // A second chart refills the table.
    form->RadioGroup2->setIndice(10);
    clic(form->ButtonVisualizza);
    ASSERT_EQ(form->Finestre().size(), 2);
    EXPECT_EQ(form->Finestre()[1]->Grafico()->objectName(), "QGr21TP");

    form.reset();
    EXPECT_FALSE(QDir(cartellaTabella()).exists("GRAFT01.DB"));
    EXPECT_TRUE(QDir(cartellaTabella()).exists("GRAFTMP.DB"));
    EXPECT_EQ(owner.findChildren<FinestraGrafico*>().size(), 2);
}

TEST_F(GraficoFormTest, ApertoDalPulsanteConIlCarattereDellaQuery) {
    QFont carattere("DejaVu Serif", 15);
    owner.setFont(carattere);
    QFont visto;
    EXPECT_TRUE(test::conDialogo(
        [&](QDialog& dialogo) {
            EXPECT_EQ(dialogo.windowTitle(), "Elaborazione grafici");
            visto = dialogo.font();
            QTest::mouseClick(dialogo.findChild<QPushButton*>("ButtonChiudi"), Qt::LeftButton);
        },
        [&] { MostraGrafici(&owner, port, "01", "", lavoro.path(), risposta); }));
    EXPECT_EQ(visto.family(), carattere.family());
    EXPECT_EQ(visto.pointSize(), 15);
}

} // namespace
} // namespace mavo
