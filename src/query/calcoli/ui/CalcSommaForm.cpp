#include "query/calcoli/ui/CalcSommaForm.h"

#include "query/calcoli/Calcoli.h"
#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

TCalcSommaForm::TCalcSommaForm(const QString& tabella, db::Database& database, QWidget* owner)
    : QDialog(owner), ButtonCampo(new QPushButton(QStringLiteral("Campo Da Sommare"), this)),
      ComboCampo(new QComboBox(this)),
      ButtonTitolo(new QPushButton(QStringLiteral("Titolo Somma"), this)),
      EditSomma(new QLineEdit(QStringLiteral("Tot"), this)),
      ButtonOk(new QPushButton(QStringLiteral("Ok"), this)),
      ButtonCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    ComboCampo->addItems(CampiPerSommaRaggruppata(database, tabella));
    for (QPushButton* b : {ButtonCampo, ButtonTitolo, ButtonCancel})
        b->setAutoDefault(false);
    ButtonOk->setDefault(true);
    connect(ButtonCampo, &QPushButton::clicked, ComboCampo, [this] { ComboCampo->setFocus(); });
    connect(ButtonTitolo, &QPushButton::clicked, EditSomma, [this] { EditSomma->setFocus(); });
    connect(ButtonOk, &QPushButton::clicked, this, [this] {
        if (!ComboCampo->currentText().isEmpty() && !EditSomma->text().isEmpty())
            done(1);
    });
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(2); });

    auto* griglia = new QGridLayout;
    griglia->addWidget(ButtonCampo, 0, 0);
    griglia->addWidget(ComboCampo, 0, 1);
    griglia->addWidget(ButtonTitolo, 1, 0);
    griglia->addWidget(EditSomma, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(griglia);
    for (const char* riga :
         {"Il raggruppamento corrente è legato ", "al numero di campi evidenziati.",
          "Otteremo una somma per ogni linea ", "di raggruppamento. Più sono e più ",
          "variano i valori dei campi evidenziati ", "più linee di raggruppamento ",
          "saranno presenti nella rispota ", "della query"})
        layout->addWidget(new QLabel(QString::fromUtf8(riga), this));
    layout->addStretch();
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(ButtonOk);
    pulsanti->addWidget(ButtonCancel);
    layout->addLayout(pulsanti);
    PreparaDialogo(*this, QStringLiteral("Inserimento somma"), {361, 338});
}

} // namespace mavo
