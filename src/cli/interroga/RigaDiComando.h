#pragma once

#include <QString>
#include <variant>

namespace mavo {

// What one run of interroga is asked to do.
struct OpzioniInterroga {
    enum class Comando { Sql, Esegui };

    int utente = 1;
    Comando comando = Comando::Sql;
    QString tabella;
    bool suListino = false; // the price-list archive, else the company archive
    QString definizione;    // file; empty: every field of the table, no condition
};

// The options of the command line, or the exit status when the run ends here
// (help, or a wrong line told on stderr).
std::variant<OpzioniInterroga, int> LeggiRigaDiComandoInterroga(int argc, const char* const* argv);

} // namespace mavo
