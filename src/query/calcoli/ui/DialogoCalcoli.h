#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace mavo {

// Caption, the dialogs' font, the given size, and a place in the middle of
// the owner's screen (the primary one without owner), whole on it.
void PreparaDialogo(QWidget& finestra, const QString& titolo, QSize dimensione);

} // namespace mavo
