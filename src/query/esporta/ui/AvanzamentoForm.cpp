#include "query/esporta/ui/AvanzamentoForm.h"

#include "common/ui/AspettoDialogo.h"
#include "common/ui/StatBarForm.h"
#include "platform/ui/PompaEventi.h"

#include <QCloseEvent>
#include <QFrame>
#include <QProgressBar>
#include <algorithm>

namespace mavo {

TAvanzamentoForm::TAvanzamentoForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint),
      Panel1(new QFrame(this)), BarraProgresso(new QProgressBar(Panel1)) {
    setWindowTitle(QStringLiteral("Avanzamento"));
    ImpostaCarattereDialogo(*this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setGeometry(0, 0, 692, 21);
    BarraProgresso->setObjectName(QStringLiteral("BarraProgresso"));
    BarraProgresso->setGeometry(0, 0, 692, 21);
    BarraProgresso->setRange(0, 100);
    BarraProgresso->setValue(0);
    BarraProgresso->setTextVisible(false);
    setFixedSize(Panel1->size());
    CentraSulloSchermo(*this);
}

void TAvanzamentoForm::closeEvent(QCloseEvent* evento) {
    if (evento->spontaneous())
        evento->ignore();
}

ProgressoEsportazione::ProgressoEsportazione(QWidget* owner, const QString& messaggio,
                                             bool statoTabella) {
    if (statoTabella) {
        auto* stato = new TStatBarForm(owner);
        stato->setWindowTitle(messaggio);
        finestra_ = stato;
        barra_ = stato->Gauge1;
    } else {
        auto* avanzamento = new TAvanzamentoForm(owner);
        finestra_ = avanzamento;
        barra_ = avanzamento->BarraProgresso;
    }
}

ProgressoEsportazione::~ProgressoEsportazione() {
    delete finestra_.data();
}

void ProgressoEsportazione::SetMessaggio(const QString& testo) {
    if (finestra_)
        finestra_->setWindowTitle(testo);
}

void ProgressoEsportazione::SetBarraVisibile(bool visibile) {
    if (finestra_)
        barra_->setVisible(visibile);
}

void ProgressoEsportazione::SetProgresso(int percentuale) {
    if (finestra_)
        barra_->setValue(std::clamp(percentuale, 0, 100));
}

void ProgressoEsportazione::Mostra() {
    if (!finestra_)
        return;
    finestra_->show();
    PompaSenzaInput();
}

void ProgressoEsportazione::Nascondi() {
    if (finestra_)
        finestra_->hide();
}

} // namespace mavo
