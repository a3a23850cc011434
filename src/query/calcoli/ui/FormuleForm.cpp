#include "query/calcoli/ui/FormuleForm.h"

#include "platform/Interazione.h"
#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

namespace {

// The help panel, column by column, then its notes.
const QList<QStringList> colonneAiuto = {
    {"Operatori", "fra numeri:", "x+y", "x-y", "x/y", "x*y"},
    {"Operatori", "fra date:", "x+n", "x-n"},
    {"Operatori", "fra stringhe:", "x+y", "UPPER()"},
    {"Funzioni:", "SUM", "COUNT", "MIN", "MAX", "AVG", "SUMNOGROUP", "SOMMAPROG"},
    {"Funzioni procedurali:*", "SUMNOGROUP", "SOMMAPROG", "INTEROVEK"},
};
const QStringList noteAiuto = {
    "* Le funzioni procedurali non sono implementate avvalendosi del solo motore",
    "SQL. Presentano pertanto dei limiti:",
    "- Non sono abbinabili ad altre funzioni in una espressione;",
    "- Il campo a cui si applica la funzione procedurale deve risultare",
    "selezionato;",
    "- In generale si consiglia di usare una funzione procedurale da sola ",
    "nell'ambito di una query e usare altre funzioni nelle query successive.",
    "Parametri SOMMAPROG: (CampoDaSommare,CampoOrdinamento1,..CampoOrdinamentoN)",
};

QWidget* pannelloAiuto(QWidget* parent) {
    auto* pannello = new QFrame(parent);
    pannello->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(pannello);
    auto* colonne = new QHBoxLayout;
    for (const QStringList& colonna : colonneAiuto) {
        auto* testi = new QVBoxLayout;
        for (qsizetype i = 0; i < colonna.size(); ++i) {
            auto* etichetta = new QLabel(colonna[i], pannello);
            // The headings in bold, what they head in plain type.
            QFont carattere = etichetta->font();
            carattere.setBold(i == 0 || colonna[i].endsWith(u':'));
            etichetta->setFont(carattere);
            testi->addWidget(etichetta);
        }
        testi->addStretch();
        colonne->addLayout(testi);
    }
    layout->addLayout(colonne);
    for (const QString& nota : noteAiuto)
        layout->addWidget(new QLabel(nota, pannello));
    return pannello;
}

} // namespace

TFormuleForm::TFormuleForm(const QStringList& nomi, const QString& corrente, Interazione& port,
                           QWidget* owner)
    : QDialog(owner), EditNomiCampi(new QComboBox(this)),
      ButtonAggiungi(new QPushButton(QStringLiteral("Aggiungi campo alla formula"), this)),
      EditFormula(new QLineEdit(this)), EditNomeCampoRisposta(new QLineEdit(this)),
      PanelAiuto(pannelloAiuto(this)), port_(port) {
    EditNomiCampi->setEditable(true);
    EditNomiCampi->addItems(nomi);
    EditNomiCampi->setCurrentText(corrente);
    EditFormula->setMinimumWidth(601);
    auto* etichettaFormula = new QLabel(QStringLiteral("Formula:"), this);
    etichettaFormula->setBuddy(EditFormula);
    auto* etichettaNome = new QLabel(QStringLiteral("Nome campo di risposta:"), this);
    etichettaNome->setBuddy(EditNomeCampoRisposta);

    auto* campi = new QHBoxLayout;
    campi->addWidget(EditNomiCampi, 1);
    campi->addWidget(ButtonAggiungi);
    QDialogButtonBox* pulsanti = PulsantiOkCancel(*this, Esito, [this] { conferma(); });
    ButtonAggiungi->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(campi);
    layout->addWidget(etichettaFormula);
    layout->addWidget(EditFormula);
    layout->addWidget(etichettaNome);
    layout->addWidget(EditNomeCampoRisposta);
    layout->addWidget(PanelAiuto, 1);
    layout->addWidget(pulsanti);

    connect(ButtonAggiungi, &QPushButton::clicked, this,
            [this] { EditFormula->setText(EditFormula->text() + EditNomiCampi->currentText()); });
    PreparaDialogo(*this, QStringLiteral("Inserisci Formule"), {632, 453});
}

void TFormuleForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditFormula->setFocus();
}

void TFormuleForm::conferma() {
    if (EditFormula->text().isEmpty())
        port_.Avviso(QStringLiteral("Formula non impostata!"));
    else
        Esito = 1;
    accept();
}

} // namespace mavo
