#pragma once

#include "query/motore/Definizione.h"

namespace mavo {

// The joining words a side-by-side member's closing row may carry.
bool ParolaAffiancamento(const QString& condizione);

// A new side-by-side member: the shown fields of the first member become
// frozen (6), and a copy of the first member's rows is appended after a
// header naming `tabella` ("UNION"), closed by a copy of the lock row with
// "UNION". A final
// "QUERY SUCCESSIVA" marker stays the last row. False, with nothing changed,
// when no field is shown.
bool AggiungiUnioneQuery(Definizione& righe, const QString& tabella);

// The last member gone, back to the row that closes the one before it (a
// final "QUERY SUCCESSIVA" marker kept last). True while members remain:
// false once only the locked first member is left, whose fields are then
// shown again (6 -> 1).
bool EliminaUltimaQueryAffiancata(Definizione& righe);

} // namespace mavo
