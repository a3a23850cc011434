#include "query/calcoli/ui/RaggMesiForm.h"

#include "platform/Interazione.h"
#include "query/calcoli/Calcoli.h"
#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mavo {

TRaggMesiForm::TRaggMesiForm(const QStringList& campiData, Interazione& port, QWidget* owner)
    : QDialog(owner), ButtonCampo(new QPushButton(QStringLiteral("Selezione campo data"), this)),
      EditNomiCampi(new QComboBox(this)), Anno(nullptr), Mese(nullptr),
      EditNomeCampoRisposta(new QLineEdit(this)), port_(port) {
    EditNomiCampi->addItems(campiData);
    EditNomiCampi->setCurrentIndex(campiData.isEmpty() ? -1 : 0);
    auto* dato = new QGroupBox(QStringLiteral("Dato da estrarre:"), this);
    Anno = new QRadioButton(QStringLiteral("Anno"), dato);
    Mese = new QRadioButton(QStringLiteral("Mese"), dato);
    auto* scelte = new QHBoxLayout(dato);
    scelte->addWidget(Anno);
    scelte->addWidget(Mese);
    auto* etichettaNome = new QLabel(QStringLiteral("Nome campo di risposta:"), this);
    etichettaNome->setBuddy(EditNomeCampoRisposta);

    // The column takes the part's name unless the user gave it one.
    for (QRadioButton* scelta : {Anno, Mese})
        connect(scelta, &QRadioButton::toggled, this, [this, scelta](bool scelto) {
            if (scelto && EditNomeCampoRisposta->text().isEmpty())
                EditNomeCampoRisposta->setText(scelta->text());
        });
    connect(ButtonCampo, &QPushButton::clicked, EditNomiCampi,
            [this] { EditNomiCampi->setFocus(); });
    ButtonCampo->setAutoDefault(false);

    auto* griglia = new QGridLayout;
    griglia->addWidget(ButtonCampo, 0, 0);
    griglia->addWidget(EditNomiCampi, 0, 1);
    griglia->addWidget(dato, 1, 0, 1, 2);
    griglia->addWidget(etichettaNome, 2, 0);
    griglia->addWidget(EditNomeCampoRisposta, 2, 1);
    QDialogButtonBox* pulsanti = PulsantiOkCancel(*this, Esito, [this] { conferma(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(griglia);
    layout->addStretch();
    layout->addWidget(pulsanti);
    PreparaDialogo(*this, QStringLiteral("Estrazione anni e mesi"), {537, 203});
}

void TRaggMesiForm::conferma() {
    const DatoEstratto dato = Anno->isChecked()   ? DatoEstratto::Anno
                              : Mese->isChecked() ? DatoEstratto::Mese
                                                  : DatoEstratto::Nessuno;
    const EstrazioneAnniMesi estrazione =
        EstraiAnniMesi(EditNomiCampi->currentText(), dato, EditNomeCampoRisposta->text());
    if (!estrazione.errore.isEmpty()) {
        port_.Avviso(estrazione.errore);
        return;
    }
    Risultato = estrazione.risultato;
    Esito = 1;
    accept();
}

} // namespace mavo
