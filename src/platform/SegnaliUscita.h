#pragma once

#include <functional>

namespace mavo {

// The database client catches SIGINT and SIGTERM to shut its engine down and
// leaves the process running on connections that no longer work: Ctrl+C in a
// terminal, or the end of a session, would leave a program hanging. Called
// first thing in main, before any thread starts: SIGINT, SIGTERM and SIGHUP
// are kept from every thread of the process (the client's handlers never
// run) and one thread waits for them. The first runs `azione` on that thread;
// without one, or at the second, the process ends at once with 128 + the
// signal, as a shell expects (the archives undo what was not committed).
// Programs Qt starts from here get the signals as usual (it clears the mask).
void UscitaSuSegnale(std::function<void(int segnale)> azione = {});

// For a program with windows: the first signal ends every event loop of the
// application, so that its windows close and it returns from main.
void UscitaSuSegnaleApplicazione();

} // namespace mavo
