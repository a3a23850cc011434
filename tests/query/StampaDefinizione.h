#pragma once

#include "query/campivisibili/CampiVisibili.h"
#include "query/motore/Definizione.h"

#include <ostream>

namespace mavo {

// Definition rows and the visible-fields lists readable in failure messages.
inline void PrintTo(const RigaDefinizione& r, std::ostream* out) {
    *out << '{' << r.Numero << ", \"" << r.Nome.toStdString() << "\", " << r.Mostra << ", \""
         << r.Condizione.left(60).toStdString() << (r.Condizione.size() > 60 ? "...\"}" : "\"}");
}

inline void PrintTo(const CampoVisibile& c, std::ostream* out) {
    *out << '{' << c.NomeCampo.toStdString() << ", " << c.Selezione << '}';
}

inline void PrintTo(const TabellaQuery& t, std::ostream* out) {
    *out << '{' << t.NomeTabella.toStdString() << ", " << t.PercorsoTabella.toStdString() << ", "
         << t.Lettera.toStdString() << ", " << t.Selezione << '}';
}

} // namespace mavo
