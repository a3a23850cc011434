#include "query/calcoli/ui/SommaForm.h"

#include "common/Testo.h"
#include "dataset/Dataset.h"
#include "platform/Interazione.h"
#include "query/calcoli/Calcoli.h"
#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

TSommaForm::TSommaForm(const QString&, const QString&, const QString&, Dataset& risposta,
                       Interazione& port, QWidget* owner)
    : QDialog(owner), EditCampi(new QComboBox(this)),
      ButtonCalcola(new QPushButton(QStringLiteral("&Calcola somma"), this)),
      ButtonOk(new QPushButton(QStringLiteral("OK"), this)), risposta_(risposta), port_(port) {
    EditCampi->addItems(CampiDaSommare(risposta_));
    auto* etichetta = new QLabel(QStringLiteral("Selezionare il campo da sommare:"), this);
    etichetta->setBuddy(EditCampi);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(ButtonCalcola);
    pulsanti->addStretch();
    pulsanti->addWidget(ButtonOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(etichetta);
    layout->addWidget(EditCampi);
    layout->addStretch();
    layout->addLayout(pulsanti);
    ButtonCalcola->setDefault(true);
    connect(ButtonCalcola, &QPushButton::clicked, this, &TSommaForm::calcola);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    PreparaDialogo(*this, QStringLiteral("Calcolo somma"), {332, 220});
}

void TSommaForm::calcola() {
    const Field* campo = risposta_.findField(EditCampi->currentText());
    if (!campo)
        return;
    port_.Informazione(FormattaImporto(SommaCampo(risposta_, *campo)));
}

} // namespace mavo
