#include "query/calcoli/ui/DialogoCalcoli.h"

#include "common/ui/AspettoDialogo.h"

#include <QGuiApplication>
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

} // namespace mavo
