#pragma once

#include <functional>

namespace mavo {

class Interazione;

// Runs what a user or a host started (a button, a menu command, a call of the
// library, a command of the tool): a failure is shown through the port — the
// server's message for a database error — instead of unwinding into the event
// loop or the host. True when the command ran to its end.
bool EseguiProtetto(Interazione& interazione, const std::function<void()>& comando);

} // namespace mavo
