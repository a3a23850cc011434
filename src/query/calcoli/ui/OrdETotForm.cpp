#include "query/calcoli/ui/OrdETotForm.h"

#include "platform/Interazione.h"
#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mavo {

namespace {

QStringList voci(const QListWidget& lista) {
    QStringList testi;
    for (int i = 0; i < lista.count(); ++i)
        testi << lista.item(i)->text();
    return testi;
}

// A list with its caption above it.
QWidget* conTitolo(const QString& titolo, QListWidget* lista, QWidget* parent) {
    auto* riquadro = new QWidget(parent);
    auto* layout = new QVBoxLayout(riquadro);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* etichetta = new QLabel(titolo, riquadro);
    etichetta->setBuddy(lista);
    layout->addWidget(etichetta);
    layout->addWidget(lista);
    return riquadro;
}

} // namespace

TOrdETotForm::TOrdETotForm(Dataset& risposta, CodiciVisualizzazione& codici, const QString&,
                           Interazione& port, QWidget* owner)
    : QDialog(owner), ListBox1(new QListWidget(this)), ListBox2(new QListWidget(this)),
      ListBox3(new QListWidget(this)), ListBox4(new QListWidget(this)),
      RadioGroup1(new QGroupBox(QStringLiteral("Criterio di ordinamento:"), this)),
      Crescente(new QRadioButton(QStringLiteral("Crescente"), RadioGroup1)),
      Decrescente(new QRadioButton(QStringLiteral("Decrescente"), RadioGroup1)),
      ButtonAggiorna(new QPushButton(QStringLiteral("&Aggiorna"), this)),
      ButtonChiudi(new QPushButton(QStringLiteral("Ch&iudi"), this)),
      campi_(CampiRisposta(risposta)), codici_(codici), port_(port) {
    const StatoOrdETot stato = LeggiOrdETot(campi_, codici_);
    ListBox1->addItems(stato.disponibili);
    ListBox2->addItems(stato.chiave);
    ListBox3->addItems(stato.numerici);
    ListBox4->addItems(stato.totali);
    (stato.decrescente ? Decrescente : Crescente)->setChecked(true);

    auto* verso = new QVBoxLayout(RadioGroup1);
    verso->addWidget(Crescente);
    verso->addWidget(Decrescente);
    verso->addStretch();

    auto* ordinamento = new QGroupBox(QStringLiteral("Chiave di ordinamento:"), this);
    auto* riga1 = new QHBoxLayout(ordinamento);
    riga1->addWidget(conTitolo(QStringLiteral("Campi disponibili:"), ListBox1, ordinamento));
    riga1->addWidget(conTitolo(QStringLiteral("Chiave:"), ListBox2, ordinamento));
    riga1->addWidget(RadioGroup1);
    auto* totali = new QGroupBox(QStringLiteral("Campi con totali alla fine:"), this);
    auto* riga2 = new QHBoxLayout(totali);
    riga2->addWidget(conTitolo(QStringLiteral("Campi numerici:"), ListBox3, totali));
    riga2->addWidget(conTitolo(QStringLiteral("Campi con totali:"), ListBox4, totali));
    riga2->addStretch();

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(ButtonAggiorna);
    pulsanti->addWidget(ButtonChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ordinamento, 3);
    layout->addWidget(totali, 2);
    layout->addLayout(pulsanti);

    // A double-click or Enter on a name moves it to the list beside.
    connect(ListBox1, &QListWidget::itemActivated, this, [this] { sposta(ListBox1, ListBox2); });
    connect(ListBox2, &QListWidget::itemActivated, this, [this] { sposta(ListBox2, ListBox1); });
    connect(ListBox3, &QListWidget::itemActivated, this, [this] { sposta(ListBox3, ListBox4); });
    connect(ListBox4, &QListWidget::itemActivated, this, [this] { sposta(ListBox4, ListBox3); });
    ButtonAggiorna->setAutoDefault(false);
    ButtonChiudi->setAutoDefault(false);
    connect(ButtonAggiorna, &QPushButton::clicked, this, &TOrdETotForm::aggiorna);
    connect(ButtonChiudi, &QPushButton::clicked, this, [this] {
        Esito = 2;
        reject();
    });
    PreparaDialogo(*this, QStringLiteral("Ordinamento e Totali"), {654, 492});
}

void TOrdETotForm::sposta(QListWidget* da, QListWidget* a) {
    const int riga = da->currentRow();
    if (riga < 0)
        return;
    if (a == ListBox2 && ListBox2->count() > MassimoChiavi - 1) {
        port_.Avviso(QStringLiteral("Attenzione: Troppi campi in Chiave di ordinamento"));
        return;
    }
    a->addItem(da->takeItem(riga));
}

void TOrdETotForm::aggiorna() {
    StatoOrdETot stato;
    stato.chiave = voci(*ListBox2);
    stato.totali = voci(*ListBox4);
    stato.decrescente = Decrescente->isChecked();
    ScriviOrdETot(campi_, stato, codici_);
    Esito = 1;
    accept();
}

} // namespace mavo
