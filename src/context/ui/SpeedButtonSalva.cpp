#include "context/ui/SpeedButtonSalva.h"

#include "platform/Paths.h"

#include <QPixmap>

namespace mavo {

TSpeedButtonSalva::TSpeedButtonSalva(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
}

void TSpeedButtonSalva::Imposta(int tag, const QString& immagine) {
    tag_ = tag;
    immagine_ = immagine;
    const QPixmap glifo(toLocalPath(immagine));
    setIcon(QIcon(glifo));
    if (!glifo.isNull())
        setIconSize(glifo.size());
}

} // namespace mavo
