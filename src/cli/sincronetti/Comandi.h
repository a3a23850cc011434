#pragma once

namespace mavo {

struct OpzioniSincronetti;

// Builds the call context and the data module of the user as the library
// does, makes sure the staging table exists (never emptying it) and runs the
// command; every failure is told on stderr. Returns the exit status.
int EseguiComando(const OpzioniSincronetti& opzioni);

} // namespace mavo
