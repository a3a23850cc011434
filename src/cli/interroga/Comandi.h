#pragma once

namespace mavo {

struct OpzioniInterroga;

// Builds the call context of the user as the library does, then builds, and
// with esegui runs, the query on the chosen archive; every failure is told on
// stderr. Returns the exit status.
int EseguiInterroga(const OpzioniInterroga& opzioni);

} // namespace mavo
