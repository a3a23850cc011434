#include "context/ui/PimIn2Form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace mavo {

TPimIn2Form::TPimIn2Form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Label1(new QLabel("Inserisci data e numero:", this)), Edit1(new QLineEdit(this)),
      Edit2(new QLineEdit(this)),
      BitBtnOk(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this)),
      BitBtnAnnulla(
          new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Cancel", this)) {
    setWindowTitle("Dialog");
    QFont carattere("Tahoma");
    carattere.setPixelSize(13);
    setFont(carattere);
    setFixedSize(330, 150);
    Label1->setGeometry(16, 16, 300, 40);
    Label1->setWordWrap(true);
    Edit1->setGeometry(16, 64, 145, 21);
    Edit2->setGeometry(169, 64, 145, 21);
    BitBtnOk->setGeometry(70, 104, 90, 27);
    BitBtnAnnulla->setGeometry(170, 104, 90, 27);
    BitBtnOk->setDefault(true);
    connect(BitBtnOk, &QPushButton::clicked, this, [this] {
        Esito = 1;
        accept();
    });
    connect(BitBtnAnnulla, &QPushButton::clicked, this, [this] {
        Esito = 2;
        reject();
    });
}

void TPimIn2Form::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
}

RispostaServer TPimIn2Form::ChiediServer(const QString& Titolo, const QString& Etichetta) {
    TPimIn2Form dialogo;
    dialogo.setWindowTitle(Titolo);
    dialogo.Label1->setText(Etichetta);
    QFont carattere("Arial");
    carattere.setPointSize(8);
    dialogo.Label1->setFont(carattere);
    dialogo.Label1->move(dialogo.Label1->x(), dialogo.Label1->y() - 10);
    dialogo.Edit1->clear();
    dialogo.exec();
    return {dialogo.Esito, dialogo.Edit1->text(), dialogo.Edit2->text()};
}

} // namespace mavo
