#include "common/ui/DialogoImmissione.h"

#include "common/ui/AspettoDialogo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace mavo {

DialogoImmissione::DialogoImmissione(const QString& etichetta, QWidget* parent)
    : QDialog(parent), layout_(new QVBoxLayout(this)) {
    setWindowTitle(QStringLiteral("Dialog"));
    ImpostaCarattereDialogo(*this);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
    layout_->addWidget(new QLabel(etichetta, this));

    ok_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                          this);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    ok_->setDefault(true);
    auto* annulla = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    QStringLiteral("Cancel"), this);
    annulla->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok_, &QPushButton::clicked, this, [this] {
        Esito = 1;
        accept();
    });
    connect(annulla, &QPushButton::clicked, this, [this] {
        Esito = 2;
        reject();
    });
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(ok_);
    pulsanti->addWidget(annulla);
    layout_->addLayout(pulsanti);
}

void DialogoImmissione::impostaEditor(QLineEdit* editor) {
    editor_ = editor;
    editor->setMinimumWidth(240);
    layout_->insertWidget(1, editor);
    setTabOrder(editor, ok_);
    CentraSulloSchermo(*this);
}

void DialogoImmissione::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    editor_->setFocus();
}

} // namespace mavo
