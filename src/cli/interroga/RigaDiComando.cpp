#include "cli/interroga/RigaDiComando.h"

#include "cli/comune/RigaDiComandoItaliana.h"

namespace mavo {

namespace {

constexpr char Descrizione[] =
    "Lo strumento di interrogazione senza finestra: costruisce l'istruzione SQL di una\n"
    "definizione di query (come la griglia della finestra \"Query\") e la esegue su un archivio\n"
    "dell'utente (cartella dell'host: MAVO_HOST_DIR, altrimenti quella del programma).\n"
    "La risposta va sullo standard output (nomi dei campi, poi una riga per record, campi\n"
    "separati da ';'), i messaggi sullo standard error; esporta la scrive invece in un file\n"
    "(testo, xls, xlsx) o in una tabella nuova dell'archivio (--tipo IB), come il pulsante\n"
    "\"Esporta\". Nient'altro viene scritto negli archivi, se non lo storico delle query\n"
    "(storico salva).\n"
    "Esito: 0 operazione completata, 1 operazione non riuscita, 2 riga di comando errata.";

constexpr char NoteFinali[] =
    "\nEsempi:\n"
    "  interroga sql --tabella ANAMAG\n"
    "  interroga esegui --tabella LISTINO --archivio listino --definizione prezzi.txt\n"
    "  interroga esporta --tabella LISTINO --archivio listino --tipo ExcelX --destinazione l.xlsx\n"
    "  interroga esporta --tabella ANAMAG --tipo Testo --destinazione a.txt --raggruppa PREZZO=1\n"
    "  interroga storico elenco\n"
    "  interroga storico mostra 5 1,5\n"
    "  interroga storico esegui --tabella ANAMAG 5 1,5\n"
    "  interroga storico salva --tabella ANAMAG --definizione query.txt 5 1.5\n"
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
    CLI::App* esporta = app.add_subcommand(
        "esporta", "Esegue la query ed esporta la risposta (file di testo, xls, xlsx o tabella)");
    for (CLI::App* comando : {sql, esegui, esporta}) {
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

    std::string tipo, destinazione, separatore = ";", tag;
    std::vector<std::string> raggruppa;
    OpzioniEsportazione& e = opzioni.esportazione;
    esporta
        ->add_option("--tipo", tipo,
                     "Testo (file di testo), IB (tabella nuova dell'archivio), Excel, ExcelL, "
                     "ExcelLTesto (file .xls), ExcelX (file .xlsx)")
        ->type_name("TIPO")
        ->required()
        ->check(CLI::IsMember({"Testo", "IB", "Excel", "ExcelX", "ExcelL", "ExcelLTesto"})
                    .description(""));
    esporta
        ->add_option("--destinazione", destinazione,
                     "Il file da scrivere, o il nome della tabella da creare per IB")
        ->type_name("PERCORSO|TABELLA")
        ->required();
    esporta
        ->add_option("--separatore", separatore,
                     "Separatore dei campi del file di testo (un carattere; predefinito ';')")
        ->type_name("C")
        ->check(CLI::Validator(
            [](std::string& v) {
                return QString::fromStdString(v).size() <= 1 ? std::string()
                                                             : v + " (un solo carattere)";
            },
            ""));
    esporta->add_flag("--lunghezza-fissa", e.LunghezzaFissa, "Campi a lunghezza fissa");
    esporta->add_flag("--senza-intestazioni", e.SaltaIntestazioni,
                      "Senza la riga dei nomi dei campi");
    esporta->add_flag("--memo-estesi", e.MemoEstesi, "Campi memo per intero");
    esporta->add_flag("--rtf-in-chiaro", e.RtfInChiaro, "Memo RTF come testo semplice");
    esporta->add_option("--tag", tag, "Testo al posto dei ritorni a capo nei memo")
        ->type_name("TESTO");
    esporta
        ->add_option("--raggruppa", raggruppa,
                     "Cifre raggruppate di un campo: 1 migliaia e due decimali, 2 migliaia senza "
                     "decimali, 0 nessuna (ripetibile)")
        ->type_name("CAMPO=0|1|2")
        ->allow_extra_args(false)
        ->check(CLI::Validator(
            [](std::string& v) {
                const QString testo = QString::fromStdString(v);
                const qsizetype uguale = testo.lastIndexOf(u'=');
                const QString tipo = testo.mid(uguale + 1);
                return uguale > 0 && (tipo == u"0" || tipo == u"1" || tipo == u"2")
                           ? std::string()
                           : v + " (CAMPO=0, CAMPO=1 o CAMPO=2)";
            },
            ""));

    // The history of the query windows: entries C1 C2 (C2 may be "1.5" or "1,5").
    CLI::App* storico = app.add_subcommand(
        "storico", "Lo storico delle query delle finestre (voci Codice1 Codice2)");
    storico->group("Comandi");
    storico->footer("");
    storico->require_subcommand(1);
    CLI::App* elenco = storico->add_subcommand(
        "elenco", "Elenca le voci: Codice1, Codice2, righe, campi della tabella usati");
    CLI::App* mostra = storico->add_subcommand(
        "mostra", "Stampa le righe salvate della voce come file di definizione");
    CLI::App* eseguiStorico = storico->add_subcommand(
        "esegui", "Esegue la query della voce e stampa la risposta con l'aspetto salvato");
    CLI::App* salva = storico->add_subcommand(
        "salva", "Salva il file di definizione nella voce (al posto di quanto c'era)");
    std::string codice1, codice2;
    const CLI::Validator numeroIntero(
        [](std::string& v) {
            bool ok = false;
            QString::fromStdString(v).toInt(&ok);
            return ok ? std::string() : v + " (un numero intero)";
        },
        "");
    const CLI::Validator numeroCodice2(
        [](std::string& v) {
            double valore = 0;
            return LeggiCodice2(QString::fromStdString(v), valore)
                       ? std::string()
                       : v + " (un numero: 1, 1.5, 1,5)";
        },
        "");
    for (CLI::App* comando : {elenco, mostra, eseguiStorico, salva}) {
        comando->group("Comandi");
        comando->footer("");
        comando->get_help_ptr()->group("Opzioni");
        comando
            ->add_option("--archivio", archivio,
                         "ditta (l'archivio della ditta, predefinito) oppure listino")
            ->type_name("ditta|listino")
            ->check(CLI::IsMember({"ditta", "listino"}).description(""));
        if (comando == elenco)
            continue;
        comando->add_option("codice1", codice1, "Codice1 della voce")
            ->type_name("C1")
            ->required()
            ->check(numeroIntero);
        comando->add_option("codice2", codice2, "Codice2 della voce")
            ->type_name("C2")
            ->required()
            ->check(numeroCodice2);
    }
    for (CLI::App* comando : {eseguiStorico, salva})
        comando->add_option("--tabella", tabella, "Tabella principale della query")
            ->type_name("T")
            ->required();
    salva->add_option("--definizione", definizione, "File con la definizione da salvare")
        ->type_name("FILE")
        ->required();

    if (const std::optional<int> esito = AnalizzaRigaDiComando(app, argc, argv))
        return *esito;
    if (storico->parsed()) {
        opzioni.comando = elenco->parsed()          ? OpzioniInterroga::Comando::StoricoElenco
                          : mostra->parsed()        ? OpzioniInterroga::Comando::StoricoMostra
                          : eseguiStorico->parsed() ? OpzioniInterroga::Comando::StoricoEsegui
                                                    : OpzioniInterroga::Comando::StoricoSalva;
        opzioni.voce.Codice1 = QString::fromStdString(codice1).toInt();
        LeggiCodice2(QString::fromStdString(codice2), opzioni.voce.Codice2);
        opzioni.tabella = QString::fromStdString(tabella);
        opzioni.suListino = archivio == "listino";
        opzioni.definizione = QString::fromStdString(definizione);
        return opzioni;
    }
    opzioni.comando = esegui->parsed()    ? OpzioniInterroga::Comando::Esegui
                      : esporta->parsed() ? OpzioniInterroga::Comando::Esporta
                                          : OpzioniInterroga::Comando::Sql;
    if (esporta->parsed()) {
        e.Tipo = *TipoDaParola(QString::fromStdString(tipo));
        e.NomeFile = QString::fromStdString(destinazione);
        e.Separatore = QString::fromStdString(separatore);
        e.Tag = QString::fromStdString(tag);
        e.Esito = 1;
        for (const std::string& r : raggruppa) {
            const QString testo = QString::fromStdString(r);
            const qsizetype uguale = testo.lastIndexOf(u'=');
            opzioni.raggruppamenti.append({testo.left(uguale), testo.mid(uguale + 1).toInt()});
        }
    }
    opzioni.tabella = QString::fromStdString(tabella);
    opzioni.suListino = archivio == "listino";
    opzioni.definizione = QString::fromStdString(definizione);
    return opzioni;
}

} // namespace mavo
