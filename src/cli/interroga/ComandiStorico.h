#pragma once

namespace mavo {

class Interazione;
class TTabXForm;
struct OpzioniInterroga;
namespace db {
class Database;
}

// interroga storico: the history of the query windows on the archive (its
// tables made when missing). elenco, mostra and esegui print on stdout;
// salva stores the definition file as the entry, replacing it whole. False
// after telling on the port.
bool EseguiStorico(const OpzioniInterroga& opzioni, TTabXForm& contesto, db::Database& archivio,
                   Interazione& port);

} // namespace mavo
