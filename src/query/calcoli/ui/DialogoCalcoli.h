#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace mavo {

// Caption, the dialogs' font, the given size, and a place in the middle of
// the owner's screen (the primary one without owner), whole on it.
void PreparaDialogo(QWidget& finestra, const QString& titolo, QSize dimensione);

// "OK" (the default button) and "Cancel" of a dialog that keeps its outcome
// in `esito`: Cancel sets 2 and closes; OK runs `conferma`, which decides,
// or without one sets 1 and closes.
QDialogButtonBox* PulsantiOkCancel(QDialog& dialogo, int& esito,
                                   std::function<void()> conferma = {});

} // namespace mavo
