#include "netprices/ui/ComunicazioneForm.h"

#include "common/ui/AspettoDialogo.h"
#include "platform/ui/PompaEventi.h"

#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QWindow>
#include <algorithm>

namespace mavo {

TComunicazioneForm::TComunicazioneForm(QWidget* owner)
    : QDialog(owner, kSenzaPulsantiTitolo), PanelClient(new QFrame(this)),
      LabelMessaggio(new QLabel(PanelClient)), BarraProgresso(new QProgressBar(PanelClient)) {
    setWindowTitle(QStringLiteral("Comunicazione"));
    ImpostaCarattereDialogo(*this);
    if (owner) {
        setWindowIcon(owner->windowIcon());
    }
    PanelClient->setObjectName(QStringLiteral("PanelClient"));
    PanelClient->setFrameShape(QFrame::NoFrame);
    PanelClient->setGeometry(0, 0, 400, 100);

    LabelMessaggio->setObjectName(QStringLiteral("LabelMessaggio"));
    LabelMessaggio->setGeometry(8, 8, 385, 57);
    LabelMessaggio->setAlignment(Qt::AlignCenter);
    LabelMessaggio->setWordWrap(false);
    LabelMessaggio->setTextFormat(Qt::PlainText);

    BarraProgresso->setObjectName(QStringLiteral("BarraProgresso"));
    BarraProgresso->setGeometry(7, 72, 385, 17);
    BarraProgresso->setRange(0, 100);
    BarraProgresso->setValue(0);
    BarraProgresso->setTextVisible(false);
    BarraProgresso->hide();

    setFixedSize(PanelClient->size());
    CentraSulloSchermo(*this);
}

void TComunicazioneForm::Mostra() {
    show();
    // A window manager maps the window some time after show(): until then it
    // is not exposed, and a repaint draws nothing.
    QDeadlineTimer limite(1000);
    for (;;) {
        PompaSenzaInput();
        const QWindow* finestra = windowHandle();
        if (!isVisible() || !finestra || finestra->isExposed() || limite.hasExpired())
            break;
        QThread::msleep(5);
    }
    ultimoDisegno_.start();
}

void TComunicazioneForm::closeEvent(QCloseEvent* evento) {
    if (evento->spontaneous())
        evento->ignore();
}

void TComunicazioneForm::lasciaDisegnare() {
    if (ultimoDisegno_.isValid() && !ultimoDisegno_.hasExpired(IntervalloDisegno))
        return;
    PompaSenzaInput();
    ultimoDisegno_.start();
}

void TComunicazioneForm::SetMessaggio(const QString& testo) {
    LabelMessaggio->setText(testo);
    LabelMessaggio->repaint();
    lasciaDisegnare();
}

void TComunicazioneForm::SetProgresso(int percentuale) {
    // QProgressBar ignores an unchanged value and redraws itself only when the
    // filled part visibly grows.
    BarraProgresso->setValue(std::clamp(percentuale, 0, 100));
    lasciaDisegnare();
}

void TComunicazioneForm::SetBarraVisibile(bool visibile) {
    BarraProgresso->setVisible(visibile);
    BarraProgresso->setValue(0);
    // At once, like the message: the first step of the bar may be far off.
    PanelClient->repaint(BarraProgresso->geometry());
}

} // namespace mavo
