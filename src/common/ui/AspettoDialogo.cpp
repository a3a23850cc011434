#include "common/ui/AspettoDialogo.h"

#include <QFont>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace mavo {

void ImpostaCarattereDialogo(QWidget& finestra) {
    QFont carattere(QStringLiteral("Tahoma"));
    carattere.setPixelSize(13);
    finestra.setFont(carattere);
}

void CentraSulloSchermo(QWidget& finestra) {
    finestra.adjustSize();
    QRect area(QPoint(), finestra.size());
    area.moveCenter(finestra.screen()->availableGeometry().center());
    finestra.move(area.topLeft());
}

} // namespace mavo
