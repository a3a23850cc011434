#pragma once

#include "query/storico/Storico.h"

#include <QString>

class QWidget;

namespace mavo {

class Interazione;

// What the host's own query windows do: the query tool, in history mode on
// the entry `chiave`, over a table of the user's company archive, shown
// modally until the user closes it. False, after telling, when the archive
// or the table cannot be opened.
bool ApriQueryStorico(Interazione& port, int utente, const QString& tabella, ChiaveStorico chiave,
                      QWidget* owner = nullptr);

} // namespace mavo
