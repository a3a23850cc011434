#include "Casi.h"
#include "common/ui/ListTabForm.h"
#include "common/ui/PimDataForm.h"
#include "common/ui/PimIn1Form.h"
#include "common/ui/StatBarForm.h"
#include "support/TestDb.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace mavo {
namespace {

using test::NomeCaso;

// Clicks a button of a dialog shown modally, the way callers show them.
int cliccaInModale(QDialog& dialogo, const QString& pulsante) {
    QTimer::singleShot(0, &dialogo, [&dialogo, pulsante] {
        QTest::mouseClick(dialogo.findChild<QPushButton*>(pulsante), Qt::LeftButton);
    });
    return dialogo.exec();
}

struct CasoImmissione {
    const char* nome;
    std::function<std::unique_ptr<DialogoImmissione>()> crea;
    QString etichetta;
    QString editor;
    QString pulsante; // empty: the window is closed without a button
    int esito;
};
void PrintTo(const CasoImmissione& c, std::ostream* os) {
    *os << c.nome;
}

class DialogoImmissioneTest : public testing::TestWithParam<CasoImmissione> {};

TEST_P(DialogoImmissioneTest, EsitoEFocus) {
    const CasoImmissione& c = GetParam();
    const std::unique_ptr<DialogoImmissione> dialogo = c.crea();
    EXPECT_EQ(dialogo->windowTitle(), QStringLiteral("Dialog"));
    EXPECT_EQ(dialogo->font().pixelSize(), 13);
    ASSERT_NE(dialogo->findChild<QLabel*>(), nullptr);
    EXPECT_EQ(dialogo->findChild<QLabel*>()->text(), c.etichetta);
    QLineEdit* editor = dialogo->findChild<QLineEdit*>(c.editor);
    ASSERT_NE(editor, nullptr);
    if (c.pulsante.isEmpty()) {
        QTimer::singleShot(0, dialogo.get(), [&dialogo, editor] {
            EXPECT_EQ(dialogo->focusWidget(), editor);
            dialogo->close();
        });
        dialogo->exec();
    } else {
        cliccaInModale(*dialogo, c.pulsante);
    }
    EXPECT_EQ(dialogo->Esito, c.esito);
}

std::unique_ptr<DialogoImmissione> valore() {
    return std::make_unique<TPimIn1Form>();
}
std::unique_ptr<DialogoImmissione> data() {
    return std::make_unique<TPimDataForm>();
}

INSTANTIATE_TEST_SUITE_P(
    Casi, DialogoImmissioneTest,
    testing::Values(
        CasoImmissione{"ValoreOK", valore, "Inserisci il valore:", "Edit1", "OKBtn", 1},
        CasoImmissione{"ValoreAnnullato", valore, "Inserisci il valore:", "Edit1", "CancelBtn", 2},
        CasoImmissione{"ValoreChiuso", valore, "Inserisci il valore:", "Edit1", "", 0},
        CasoImmissione{"DataOK", data, "Inserisci la data:", "EditData1", "OKBtn", 1},
        CasoImmissione{"DataAnnullata", data, "Inserisci la data:", "EditData1", "CancelBtn", 2},
        CasoImmissione{"DataChiusa", data, "Inserisci la data:", "EditData1", "", 0}),
    NomeCaso());

TEST(PimIn1Form, TestoDiProgetto) {
    TPimIn1Form dialogo;
    EXPECT_EQ(dialogo.Edit1->text(), QStringLiteral("Edit1"));
}

// What a user's double-click delivers: a click, then the double-click event.
void doppioClic(QWidget* widget, QPoint punto) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, punto);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, punto);
}

class ListTabFormTest : public testing::Test {
protected:
    ListTabFormTest() {
        db_.exec({"CREATE TABLE ZETA (A INTEGER)", "CREATE TABLE ALFA (A INTEGER)",
                  "CREATE TABLE \"Minuscola\" (A INTEGER)",
                  "CREATE VIEW VISTA AS SELECT A FROM ALFA"});
    }
    QStringList nomi() const {
        QStringList risultato;
        for (int i = 0; i < form_->ListBox1->count(); ++i) {
            risultato << form_->ListBox1->item(i)->text();
        }
        return risultato;
    }
    void apri() { form_ = std::make_unique<TListTabForm>(nullptr, db_.db()); }

    test::TestDb db_;
    std::unique_ptr<TListTabForm> form_;
};

TEST_F(ListTabFormTest, SoloTabelleUtenteInOrdine) {
    apri();
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("ListTabForm"));
    EXPECT_EQ(nomi(), QStringList({"ALFA", "Minuscola", "ZETA"}));
}

TEST_F(ListTabFormTest, ApriEAnnulla) {
    apri();
    EXPECT_EQ(cliccaInModale(*form_, "ButtonApri"), QDialog::Accepted);
    EXPECT_EQ(form_->Esito, 1);
    EXPECT_EQ(cliccaInModale(*form_, "ButtonAnnulla"), QDialog::Rejected);
    EXPECT_EQ(form_->Esito, 2);
}

TEST_F(ListTabFormTest, DoppioClicSenzaSelezioneNonFaNulla) {
    apri();
    form_->show();
    ASSERT_EQ(form_->ListBox1->currentItem(), nullptr);
    QWidget* area = form_->ListBox1->viewport();
    doppioClic(area, QPoint(10, area->height() - 5));
    EXPECT_EQ(form_->Esito, 0);
    EXPECT_TRUE(form_->isVisible());
}

TEST_F(ListTabFormTest, DoppioClicSuUnNomeConferma) {
    apri();
    form_->show();
    const QRect zeta = form_->ListBox1->visualItemRect(form_->ListBox1->item(2));
    doppioClic(form_->ListBox1->viewport(), zeta.center());
    EXPECT_EQ(form_->Esito, 1);
    EXPECT_FALSE(form_->isVisible());
    ASSERT_NE(form_->ListBox1->currentItem(), nullptr);
    EXPECT_EQ(form_->ListBox1->currentItem()->text(), QStringLiteral("ZETA"));
}

TEST(StatBarForm, IndicatoreRossoSuTuttaLaFinestra) {
    TStatBarForm form;
    form.setWindowTitle("Esportazione in corso...");
    EXPECT_EQ(form.size(), QSize(640, 52));
    EXPECT_EQ(form.Gauge1->geometry(), QRect(0, 0, 640, 52));
    EXPECT_EQ(form.Gauge1->minimum(), 0);
    EXPECT_EQ(form.Gauge1->maximum(), 100);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowSystemMenuHint);
    form.Gauge1->setValue(50);
    const QImage immagine = form.grab().toImage();
    EXPECT_EQ(immagine.pixelColor(100, 26), QColor(Qt::red));
    EXPECT_NE(immagine.pixelColor(540, 26), QColor(Qt::red));
}

} // namespace
} // namespace mavo
