#include "netprices/ui/ComunicazioneForm.h"
#include "netprices/ui/ProgressoComunicazione.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

namespace mavo {
namespace {

// Counts the paint events a widget receives.
class ContaDisegni : public QObject {
public:
    explicit ContaDisegni(QWidget* widget) { widget->installEventFilter(this); }
    int disegni = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        disegni += event->type() == QEvent::Paint;
        return false;
    }
};

// Horizontal bands of dark (text) pixels in an image, as [top, bottom] rows
// with the leftmost and rightmost dark column of each.
struct Banda {
    int alto, basso, sinistra, destra;
};

QList<Banda> righeDiTesto(const QImage& immagine) {
    QList<Banda> bande;
    bool dentro = false;
    for (int y = 0; y < immagine.height(); ++y) {
        int sinistra = immagine.width(), destra = -1;
        for (int x = 0; x < immagine.width(); ++x) {
            if (immagine.pixelColor(x, y).lightness() < 128) {
                sinistra = std::min(sinistra, x);
                destra = std::max(destra, x);
            }
        }
        if (destra < 0) {
            dentro = false;
            continue;
        }
        if (!dentro) {
            bande.append({y, y, sinistra, destra});
            dentro = true;
        }
        Banda& b = bande.last();
        b.basso = y;
        b.sinistra = std::min(b.sinistra, sinistra);
        b.destra = std::max(b.destra, destra);
    }
    return bande;
}

TEST(ComunicazioneForm, AspettoDiProgetto) {
    QWidget finestra;
    QPixmap icona(16, 16);
    icona.fill(Qt::red);
    finestra.setWindowIcon(QIcon(icona));
    TComunicazioneForm form(&finestra);

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Comunicazione"));
    // A dialog with a frame and a title bar, and without its buttons: what the
    // window manager is given, not only what the widget asked for.
    form.winId();
    const Qt::WindowFlags bordo = form.windowHandle()->flags();
    EXPECT_EQ(bordo & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(bordo & Qt::CustomizeWindowHint);
    EXPECT_TRUE(bordo & Qt::WindowTitleHint);
    for (Qt::WindowType senza :
         {Qt::FramelessWindowHint, Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint,
          Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint}) {
        EXPECT_FALSE(bordo & senza) << senza;
    }
    EXPECT_EQ(form.windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(form.size(), QSize(400, 100));
    EXPECT_EQ(form.font().pixelSize(), 13);
    EXPECT_EQ(form.PanelClient->geometry(), QRect(0, 0, 400, 100));
    EXPECT_EQ(form.LabelMessaggio->geometry(), QRect(8, 8, 385, 57));
    EXPECT_EQ(form.LabelMessaggio->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(form.LabelMessaggio->text().isEmpty());
    EXPECT_EQ(form.BarraProgresso->geometry(), QRect(7, 72, 385, 17));
    EXPECT_EQ(form.BarraProgresso->minimum(), 0);
    EXPECT_EQ(form.BarraProgresso->maximum(), 100);
    EXPECT_TRUE(form.BarraProgresso->isHidden());

    const QPoint centro = form.screen()->availableGeometry().center();
    EXPECT_LE((form.geometry().center() - centro).manhattanLength(), 2);
}

// Only the operation hides it: not Esc, nor the window manager's close.
TEST(ComunicazioneForm, LUtenteNonLaChiude) {
    TComunicazioneForm form;
    form.Mostra();
    QTest::keyClick(&form, Qt::Key_Escape);
    QCloseEvent chiusura;
    QSpontaneKeyEvent::setSpontaneous(&chiusura);
    QApplication::sendEvent(&form, &chiusura);
    EXPECT_TRUE(form.isVisible());
}

struct CasoBarra {
    const char* nome;
    bool visibile;
};
void PrintTo(const CasoBarra& c, std::ostream* os) {
    *os << c.nome;
}

class SetBarraVisibileTest : public testing::TestWithParam<CasoBarra> {};

TEST_P(SetBarraVisibileTest, RipartiDaZero) {
    TComunicazioneForm form;
    form.SetBarraVisibile(!GetParam().visibile);
    form.SetProgresso(60);
    form.SetBarraVisibile(GetParam().visibile);
    EXPECT_EQ(form.BarraProgresso->isHidden(), !GetParam().visibile);
    EXPECT_EQ(form.BarraProgresso->value(), 0);
}

INSTANTIATE_TEST_SUITE_P(Casi, SetBarraVisibileTest,
                         testing::Values(CasoBarra{"Nascosta", false}, CasoBarra{"Mostrata", true}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(ComunicazioneForm, MessaggioSuPiuRigheCentrate) {
    TComunicazioneForm form;
    form.SetMessaggio(QStringLiteral("Azzeramento tabella\nAcquisizione righe del file fornitore"));
    const QList<Banda> righe = righeDiTesto(form.LabelMessaggio->grab().toImage());
    ASSERT_EQ(righe.size(), 2);
    EXPECT_LT(righe[0].destra - righe[0].sinistra, righe[1].destra - righe[1].sinistra);
    for (const Banda& riga : righe) {
        EXPECT_NEAR((riga.sinistra + riga.destra) / 2.0, 385 / 2.0, 3.0);
    }
    EXPECT_NEAR(righe[0].alto, 57 - 1 - righe[1].basso, 4);
}

TEST(ComunicazioneForm, MessaggioLungoNonVaACapo) {
    TComunicazioneForm form;
    form.SetMessaggio(QString(200, u'W'));
    const QList<Banda> righe = righeDiTesto(form.LabelMessaggio->grab().toImage());
    ASSERT_EQ(righe.size(), 1);
    EXPECT_EQ(righe[0].sinistra, 0);
    EXPECT_EQ(righe[0].destra, 384);
}

TEST(ComunicazioneForm, MessaggioEBarraDisegnatiSubitoProgressoRipetutoGratis) {
    TComunicazioneForm form;
    form.SetBarraVisibile(true);
    form.show();
    QApplication::processEvents();
    ContaDisegni etichetta(form.LabelMessaggio);
    ContaDisegni barra(form.BarraProgresso);

    form.SetMessaggio(QStringLiteral("Azzeramento tabella"));
    EXPECT_EQ(etichetta.disegni, 1);

    form.SetBarraVisibile(false);
    form.SetBarraVisibile(true);
    EXPECT_EQ(barra.disegni, 1);

    form.SetProgresso(40);
    EXPECT_GE(barra.disegni, 2);
    // Paints still pending from showing the window must not count below.
    QApplication::processEvents();
    const int dopoIlPrimo = barra.disegni;
    for (int riga = 0; riga < 1000; ++riga) {
        form.SetProgresso(40);
    }
    QApplication::processEvents();
    EXPECT_EQ(barra.disegni, dopoIlPrimo);
    EXPECT_EQ(form.BarraProgresso->value(), 40);
}

// While an operation runs, the dialog's updates let the windows paint, at most
// every IntervalloDisegno ms; a click, a key and a timer wait for the event loop.
TEST(ComunicazioneForm, AggiornamentiLascianoDisegnareNonCliccare) {
    QWidget finestra;
    auto* pulsante = new QPushButton(QStringLiteral("Seleziona e analizza file"), &finestra);
    auto* etichetta = new QLabel(&finestra);
    etichetta->move(0, 40);
    finestra.show();
    int clic = 0;
    QObject::connect(pulsante, &QPushButton::clicked, [&clic] { ++clic; });
    bool scattato = false;
    QTimer::singleShot(1, [&scattato] { scattato = true; });
    TComunicazioneForm form(&finestra);
    form.SetBarraVisibile(true);
    form.Mostra();
    EXPECT_TRUE(form.windowHandle()->isExposed());
    ContaDisegni disegni(etichetta);

    const QPointF centro = QRectF(pulsante->rect()).center();
    QCoreApplication::postEvent(pulsante, new QMouseEvent(QEvent::MouseButtonPress, centro,
                                                          pulsante->mapToGlobal(centro),
                                                          Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(pulsante, new QMouseEvent(QEvent::MouseButtonRelease, centro,
                                                          pulsante->mapToGlobal(centro),
                                                          Qt::LeftButton, Qt::NoButton, {}));
    pulsante->setFocus();
    QCoreApplication::postEvent(pulsante, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, {}, " "));
    QCoreApplication::postEvent(pulsante,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, {}, " "));
    QThread::msleep(TComunicazioneForm::IntervalloDisegno + 10);
    etichetta->setText(QStringLiteral("Acquisizione file"));
    form.SetProgresso(10);
    EXPECT_EQ(disegni.disegni, 1);
    // Sooner than the interval: nothing runs.
    etichetta->setText(QStringLiteral("Riepilogo"));
    form.SetProgresso(11);
    EXPECT_EQ(disegni.disegni, 1);
    QThread::msleep(TComunicazioneForm::IntervalloDisegno + 10);
    form.SetMessaggio(QStringLiteral("Aggiornamento"));
    EXPECT_EQ(disegni.disegni, 2);
    EXPECT_EQ(clic, 0);
    EXPECT_FALSE(scattato);

    // The operation is over: the event loop delivers what waited, in order.
    QApplication::processEvents();
    EXPECT_EQ(clic, 2);
    EXPECT_TRUE(scattato);
}

TEST(ProgressoComunicazione, FinestraDellaFabbrica) {
    QWidget finestra;
    std::unique_ptr<Progresso> progresso =
        CreaProgressoComunicazione(&finestra, QStringLiteral("Inizializzazione"));
    auto* form = finestra.findChild<TComunicazioneForm*>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->LabelMessaggio->text(), QStringLiteral("Inizializzazione"));
    EXPECT_FALSE(form->isVisible());
    progresso->Mostra();
    EXPECT_TRUE(form->isVisible());
    progresso->SetBarraVisibile(true);
    progresso->SetProgresso(150);
    EXPECT_EQ(form->BarraProgresso->value(), 100);
    progresso->Nascondi();
    EXPECT_FALSE(form->isVisible());
    progresso.reset();
    EXPECT_EQ(finestra.findChild<TComunicazioneForm*>(), nullptr);
}

TEST(ProgressoComunicazione, SopravviveAllaFinestraProprietaria) {
    auto finestra = std::make_unique<QWidget>();
    std::unique_ptr<Progresso> progresso = CreaProgressoComunicazione(finestra.get(), "x");
    finestra.reset();
    progresso->SetMessaggio("y");
    progresso->Mostra();
    progresso.reset();
    SUCCEED();
}

} // namespace
} // namespace mavo
