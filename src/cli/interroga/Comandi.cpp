#include "cli/interroga/Comandi.h"

#include "cli/comune/RigaDiComandoItaliana.h"
#include "cli/interroga/FileDefinizione.h"
#include "cli/interroga/RigaDiComando.h"
#include "context/EseguiProtetto.h"
#include "context/PreparaChiamata.h"
#include "platform/ConsoleInterazione.h"
#include "platform/Paths.h"
#include "query/motore/CartelleQuery.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"

#include <QFileInfo>

namespace mavo {

namespace {

bool esegui(const OpzioniInterroga& opzioni, TTabXForm& contesto, Interazione& port) {
    db::Database& archivio = opzioni.suListino ? contesto.IBDatabase2 : contesto.IBDatabase1;
    // A missing archive has been told by the data module.
    if (!archivio.connected())
        return false;
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
