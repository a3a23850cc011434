#include "cli/sincronetti/Comandi.h"

#include "cli/comune/RigaDiComandoItaliana.h"
#include "cli/sincronetti/Anteprima.h"
#include "cli/sincronetti/RigaDiComando.h"
#include "context/EseguiProtetto.h"
#include "context/PreparaChiamata.h"
#include "netprices/ApplicazioneNetti.h"
#include "netprices/DestinazioneNetti.h"
#include "netprices/ImportazioneNetti.h"
#include "netprices/RimozioneNetti.h"
#include "netprices/TabellaManutenzione.h"
#include "platform/ConsoleInterazione.h"

#include <QFileInfo>

namespace mavo {

namespace {

using Comando = OpzioniSincronetti::Comando;

const DestinazioneNetti& destinazione(const OpzioniSincronetti& opzioni) {
    return opzioni.suListone ? DestinazioneNetti::Listone()
                             : DestinazioneNetti::AnagraficaMagazzino();
}

// True when the command reached its end.
bool esegui(const OpzioniSincronetti& opzioni, TTabXForm& contesto, Interazione& port) {
    switch (opzioni.comando) {
    case Comando::Importa:
        return ImportazioneNetti(contesto, port, {}, opzioni.prova).Esegui();
    case Comando::Anteprima:
        StampaAnteprima(contesto, stdout);
        return true;
    case Comando::Aggiorna:
        return ApplicazioneNetti(contesto, port, destinazione(opzioni), opzioni.prova).Esegui();
    case Comando::Rimuovi:
        return RimozioneNetti(contesto, port, destinazione(opzioni), {}, opzioni.prova).Esegui();
    }
    return false;
}

} // namespace

int EseguiComando(const OpzioniSincronetti& opzioni) {
    ConsoleInterazione port(
        {.assumeYes = opzioni.si,
         .file = opzioni.file.isEmpty() ? QString() : QFileInfo(opzioni.file).absoluteFilePath()});
    int esito = Interrotto;
    EseguiProtetto(port, [&] {
        const std::unique_ptr<TTabXForm> preparato = PreparaContesto(port, opzioni.utente);
        TTabXForm& contesto = *preparato;
        if (!UtenteEsistente(contesto, port))
            return;
        const TDataModuleMavo dataModule(contesto);
        // A company archive that is missing has been reported by the data module.
        if (!contesto.IBDatabase1.connected() || !PreparaTabellaManutenzione(contesto, false) ||
            !esegui(opzioni, contesto, port))
            return;
        if (opzioni.prova && opzioni.comando != Comando::Anteprima)
            port.Informazione("Prova: nessuna modifica salvata");
        esito = Completato;
    });
    return esito;
}

} // namespace mavo
