#include "query/calcoli/ui/DialogoCalcoli.h"

#include "common/ui/AspettoDialogo.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace mavo {

void PreparaDialogo(QWidget& finestra, const QString& titolo, QSize dimensione) {
    finestra.setWindowTitle(titolo);
    ImpostaCarattereDialogo(finestra);
    // A window narrower than its title gets it cut by the window manager, and
    // the company it names must show; the rest is the frame's buttons.
    const int perTitolo = finestra.fontMetrics().horizontalAdvance(titolo) + 110;
    finestra.resize(std::max(dimensione.width(), perTitolo), dimensione.height());
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
