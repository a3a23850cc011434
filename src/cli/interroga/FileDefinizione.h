#pragma once

#include "query/motore/Definizione.h"

namespace mavo {

// A definition written as text: UTF-8 (a byte-order mark allowed), LF or
// CR LF; first line "Numero;Nome;Mostra;Condizione"; every other non-empty
// line one row, the condition being all that follows the third ';'. A file
// that cannot be read or is not such a text raises IoError, saying where.
Definizione LeggiFileDefinizione(const QString& percorso);

} // namespace mavo
