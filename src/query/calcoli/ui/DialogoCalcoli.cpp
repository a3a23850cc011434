#include "query/calcoli/ui/DialogoCalcoli.h"

#include "common/ui/AspettoDialogo.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace mavo {

void PreparaDialogo(QWidget& finestra, const QString& titolo, QSize dimensione) {
    finestra.setWindowTitle(titolo);
    ImpostaCarattereDialogo(finestra);
    finestra.resize(dimensione);
    const QWidget* proprietario =
        finestra.parentWidget() ? finestra.parentWidget()->window() : nullptr;
    const QScreen* schermo =
        proprietario ? proprietario->screen() : QGuiApplication::primaryScreen();
    finestra.move(schermo->availableGeometry().center() - finestra.rect().center());
    PortaSulloSchermo(finestra);
}

QDialogButtonBox* PulsantiOkCancel(QDialog& dialogo, int& esito, std::function<void()> conferma) {
    auto* pulsanti = new QDialogButtonBox(&dialogo);
    pulsanti->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    pulsanti->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    if (!conferma)
        conferma = [&dialogo, &esito] {
            esito = 1;
            dialogo.accept();
        };
    QObject::connect(pulsanti, &QDialogButtonBox::accepted, &dialogo, std::move(conferma));
    QObject::connect(pulsanti, &QDialogButtonBox::rejected, &dialogo, [&dialogo, &esito] {
        esito = 2;
        dialogo.reject();
    });
    return pulsanti;
}

} // namespace mavo
