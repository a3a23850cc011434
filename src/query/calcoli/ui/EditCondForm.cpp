#include "query/calcoli/ui/EditCondForm.h"

#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

TEditCondForm::TEditCondForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint),
      Memo1(new QPlainTextEdit(this)) {
    // What goes beyond the condition's length is dropped as it is typed or pasted.
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
        const QString testo = Memo1->toPlainText();
        if (testo.size() <= MassimoCaratteri)
            return;
        Memo1->setPlainText(testo.left(MassimoCaratteri));
        Memo1->moveCursor(QTextCursor::End);
    });
    QDialogButtonBox* pulsanti = PulsantiOkCancel(*this, Esito);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addWidget(pulsanti);
    PreparaDialogo(*this, QStringLiteral("EDITAZIONE CONDIZIONE QUERY"), {664, 205});
}

void TEditCondForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Esito = 2;
    Memo1->setFocus();
}

} // namespace mavo
