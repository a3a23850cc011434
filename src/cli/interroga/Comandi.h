#pragma once

#include <QString>
#include <functional>

namespace mavo {

class Interazione;
class Risposta;
struct OpzioniInterroga;
struct RichiestaGrafico;

// Draws the chart of an open answer into a file: false after telling why not.
using DisegnaGrafico =
    std::function<bool(Interazione& port, Risposta& risposta, const QString& directoryLavoro,
                       const RichiestaGrafico& richiesta, const QString& file)>;

// Builds the call context of the user as the library does, then builds, and
// with esegui runs, the query on the chosen archive; every failure is told on
// stderr. `disegna` draws for the grafico command (the chart program gives
// it). Returns the exit status.
int EseguiInterroga(const OpzioniInterroga& opzioni, const DisegnaGrafico& disegna = {});

} // namespace mavo
