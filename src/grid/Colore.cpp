#include "grid/Colore.h"

#include <QPalette>
#include <array>

namespace mavo {

namespace {

// The palette role standing for each system colour, by its index.
constexpr std::array<QPalette::ColorRole, 25> ruoliDiSistema = {
    QPalette::Button,          // scroll bar
    QPalette::Window,          // background
    QPalette::Highlight,       // active caption
    QPalette::Mid,             // inactive caption
    QPalette::Window,          // menu
    QPalette::Base,            // window
    QPalette::Shadow,          // window frame
    QPalette::WindowText,      // menu text
    QPalette::Text,            // window text
    QPalette::HighlightedText, // caption text
    QPalette::Mid,             // active border
    QPalette::Mid,             // inactive border
    QPalette::Dark,            // application workspace
    QPalette::Highlight,       // highlight
    QPalette::HighlightedText, // highlighted text
    QPalette::Button,          // button face
    QPalette::Dark,            // button shadow
    QPalette::PlaceholderText, // grey text
    QPalette::ButtonText,      // button text
    QPalette::WindowText,      // inactive caption text
    QPalette::Light,           // button highlight
    QPalette::Shadow,          // 3D dark shadow
    QPalette::Midlight,        // 3D light
    QPalette::ToolTipText,     // tooltip text
    QPalette::ToolTipBase,     // tooltip background
};

} // namespace

QColor ColoreQt(TColor colore, const QPalette& palette) {
    const auto valore = static_cast<quint32>(colore);
    if (valore & 0x80000000u) {
        const quint32 indice = valore & 0xFFu;
        return palette.color(indice < ruoliDiSistema.size() ? ruoliDiSistema[indice]
                                                            : QPalette::Window);
    }
    return QColor(valore & 0xFFu, (valore >> 8) & 0xFFu, (valore >> 16) & 0xFFu);
}

} // namespace mavo
