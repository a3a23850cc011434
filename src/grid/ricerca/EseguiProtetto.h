#pragma once

#include <functional>

namespace mavo {

class Interazione;

// Runs a user command of a dialog: a failure (the server's message for a
// database error) is shown instead of unwinding through the event loop.
void EseguiProtetto(Interazione& interazione, const std::function<void()>& comando);

} // namespace mavo
