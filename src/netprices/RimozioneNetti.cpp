#include "netprices/RimozioneNetti.h"

#include "context/TabXForm.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "netprices/DestinazioneNetti.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"

namespace mavo {

RimozioneNetti::RimozioneNetti(TTabXForm& contesto, Interazione& port,
                               const DestinazioneNetti& destinazione, AgganciFinestra agganci,
                               bool prova)
    : contesto_(contesto), port_(port), destinazione_(destinazione), agganci_(std::move(agganci)),
      prova_(prova) {}

bool RimozioneNetti::Esegui() {
    if (!rimuovi())
        return false;
    agganci_.mostraRiepilogo();
    port_.Informazione("Elaborazione completata");
    return true;
}

bool RimozioneNetti::rimuovi() {
    const auto progresso = port_.CreaProgresso("Inizializzazione");
    progresso->Mostra();
    port_.PompaMessaggi();
    port_.PulisciRiepilogo();

    // Rolled back by its destructor unless committed.
    db::Database& archivio = destinazione_.DatabaseDi(contesto_);
    db::Transaction scrittura(&archivio);
    scrittura.setParams(ParametriTransazioneNetti());
    scrittura.start();
    db::Statement istruzione(&archivio, &scrittura);
    istruzione.setParamCheck(false);
    istruzione.setSql(destinazione_.IstruzioneConteggio());
    istruzione.execute();
    const qint64 marcati = istruzione.fetch() ? istruzione.value(0).toLongLong() : 0;
    progresso->Nascondi();

    if (marcati == 0) {
        port_.Avviso("Nessun dato da elaborare");
        return false;
    }
    const QString quanti = formatFloat("###,###,##0", double(marcati));
    if (!port_.Conferma("Trovati " + quanti + " articoli con netto da rimuovere: procedere?"))
        return false;

    progresso->Mostra();
    progresso->SetMessaggio(destinazione_.messaggioRimozione);
    port_.PompaMessaggi();
    try {
        istruzione.close();
        istruzione.setSql(destinazione_.IstruzioneRimozione());
        istruzione.execute();
        if (prova_)
            scrittura.rollback();
        else
            scrittura.commit();
    } catch (const db::DatabaseError& e) {
        port_.Errore(destinazione_.erroreRimozione + '\r' + e.message());
        return false;
    }
    port_.AggiungiRiepilogo("Codici aggiornati: " + quanti);
    return true;
}

} // namespace mavo
