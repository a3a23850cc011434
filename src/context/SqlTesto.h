#pragma once

#include <QString>

namespace mavo {

// A value as an SQL text literal: between apostrophes, with every apostrophe
// inside doubled, so that no value can end the literal early.
inline QString sqlTesto(const QString& valore) {
    return u'\'' + QString(valore).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// The literal, or NULL for an empty value.
inline QString sqlTestoONull(const QString& valore) {
    return valore.isEmpty() ? QStringLiteral("NULL") : sqlTesto(valore);
}

} // namespace mavo
