#pragma once

#include <cstdint>

namespace mavo {

class Interazione;

// One call of the library by its host: builds the call context for the user,
// makes the archives ready and opens the net-price window without waiting.
// The result is always 0; whatever goes wrong is told through the port, and
// nothing is thrown.
int32_t ApriSincroPrezziNetti(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra);

} // namespace mavo
