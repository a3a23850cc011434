#pragma once

#include <QString>

namespace mavo {

class Interazione;

inline const QString kMsgCampoNonIndicizzato =
    QStringLiteral("Attenzione: Non è possibile eseguire la ricerca su un campo non indicizzato "
                   "di una tabella di grandi dimensioni");

// Whether `campo` is one of the ';'-separated `campiIndicizzati` (case-insensitive).
bool CampoIndicizzato(const QString& campo, const QString& campiIndicizzati);

// Searching or sorting on a large table needs an index: true when `campo`
// has one or when `libero` (small table, "search always" setting, memory
// data); otherwise the user is told why and the answer is false.
bool ControlloIndice(const QString& campo, const QString& campiIndicizzati, bool libero,
                     Interazione& interazione);

} // namespace mavo
