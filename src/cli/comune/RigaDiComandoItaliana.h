#pragma once

#include <CLI/CLI.hpp>
#include <QString>
#include <optional>

namespace mavo {

class Interazione;
class TTabXForm;

// Exit status of a run of our command-line tools.
enum EsitoComando { Completato = 0, Interrotto = 1, ErroreDiUso = 2 };

// The parser of a tool: Italian help, one command required, options before
// or after it, and the host user (--utente N, 1 when not given).
void PreparaRigaDiComando(CLI::App& app, const char* noteFinali, int& utente);

// Parses the line. Returns the exit status when the run ends here: the help
// was asked for (printed on stdout), or the line is wrong (the error, said in
// Italian, and a hint on stderr).
std::optional<int> AnalizzaRigaDiComando(CLI::App& app, int argc, const char* const* argv);

// A value as the tools print it: numbers with ',' and no thousands
// separator, dates dd/mm/yyyy, times hh:mm:ss, texts as stored, NULL empty.
QString TestoCampo(const QVariant& valore);

// The library is only called for users the host knows; on a command line
// anybody may type a number: false, after telling, for one that is unknown.
bool UtenteEsistente(TTabXForm& contesto, Interazione& port);

// The table's rows, fields separated by ';', one line each, in UTF-8.
void ScriviRiga(FILE* out, const QStringList& campi);

} // namespace mavo
