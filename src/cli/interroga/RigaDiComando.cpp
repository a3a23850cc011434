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
    "\"Esporta\"; grafico ne disegna il grafico in un'immagine (PNG, SVG o PDF), come il\n"
    "pulsante \"Grafico\", senza bisogno di uno schermo; stampa la stampa in un file PDF, come\n"
    "il pulsante \"Stampa\" (senza finestra). Nient'altro viene scritto negli archivi, se non\n"
    "lo storico delle query (storico salva), le risposte intermedie di una catena di query\n"
    "(storico esegui --catena, tabelle RSUCC + utente + livello) e le tabelle delle query\n"
    "salvate collegate a una definizione (il codice di quattro cifre, con le tabelle RCOLL).\n"
    "Esito: 0 operazione completata, 1 operazione non riuscita, 2 riga di comando errata.";

constexpr char NoteFinali[] =
    "\nEsempi:\n"
    "  interroga sql --tabella ANAMAG\n"
    "  interroga esegui --tabella LISTINO --archivio listino --definizione prezzi.txt\n"
    "  interroga esporta --tabella LISTINO --archivio listino --tipo ExcelX --destinazione l.xlsx\n"
    "  interroga esporta --tabella ANAMAG --tipo Testo --destinazione a.txt --raggruppa PREZZO=1\n"
    "  interroga grafico --tabella ANAMAG --x DESCRIZIONE --y PREZZO --tipo \"A barre\" --png "
    "a.png\n"
    "  interroga stampa --tabella ANAMAG --tipo 1 --totali GIACENZA --pdf anamag.pdf\n"
    "  interroga storico elenco\n"
    "  interroga storico mostra 5 1,5\n"
    "  interroga storico esegui --tabella ANAMAG 5 1,5\n"
    "  interroga storico esegui --tabella ANAMAG --catena 5 1,5\n"
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
    CLI::App* grafico = app.add_subcommand(
        "grafico", "Esegue la query e ne disegna il grafico in un file PNG, SVG o PDF");
    CLI::App* stampa =
        app.add_subcommand("stampa", "Esegue la query e ne stampa la risposta in un file PDF");
    for (CLI::App* comando : {sql, esegui, esporta, grafico, stampa}) {
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
    const CLI::Validator campoERaggruppamento(
        [](std::string& v) {
            const QString testo = QString::fromStdString(v);
            const qsizetype uguale = testo.lastIndexOf(u'=');
            const QString tipo = testo.mid(uguale + 1);
            return uguale > 0 && (tipo == u"0" || tipo == u"1" || tipo == u"2")
                       ? std::string()
                       : v + " (CAMPO=0, CAMPO=1 o CAMPO=2)";
        },
        "");
    for (CLI::App* comando : {esporta, stampa})
        comando
            ->add_option("--raggruppa", raggruppa,
                         "Cifre raggruppate di un campo: 1 migliaia e due decimali, 2 migliaia "
                         "senza decimali, 0 nessuna (ripetibile)")
            ->type_name("CAMPO=0|1|2")
            ->allow_extra_args(false)
            ->check(campoERaggruppamento);

    int tipoStampa = 0, righe = 0;
    std::string titolo, note, pdf;
    std::vector<std::string> totali;
    bool senzaNumeri = false;
    stampa
        ->add_option("--tipo", tipoStampa,
                     "0 avanzato (una colonna per campo, predefinito), 1 semplice (righe di "
                     "testo incorniciate), 2 veloce (le stesse righe a passo fisso)")
        ->type_name("0|1|2")
        ->check(CLI::Range(0, 2).description(""));
    stampa->add_option("--titolo", titolo, "Titolo (predefinito: ditta, tabella e data)")
        ->type_name("TESTO");
    stampa->add_option("--note", note, "Note sotto il titolo (predefinite: quelle della ditta)")
        ->type_name("TESTO");
    stampa
        ->add_option("--righe-per-pagina", righe,
                     "Righe di ogni pagina delle stampe 1 e 2 (predefinite: quelle della ditta)")
        ->type_name("N")
        ->check(CLI::PositiveNumber.description(""));
    stampa->add_flag("--orizzontale", opzioni.orizzontale, "Pagina orizzontale (stampa 0)");
    stampa->add_flag("--senza-numeri-pagina", senzaNumeri, "Senza \"Pagina N° n\"");
    stampa->add_option("--totali", totali, "Campo numerico da totalizzare in fondo (ripetibile)")
        ->type_name("CAMPO")
        ->allow_extra_args(false);
    stampa->add_option("--pdf", pdf, "Il file PDF da scrivere")->type_name("FILE")->required();

    std::string x, y, tipoGrafico, titoloGrafico, asseX, asseY, asseZ, png, svg, pdfGrafico;
    std::vector<std::string> serie;
    RichiestaGrafico& g = opzioni.grafico;
    grafico->add_option("--x", x, "Campo delle descrizioni dell'asse x")
        ->type_name("CAMPO")
        ->required();
    grafico->add_option("--y", y, "Campo dei valori")->type_name("CAMPO")->required();
    grafico->add_option("--serie", serie, "Altro campo di valori, una serie in più (ripetibile)")
        ->type_name("CAMPO")
        ->allow_extra_args(false);
    grafico
        ->add_option("--tipo", tipoGrafico,
                     "Tipo di grafico, come nella finestra \"Grafico\" (es. \"A barre\")")
        ->type_name("TIPO")
        ->required();
    grafico->add_flag("--verticale", g.Verticale, "Descrizioni in verticale");
    grafico->add_flag("--originale", g.Impostazioni.Originale,
                      "Nell'ordine della risposta, senza ordinare");
    grafico->add_option("--titolo", titoloGrafico, "Titolo del grafico")->type_name("TESTO");
    grafico->add_option("--asse-x", asseX, "Descrizione dell'asse x")->type_name("TESTO");
    grafico->add_option("--asse-y", asseY, "Descrizione dell'asse y")->type_name("TESTO");
    grafico->add_option("--asse-z", asseZ, "Descrizione dell'asse z")->type_name("TESTO");
    CLI::Option* filePng = grafico->add_option("--png", png, "File PNG da scrivere");
    CLI::Option* fileSvg = grafico->add_option("--svg", svg, "File SVG da scrivere");
    CLI::Option* filePdf = grafico->add_option("--pdf", pdfGrafico, "File PDF da scrivere");
    for (CLI::Option* file : {filePng, fileSvg, filePdf})
        file->type_name("FILE");
    filePng->excludes(fileSvg)->excludes(filePdf);
    fileSvg->excludes(filePdf);
    grafico->callback([&] {
        if (png.empty() && svg.empty() && pdfGrafico.empty())
            throw CLI::RequiredError("--png, --svg o --pdf");
    });

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
    bool catena = false;
    eseguiStorico->add_flag("--catena", catena,
                            "Segue le query successive della voce fino all'ultima e ne stampa la "
                            "risposta");
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
        opzioni.catena = catena;
        return opzioni;
    }
    opzioni.comando = esegui->parsed()    ? OpzioniInterroga::Comando::Esegui
                      : esporta->parsed() ? OpzioniInterroga::Comando::Esporta
                      : grafico->parsed() ? OpzioniInterroga::Comando::Grafico
                      : stampa->parsed()  ? OpzioniInterroga::Comando::Stampa
                                          : OpzioniInterroga::Comando::Sql;
    if (grafico->parsed()) {
        const auto testo = [](const std::string& t) { return QString::fromStdString(t); };
        g.Impostazioni.CampoX = testo(x);
        g.Impostazioni.CampoY = testo(y);
        for (const std::string& s : serie)
            g.Impostazioni.SerieAggiunte << testo(s);
        g.Tipo = testo(tipoGrafico);
        g.Titolo = testo(titoloGrafico);
        if (grafico->count("--asse-x"))
            g.AsseX = testo(asseX);
        if (grafico->count("--asse-y"))
            g.AsseY = testo(asseY);
        g.AsseZ = testo(asseZ);
        opzioni.fileGrafico = testo(!png.empty() ? png : !svg.empty() ? svg : pdfGrafico);
    }
    for (const std::string& r : raggruppa) {
        const QString testo = QString::fromStdString(r);
        const qsizetype uguale = testo.lastIndexOf(u'=');
        opzioni.raggruppamenti.append({testo.left(uguale), testo.mid(uguale + 1).toInt()});
    }
    if (stampa->parsed()) {
        opzioni.tipoStampa = tipoStampa;
        opzioni.titolo = QString::fromStdString(titolo);
        if (stampa->count("--note") > 0)
            opzioni.note = QString::fromStdString(note);
        if (stampa->count("--righe-per-pagina") > 0)
            opzioni.righePerPagina = righe;
        opzioni.numeraPagine = !senzaNumeri;
        for (const std::string& t : totali)
            opzioni.totali << QString::fromStdString(t);
        opzioni.pdf = QString::fromStdString(pdf);
    }
    if (esporta->parsed()) {
        e.Tipo = *TipoDaParola(QString::fromStdString(tipo));
        e.NomeFile = QString::fromStdString(destinazione);
        e.Separatore = QString::fromStdString(separatore);
        e.Tag = QString::fromStdString(tag);
        e.Esito = 1;
    }
    opzioni.tabella = QString::fromStdString(tabella);
    opzioni.suListino = archivio == "listino";
    opzioni.definizione = QString::fromStdString(definizione);
    return opzioni;
}

} // namespace mavo
