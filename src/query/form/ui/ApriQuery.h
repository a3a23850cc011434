#pragma once

#include "query/storico/Storico.h"

#include <QString>
#include <optional>

class QWidget;

namespace mavo {

class IbTable;
class Interazione;
class TVEKGrid;
namespace db {
class Database;
}

// Opens the query tool on a table and waits until the user closes it: on a
// private connection to the table's database (its name, user and password;
// a transaction with the parameters of the table's own), a table of the same
// name, the folders of the settings file when not given, the form shown
// modally; everything freed again, in reverse order, when it closes.
// Messages go to `port` when given (it must outlive the call), else to boxes
// over the form. Database failures reach the caller. With `storico` the form
// works in history mode on that entry (the host's own query windows); the
// grid opens it without.
void ApriQuery(IbTable& tabella, db::Database& database, const QString& directoryBin,
               const QString& directoryLavoro, const QString& ditta, bool eseguiAllApertura,
               const QString& fileImpostazioni, int utente, Interazione* port = nullptr,
               QWidget* owner = nullptr, std::optional<ChiaveStorico> storico = std::nullopt);

// What F8 does in a grid: the tool on the grid's main table (a query's
// TabellaPrincipale or the table its statement reads; a table's own; an
// in-memory dataset copied into its TabellaAppoggio first), for the grid's
// user.
void ApriQueryDaGriglia(TVEKGrid& griglia);

// Makes F8 of every grid open the query tool; once, before the first window.
void InstallaQueryNelleGriglie();

} // namespace mavo
