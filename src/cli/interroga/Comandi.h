#pragma once

#include "query/motore/IBFQuerForm.h"

#include <QString>
#include <functional>

namespace mavo {

class Interazione;
namespace db {
class Database;
}
class Risposta;
struct CartelleQuery;
struct OpzioniInterroga;
struct RichiestaGrafico;

// Draws the chart of an open answer into a file: false after telling why not.
using DisegnaGrafico =
    std::function<bool(Interazione& port, Risposta& risposta, const QString& directoryLavoro,
                       const RichiestaGrafico& richiesta, const QString& file)>;

// The engine of the query the options name, on `archivio`, for the user
// and company of the run.
TIBFQuerForm MotoreInterroga(const OpzioniInterroga& opzioni, const QString& ditta,
                             db::Database& archivio, const CartelleQuery& cartelle,
                             Interazione& port);

// Builds the call context of the user as the library does, then builds, and
// with esegui runs, the query on the chosen archive; every failure is told on
// stderr. `disegna` draws for the grafico command (the chart program gives
// it). Returns the exit status.
int EseguiInterroga(const OpzioniInterroga& opzioni, const DisegnaGrafico& disegna = {});

} // namespace mavo
