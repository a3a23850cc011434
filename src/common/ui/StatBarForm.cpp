#include "common/ui/StatBarForm.h"

#include "common/ui/AspettoDialogo.h"

#include <QProgressBar>

namespace mavo {

TStatBarForm::TStatBarForm(QWidget* parent)
    : QDialog(parent, kSenzaPulsantiTitolo), Gauge1(new QProgressBar(this)) {
    ImpostaCarattereDialogo(*this);
    setFixedSize(640, 52);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(0, 0, 640, 52);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setAlignment(Qt::AlignCenter);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: red; }"));
    CentraSulloSchermo(*this);
}

} // namespace mavo
