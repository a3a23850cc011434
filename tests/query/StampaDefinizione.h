#pragma once

#include "query/motore/Definizione.h"

#include <QStringList>

namespace mavo::test {

// Definition rows as text ("1|NOME|1|condition"), so that a comparison that
// fails says which rows differ.
inline QStringList Testo(const Definizione& righe) {
    QStringList testo;
    for (const RigaDefinizione& r : righe)
        testo << QStringLiteral("%1|%2|%3|%4")
                     .arg(r.Numero)
                     .arg(r.Nome)
                     .arg(r.Mostra)
                     .arg(r.Condizione);
    return testo;
}

} // namespace mavo::test
