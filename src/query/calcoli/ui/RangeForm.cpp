#include "query/calcoli/ui/RangeForm.h"

#include "common/ui/EditData.h"
#include "platform/Interazione.h"
#include "query/calcoli/Calcoli.h"
#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

namespace {

// Leaving a date edit writes a date typed any way in the short date format.
void riscriviData(TEditData* edit) {
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit] {
        if (const std::optional<QString> data = DataRiscritta(edit->text()))
            edit->setText(*data);
    });
}

} // namespace

TRangeForm::TRangeForm(Interazione& port, QWidget* owner)
    : QDialog(owner), LabelTipo(new QLabel(this)), Edit1(new QLineEdit(this)),
      Edit2(new QLineEdit(this)), EditData1(new TEditData(this)), EditData2(new TEditData(this)),
      port_(port) {
    auto* riquadro = new QGroupBox(QStringLiteral("Inserisci i valori dell' intervallo"), this);
    auto* griglia = new QGridLayout(riquadro);
    griglia->addWidget(LabelTipo, 0, 1);
    griglia->addWidget(new QLabel(QStringLiteral("iniziale:"), riquadro), 1, 0);
    griglia->addWidget(new QLabel(QStringLiteral("finale  :"), riquadro), 2, 0);
    // The value and the date edits share their places; one pair shows.
    griglia->addWidget(Edit1, 1, 1);
    griglia->addWidget(EditData1, 1, 1);
    griglia->addWidget(Edit2, 2, 1);
    griglia->addWidget(EditData2, 2, 1);
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(EditData1), static_cast<QWidget*>(EditData2)})
        w->hide();
    riscriviData(EditData1);
    riscriviData(EditData2);

    QDialogButtonBox* pulsanti = PulsantiOkCancel(*this, Esito, [this] { conferma(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(riquadro);
    layout->addWidget(pulsanti);
    PreparaDialogo(*this, QStringLiteral("Range Valori"), {329, 159});
}

void TRangeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const bool date = TipoIntervallo == u"Data";
    LabelTipo->setText(TipoIntervallo);
    Edit1->setVisible(!date);
    Edit2->setVisible(!date);
    EditData1->setVisible(date);
    EditData2->setVisible(date);
    (date ? static_cast<QLineEdit*>(EditData1) : Edit1)->setFocus();
}

void TRangeForm::conferma() {
    bool valido = RangeValido(Edit1->text(), Edit2->text());
    if (!EditData1->text().isEmpty() || !EditData2->text().isEmpty()) {
        for (TEditData* edit : {EditData1, EditData2}) {
            if (edit->text().isEmpty())
                continue;
            const std::optional<QString> data = DataRiscritta(edit->text());
            if (data)
                edit->setText(*data);
            else
                valido = false;
        }
    }
    if (valido)
        Esito = 1;
    else
        port_.Avviso(QStringLiteral("Impostare correttamente i valori del range"));
    accept();
}

} // namespace mavo
