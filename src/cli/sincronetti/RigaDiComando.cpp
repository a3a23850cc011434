#include "cli/sincronetti/RigaDiComando.h"

#include "cli/comune/RigaDiComandoItaliana.h"

namespace mavo {

namespace {

constexpr char Descrizione[] =
    "Sincronizzazione dei prezzi netti del fornitore 2197 senza finestra: le stesse operazioni\n"
    "della finestra \"Sincro prezzi netti\", sugli archivi indicati dalle impostazioni\n"
    "dell'utente (cartella dell'host: MAVO_HOST_DIR, altrimenti quella del programma).\n"
    "Il riepilogo va sullo standard output, i messaggi sullo standard error.\n"
    "Esito: 0 operazione completata, 1 operazione interrotta (errore, conferma negata,\n"
    "nessun dato da elaborare), 2 riga di comando errata.";

constexpr char NoteFinali[] =
    "\nEsempi:\n"
    "  sincronetti importa /dati/netti_2197.csv\n"
    "  sincronetti anteprima\n"
    "  sincronetti --si aggiorna listone\n"
    "  sincronetti --si --prova rimuovi anamag\n"
    "\nSolo \"importa\" svuota la tabella MANUTENZIONENETTI prima di riempirla; gli altri\n"
    "comandi la creano se manca e non la svuotano mai. Con --prova il riepilogo è quello di\n"
    "un'esecuzione vera, ma nulla viene salvato (\"Prova: nessuna modifica salvata\").\n"
    "Senza --si le conferme sono chieste (s/N) solo su un terminale; altrimenti la risposta\n"
    "è No.\n"
    "La barra di avanzamento compare sullo standard error solo se è un terminale.\n"
    "Il motore Firebird usa la configurazione in FIREBIRD, altrimenti quella in\n"
    "../firebird accanto al programma.";

} // namespace

std::variant<OpzioniSincronetti, int> LeggiRigaDiComando(int argc, const char* const* argv) {
    OpzioniSincronetti opzioni;
    CLI::App app(Descrizione, "sincronetti");
    PreparaRigaDiComando(app, NoteFinali, opzioni.utente);
    app.add_flag("--si", opzioni.si,
                 "Risponde Sì a ogni richiesta di conferma (senza --si, fuori da un terminale la "
                 "risposta è No)");
    app.add_flag("--prova", opzioni.prova,
                 "Esegue tutto e mostra il riepilogo, poi annulla le modifiche");

    std::string file;
    CLI::App* importa = app.add_subcommand(
        "importa", "Legge il file prezzi del fornitore e prepara i netti in MANUTENZIONENETTI");
    importa->add_option("FILE", file, "File del fornitore (Windows-1252, o UTF-8 con BOM)")
        ->type_name("FILE")
        ->required();
    CLI::App* anteprima = app.add_subcommand(
        "anteprima", "Stampa i netti preparati: CODICE;DESCRIZIONE;PREZZO, ordinati per codice");
    std::string bersaglio;
    const auto conDestinazione = [&bersaglio](CLI::App* comando) {
        // The accepted values are already in the type name.
        comando->add_option("DESTINAZIONE", bersaglio, "listone oppure anamag")
            ->type_name("listone|anamag")
            ->required()
            ->check(CLI::IsMember({"listone", "anamag"}).description(""));
        return comando;
    };
    CLI::App* aggiorna = conDestinazione(app.add_subcommand(
        "aggiorna",
        "Scrive i netti preparati nel listone (LISTINO) o nell'anagrafica di magazzino (ANAMAG)"));
    CLI::App* rimuovi = conDestinazione(
        app.add_subcommand("rimuovi", "Toglie i netti dal listone o dall'anagrafica di magazzino"));
    for (CLI::App* comando : {importa, anteprima, aggiorna, rimuovi}) {
        comando->group("Comandi");
        comando->footer("");
        comando->get_help_ptr()->group("Opzioni");
    }

    if (const std::optional<int> esito = AnalizzaRigaDiComando(app, argc, argv))
        return *esito;

    opzioni.file = QString::fromStdString(file);
    opzioni.suListone = bersaglio == "listone";
    if (importa->parsed())
        opzioni.comando = OpzioniSincronetti::Comando::Importa;
    else if (aggiorna->parsed())
        opzioni.comando = OpzioniSincronetti::Comando::Aggiorna;
    else if (rimuovi->parsed())
        opzioni.comando = OpzioniSincronetti::Comando::Rimuovi;
    return opzioni;
}

} // namespace mavo
