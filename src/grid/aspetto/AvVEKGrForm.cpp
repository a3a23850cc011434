#include "grid/aspetto/AvVEKGrForm.h"

#include "common/ui/AspettoDialogo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace mavo {

TAvVEKGrForm::TAvVEKGrForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Avviso"));
    ImpostaCarattereDialogo(*this);
    setFixedSize(435, 401);

    auto* immagine = new QLabel(this);
    immagine->setObjectName(QStringLiteral("Image1"));
    immagine->setAlignment(Qt::AlignCenter);
    immagine->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(QSize(220, 220)));

    auto* testo = new QLabel(
        QStringLiteral("ATTENZIONE CON QUESTA OPERAZIONE SI PERDONO TUTTE LE PERSONALIZZAZIONI "
                       "DELL'ASPETTO DELLA GRIGLIA.\nPREMERE CANCEL SE NON SI STA CAPENDO COSA "
                       "SI STA FACENDO"),
        this);
    testo->setObjectName(QStringLiteral("Label1"));
    testo->setAlignment(Qt::AlignCenter);
    testo->setWordWrap(true);
    testo->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));

    auto* pulsanti = new QDialogButtonBox(this);
    pulsanti->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    pulsanti->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    pulsanti->setCenterButtons(true);
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(immagine, 1);
    colonna->addWidget(testo);
    colonna->addWidget(pulsanti);
    CentraSulloSchermo(*this);
}

bool ConfermaAspettoBase(QWidget* parent) {
    TAvVEKGrForm avviso(parent);
    return avviso.exec() == QDialog::Accepted;
}

} // namespace mavo
