#include "cli/interroga/Comandi.h"
#include "cli/interroga/ComandiStorico.h"

#include "cli/comune/RigaDiComandoItaliana.h"
#include "cli/interroga/FileDefinizione.h"
#include "cli/interroga/RigaDiComando.h"
#include "context/EseguiProtetto.h"
#include "context/PreparaChiamata.h"
#include "platform/ConsoleInterazione.h"
#include "platform/Paths.h"
#include "query/esporta/Esportazione.h"
#include "query/motore/CartelleQuery.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace mavo {

namespace {

// The answer written as the form's "Esporta" writes it, with the options of
// the command line in place of the dialog.
bool esporta(const OpzioniInterroga& opzioni, Risposta& risposta, const QString& ditta,
             const CartelleQuery& cartelle, Interazione& port) {
    for (const auto& [nome, tipo] : opzioni.raggruppamenti) {
        const Field* campo = risposta.Dati().findField(nome);
        if (!campo) {
            port.Errore("Il campo " + nome + " non è nella risposta (--raggruppa)");
            return false;
        }
        risposta.Codici().AggTipoRaggruppamento(campo->fieldNo(), QChar(char16_t(u'0' + tipo)));
    }
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

bool esegui(const OpzioniInterroga& opzioni, TTabXForm& contesto, Interazione& port) {
    db::Database& archivio = opzioni.suListino ? contesto.IBDatabase2 : contesto.IBDatabase1;
    // A missing archive has been told by the data module.
    if (!archivio.connected())
        return false;
    if (opzioni.comando >= OpzioniInterroga::Comando::StoricoElenco)
        return EseguiStorico(opzioni, contesto, archivio, port);
    const CartelleQuery cartelle = LeggiCartelleQuery(settingsFilePath(), contesto.Ditta);
    TIBFQuerForm motore(port, archivio,
                        {.Utente = opzioni.utente,
                         .TabellaPrincipale = opzioni.tabella,
                         .DirectoryLavoro = cartelle.DirectoryLavoro,
                         .DirectoryBin = cartelle.DirectoryBin,
                         .Ditta = contesto.Ditta});
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

int EseguiInterroga(const OpzioniInterroga& opzioni) {
    ConsoleInterazione port({});
    int esito = Interrotto;
    EseguiProtetto(port, [&] {
        const std::unique_ptr<TTabXForm> contesto = PreparaContesto(port, opzioni.utente);
        if (!UtenteEsistente(*contesto, port))
            return;
        const TDataModuleMavo dataModule(*contesto);
        if (esegui(opzioni, *contesto, port))
            esito = Completato;
    });
    std::fflush(stdout);
    return esito;
}

} // namespace mavo
