#include "cli/interroga/RigaDiComando.h"

#include "cli/comune/RigaDiComandoItaliana.h"

namespace mavo {

namespace {

constexpr char Descrizione[] =
    "Lo strumento di interrogazione senza finestra: costruisce l'istruzione SQL di una\n"
    "definizione di query (come la griglia della finestra \"Query\") e la esegue su un archivio\n"
    "dell'utente (cartella dell'host: MAVO_HOST_DIR, altrimenti quella del programma).\n"
    "La risposta va sullo standard output (nomi dei campi, poi una riga per record, campi\n"
    "separati da ';'), i messaggi sullo standard error. Nulla viene scritto negli archivi.\n"
    "Esito: 0 operazione completata, 1 operazione non riuscita, 2 riga di comando errata.";

constexpr char NoteFinali[] =
    "\nEsempi:\n"
    "  interroga sql --tabella ANAMAG\n"
    "  interroga esegui --tabella LISTINO --archivio listino --definizione prezzi.txt\n"
    "\nIl file di definizione è in UTF-8; la prima riga è Numero;Nome;Mostra;Condizione, ogni\n"
    "altra riga una riga della definizione (la condizione è tutto ciò che segue il terzo ';').\n"
    "Senza --definizione la query mostra tutti i campi della tabella, senza condizioni.";

} // namespace

std::variant<OpzioniInterroga, int> LeggiRigaDiComandoInterroga(int argc, const char* const* argv) {
    OpzioniInterroga opzioni;
    CLI::App app(Descrizione, "interroga");
    PreparaRigaDiComando(app, NoteFinali, opzioni.utente);

    std::string tabella, archivio = "ditta", definizione;
    CLI::App* sql = app.add_subcommand("sql", "Stampa l'istruzione SQL della definizione");
    CLI::App* esegui = app.add_subcommand("esegui", "Esegue la query e stampa la risposta");
    for (CLI::App* comando : {sql, esegui}) {
        comando->group("Comandi");
        comando->footer("");
        comando->get_help_ptr()->group("Opzioni");
        comando->add_option("--tabella", tabella, "Tabella principale della query")
            ->type_name("T")
            ->required();
        comando
            ->add_option("--archivio", archivio,
                         "ditta (l'archivio della ditta, predefinito) oppure listino")
            ->type_name("ditta|listino")
            ->check(CLI::IsMember({"ditta", "listino"}).description(""));
        comando->add_option("--definizione", definizione, "File con la definizione della query")
            ->type_name("FILE");
    }

    if (const std::optional<int> esito = AnalizzaRigaDiComando(app, argc, argv))
        return *esito;
    opzioni.comando =
        esegui->parsed() ? OpzioniInterroga::Comando::Esegui : OpzioniInterroga::Comando::Sql;
    opzioni.tabella = QString::fromStdString(tabella);
    opzioni.suListino = archivio == "listino";
    opzioni.definizione = QString::fromStdString(definizione);
    return opzioni;
}

} // namespace mavo
