#pragma once

#include <Qt>

class QWidget;

namespace mavo {

// A window with a caption and no title-bar buttons (no system menu, close,
// minimise or maximise): what the progress windows have. Under X11 Qt asks
// for a dialog with a title bar whose only functions are move and resize
// (Motif hints); window managers that honour the hints (IceWM, KWin, xfwm4)
// draw no buttons, openbox draws its buttons whatever the hints say.
inline constexpr Qt::WindowFlags kSenzaPulsantiTitolo =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Tahoma at 13 pixels, the font of every dialog of the library (another
// sans-serif face stands in where Tahoma is not installed).
void ImpostaCarattereDialogo(QWidget& finestra);

// Sizes the window to its content and places it in the middle of a screen:
// its owner's, or the primary one for a window without owner.
void CentraSulloSchermo(QWidget& finestra);

// Moves the window, and shrinks it where it is larger, so that it lies whole
// within a screen's available area: the screen holding its centre, otherwise
// the one it overlaps most, otherwise (a screen that has gone away) the
// primary one. The window manager's frame counts: for a window not yet on
// screen, whose frame is not known, this is done again once it is shown.
void PortaSulloSchermo(QWidget& finestra);

} // namespace mavo
