#pragma once

#include <QColor>
#include <QVariant>
#include <QtGlobal>

class QPalette;

namespace mavo {

// A colour as the stored settings hold it: 0x00BBGGRR, or, from 0x80000000
// up, a system colour chosen by its low byte (as an integer column stores
// them, system colours are negative).
using TColor = qint32;

constexpr TColor TColorDiSistema(quint8 indice) {
    return static_cast<TColor>(0x80000000u | indice);
}

inline constexpr TColor clGiallo = 0x0000FFFF;
inline constexpr TColor clRosso = 0x000000FF;
inline constexpr TColor clRossoChiaro = 0x00B4B4F3;
inline constexpr TColor clArancioChiaro = 0x0077A4FF;
inline constexpr TColor clSfondo = TColorDiSistema(1);   // desktop background
inline constexpr TColor clWindow = TColorDiSistema(5);   // client area of controls
inline constexpr TColor clBtnFace = TColorDiSistema(15); // buttons and column titles

// A stored value as a colour, whether the column keeps system colours
// negative (32 bits) or positive (wider); null is 0.
inline TColor TColorDaValore(const QVariant& valore) {
    return static_cast<TColor>(static_cast<quint32>(valore.toLongLong()));
}

// The colour to paint; system colours come from the palette.
QColor ColoreQt(TColor colore, const QPalette& palette);

} // namespace mavo
