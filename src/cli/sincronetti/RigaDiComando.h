#pragma once

#include <QString>
#include <variant>

namespace mavo {

// What one run of sincronetti is asked to do.
struct OpzioniSincronetti {
    enum class Comando { Importa, Anteprima, Aggiorna, Rimuovi };

    int utente = 1;
    bool si = false;    // every confirmation answered Yes
    bool prova = false; // run to the end, then roll back
    Comando comando = Comando::Anteprima;
    QString file;          // importa
    bool suListone = true; // aggiorna, rimuovi: listone, else anamag
};

// The options of the command line, or the exit status when the run ends here:
// the help was asked for (printed on stdout) or the line is wrong (the error
// and a hint on stderr).
std::variant<OpzioniSincronetti, int> LeggiRigaDiComando(int argc, const char* const* argv);

} // namespace mavo
