#include "query/blocco/ui/BloccaQForm.h"

#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

TBloccaQForm::TBloccaQForm(bool& bloccata, const QString& ditta, Definizione& righe,
                           Interazione& port, QWidget* owner)
    : QDialog(owner), CheckBloccata(new QCheckBox(QStringLiteral("Query bloccata"), this)),
      CheckChiave(new QCheckBox(QStringLiteral("Blocco con chiave"), this)),
      PanelChiave(new QWidget(this)), EditChiave(new QLineEdit(PanelChiave)),
      ButtonAccettaChiave(new QPushButton(QStringLiteral("&Accetta chiave"), PanelChiave)),
      bloccata_(bloccata), righe_(righe), blocco_(port, bloccata, righe) {
    EditChiave->setMaxLength(LunghezzaChiave);
    auto* chiave = new QHBoxLayout(PanelChiave);
    chiave->setContentsMargins(0, 0, 0, 0);
    chiave->addWidget(new QLabel(QStringLiteral("Chiave:"), PanelChiave));
    chiave->addWidget(EditChiave);
    chiave->addWidget(ButtonAccettaChiave);
    auto* pulsanti = new QDialogButtonBox(this);
    ButtonOk = pulsanti->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ButtonAnnulla = pulsanti->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ButtonAccettaChiave->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckBloccata);
    layout->addWidget(CheckChiave);
    layout->addWidget(PanelChiave);
    layout->addStretch();
    layout->addWidget(pulsanti);

    CheckChiave->setVisible(false);
    PanelChiave->setVisible(false);
    switch (blocco_.TipoAttuale()) {
    case TipoBlocco::Nessuno:
        break;
    case TipoBlocco::Semplice:
        CheckBloccata->setChecked(true);
        CheckChiave->setVisible(true);
        break;
    case TipoBlocco::ConChiave:
        // The key must be given before anything can be changed.
        CheckBloccata->setChecked(true);
        CheckBloccata->setEnabled(false);
        CheckChiave->setChecked(true);
        CheckChiave->setEnabled(false);
        CheckChiave->setVisible(true);
        PanelChiave->setVisible(true);
        break;
    }
    connect(CheckBloccata, &QCheckBox::clicked, this,
            [this] { CheckChiave->setVisible(CheckBloccata->isChecked()); });
    connect(CheckChiave, &QCheckBox::clicked, this, [this] {
        PanelChiave->setVisible(CheckChiave->isChecked());
        CheckBloccata->setEnabled(!CheckChiave->isChecked());
    });
    connect(ButtonAccettaChiave, &QPushButton::clicked, this, [this] { accettaChiave(); });
    connect(pulsanti, &QDialogButtonBox::accepted, this, [this] { ok(); });
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    PreparaDialogo(*this, "Elaborazione Blocco/Sblocco query - Ditta: " + ditta, {330, 150});
}

void TBloccaQForm::accettaChiave() {
    const bool tenuta = blocco_.AccettaChiave(EditChiave->text());
    if (!tenuta || blocco_.TipoAttuale() != TipoBlocco::ConChiave)
        return;
    // The right key: the kind may change now, the key stays as given.
    CheckChiave->setEnabled(true);
    EditChiave->setReadOnly(true);
    EditChiave->setBackgroundRole(QPalette::Window);
    EditChiave->setAutoFillBackground(true);
    ButtonAccettaChiave->setEnabled(false);
}

void TBloccaQForm::ok() {
    const TipoBlocco nuovo = CheckChiave->isChecked()     ? TipoBlocco::ConChiave
                             : CheckBloccata->isChecked() ? TipoBlocco::Semplice
                                                          : TipoBlocco::Nessuno;
    if (blocco_.Applica(nuovo, EditChiave->text(), righe_, bloccata_))
        accept();
}

} // namespace mavo
