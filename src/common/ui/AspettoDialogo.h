#pragma once

#include <Qt>

class QWidget;

namespace mavo {

// A window with a caption and no title-bar buttons (no system menu, close,
// minimise or maximise): what the progress windows have.
inline constexpr Qt::WindowFlags kSenzaPulsantiTitolo =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Tahoma at 13 pixels, the font of every dialog of the library (another
// sans-serif face stands in where Tahoma is not installed).
void ImpostaCarattereDialogo(QWidget& finestra);

// Sizes the window to its content and places it in the middle of its screen.
void CentraSulloSchermo(QWidget& finestra);

} // namespace mavo
