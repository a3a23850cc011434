#include "cli/interroga/Comandi.h"
#include "cli/interroga/ComandiStorico.h"

#include "cli/comune/RigaDiComandoItaliana.h"
#include "cli/interroga/FileDefinizione.h"
#include "cli/interroga/RigaDiComando.h"
#include "context/EseguiProtetto.h"
#include "context/PreparaChiamata.h"
#include "platform/ConsoleInterazione.h"
#include "platform/Paths.h"
#include "query/catena/QueryCollegate.h"
#include "query/esporta/Esportazione.h"
#include "query/motore/CartelleQuery.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "query/stampa/Stampa.h"
#include "query/stampa/disegno/DisegnoStampa.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace mavo {

namespace {

// The grouping display (and, for the print, the totals) the command line
// gives some fields, as the form's dialogs would.
bool applicaCodici(const OpzioniInterroga& opzioni, Risposta& risposta, Interazione& port) {
    for (const auto& [nome, tipo] : opzioni.raggruppamenti) {
        const Field* campo = risposta.Dati().findField(nome);
        if (!campo) {
            port.Errore("Il campo " + nome + " non è nella risposta (--raggruppa)");
            return false;
        }
        risposta.Codici().AggTipoRaggruppamento(campo->fieldNo(), QChar(char16_t(u'0' + tipo)));
    }
    for (const QString& nome : opzioni.totali) {
        const Field* campo = risposta.Dati().findField(nome);
        if (!campo) {
            port.Errore("Il campo " + nome + " non è nella risposta (--totali)");
            return false;
        }
        const int codice = risposta.Codici().Codice(campo->fieldNo());
        if (!ControlloSuTotali(codice))
            risposta.Codici().SetCodice(campo->fieldNo(), codice - codice / 10 % 10 * 10 + 10);
    }
    return true;
}

// The print the form's "Stampa" makes, with the options of the command line
// in place of the title dialog, into a PDF file.
bool stampa(const OpzioniInterroga& opzioni, Risposta& risposta, const QString& ditta,
            const CartelleQuery& cartelle, Interazione& port) {
    if (!applicaCodici(opzioni, risposta, port))
        return false;
    const ContestoStampa contesto{.RispostaQuery = &risposta,
                                  .TabellaUnRecord = nullptr,
                                  .Ditta = ditta,
                                  .TabellaPrincipale = opzioni.tabella,
                                  .DirectoryLavoro = cartelle.DirectoryLavoro,
                                  .DirectoryBin = cartelle.DirectoryBin,
                                  .FileImpostazioni = cartelle.FileImpostazioni,
                                  .CarattereGriglia = std::nullopt};
    ScelteTitolo scelte = ApriTitoloStampa(
        contesto.FileImpostazioni, ditta,
        opzioni.titolo.isEmpty() ? TitoloPredefinito(ditta, opzioni.tabella) : opzioni.titolo, {});
    CambiaTipoReport(scelte, opzioni.tipoStampa);
    scelte.Esito = 1;
    if (opzioni.note)
        scelte.Note = *opzioni.note;
    if (opzioni.righePerPagina)
        scelte.RighePerPagina = QString::number(*opzioni.righePerPagina);
    scelte.Orientamento = opzioni.orizzontale ? 1 : 0;
    scelte.NumeraPagine = opzioni.numeraPagine;
    int pagine = 0;
    DialoghiStampa dialoghi;
    dialoghi.Uscita = [&](const LavoroStampa& lavoro) {
        pagine = StampaInPdf(lavoro, opzioni.pdf);
    };
    StatoStampa stato;
    if (!StampaConScelte(stato, contesto, scelte, dialoghi, port) || pagine == 0)
        return false;
    std::fprintf(
        stderr, "%s\n",
        qUtf8Printable(QStringLiteral("Stampate %1 pagine in %2").arg(pagine).arg(opzioni.pdf)));
    return true;
}

// The answer written as the form's "Esporta" writes it, with the options of
// the command line in place of the dialog.
bool esporta(const OpzioniInterroga& opzioni, Risposta& risposta, const QString& ditta,
             const CartelleQuery& cartelle, Interazione& port) {
    if (!applicaCodici(opzioni, risposta, port))
        return false;
    OpzioniEsportazione scelte = opzioni.esportazione;
    if (scelte.Tipo != TipoExport::IB) {
        scelte.Cartella = directoryPart(scelte.NomeFile);
        scelte.NomeFile = fileNamePart(scelte.NomeFile);
    }
    EsportazioneRisposta esportazione(port, risposta,
                                      {.Ditta = ditta,
                                       .DirectoryLavoro = cartelle.DirectoryLavoro,
                                       .FileImpostazioni = cartelle.FileImpostazioni});
    // The bar is drawn on a terminal only: elsewhere the count would be wasted.
    esportazione.ContaPerAvanzamento = isatty(fileno(stderr));
    return esportazione.EsportaNuovo(scelte);
}

bool esegui(const OpzioniInterroga& opzioni, TTabXForm& contesto, const DisegnaGrafico& disegna,
            Interazione& port) {
    db::Database& archivio = opzioni.suListino ? contesto.IBDatabase2 : contesto.IBDatabase1;
    // A missing archive has been told by the data module.
    if (!archivio.connected())
        return false;
    if (opzioni.comando >= OpzioniInterroga::Comando::StoricoElenco)
        return EseguiStorico(opzioni, contesto, archivio, port);
    const CartelleQuery cartelle = LeggiCartelleQuery(settingsFilePath(), contesto.Ditta);
    TIBFQuerForm motore = MotoreInterroga(opzioni, contesto.Ditta, archivio, cartelle, port);
    const Definizione definizione = opzioni.definizione.isEmpty()
                                        ? motore.DefinizioneIniziale()
                                        : LeggiFileDefinizione(opzioni.definizione);
    Risposta risposta(archivio);
    motore.CopiaSql = opzioni.comando == OpzioniInterroga::Comando::Sql;
    if (!motore.EseguiInterrogazione(definizione, risposta, {},
                                     DerivaStato(definizione).Affiancata))
        return false;
    if (motore.CopiaSql) {
        for (const QString& linea : risposta.Query().sql())
            ScriviRiga(stdout, {linea});
        return true;
    }
    if (opzioni.comando == OpzioniInterroga::Comando::Esporta)
        return esporta(opzioni, risposta, contesto.Ditta, cartelle, port);
    if (opzioni.comando == OpzioniInterroga::Comando::Grafico)
        return disegna(port, risposta, cartelle.DirectoryLavoro, opzioni.grafico,
                       opzioni.fileGrafico);
    if (opzioni.comando == OpzioniInterroga::Comando::Stampa)
        return stampa(opzioni, risposta, contesto.Ditta, cartelle, port);
    ScriviRiga(stdout, risposta.Dati().fieldNames());
    risposta.Scorri([](const QVariantList& riga) {
        QStringList campi;
        for (const QVariant& valore : riga)
            campi << TestoCampo(valore);
        ScriviRiga(stdout, campi);
    });
    return true;
}

} // namespace

TIBFQuerForm MotoreInterroga(const OpzioniInterroga& opzioni, const QString& ditta,
                             db::Database& archivio, const CartelleQuery& cartelle,
                             Interazione& port) {
    TIBFQuerForm motore(port, archivio,
                        {.Utente = opzioni.utente,
                         .TabellaPrincipale = opzioni.tabella,
                         .DirectoryLavoro = cartelle.DirectoryLavoro,
                         .DirectoryBin = cartelle.DirectoryBin,
                         .Ditta = ditta});
    InstallaTestQueryCollegate(motore, archivio, port);
    return motore;
}

int EseguiInterroga(const OpzioniInterroga& opzioni, const DisegnaGrafico& disegna) {
    ConsoleInterazione port({});
    int esito = Interrotto;
    EseguiProtetto(port, [&] {
        const std::unique_ptr<TTabXForm> contesto = PreparaContesto(port, opzioni.utente);
        if (!UtenteEsistente(*contesto, port))
            return;
        const TDataModuleMavo dataModule(*contesto);
        if (esegui(opzioni, *contesto, disegna, port))
            esito = Completato;
    });
    std::fflush(stdout);
    return esito;
}

} // namespace mavo
