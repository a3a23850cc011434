#include "netprices/ApplicazioneNetti.h"

#include "context/TabXForm.h"
#include "db/Statement.h"
#include "netprices/AggiornamentoRighe.h"
#include "netprices/Avanzamento.h"
#include "netprices/DestinazioneNetti.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"

namespace mavo {

namespace {

const QStringList RigheInAttesa{"SELECT",   "  *",     "FROM", "  MANUTENZIONENETTI",
                                "ORDER BY", "  CODICE"};

QString numero(qint64 valore) {
    return formatFloat("###,###,##0", double(valore));
}

qint64 totaleRighe(TTabXForm& contesto) {
    db::Statement totale(&contesto.IBDatabase1, &contesto.IBTransaction1);
    totale.setParamCheck(false);
    totale.setSql(QStringList{"SELECT", "  COUNT(*) AS TOT", "FROM", "  ("} << RigheInAttesa
                                                                            << "  )");
    totale.execute();
    return totale.fetch() ? totale.value(0).toLongLong() : 0;
}

} // namespace

ApplicazioneNetti::ApplicazioneNetti(TTabXForm& contesto, Interazione& port,
                                     const DestinazioneNetti& destinazione, bool prova)
    : contesto_(contesto), port_(port), destinazione_(destinazione), prova_(prova) {}

bool ApplicazioneNetti::Esegui() {
    db::Statement righe(&contesto_.IBDatabase1, &contesto_.IBTransaction1);
    righe.setParamCheck(false);
    righe.setSql(RigheInAttesa);
    righe.execute();
    if (!righe.fetch()) {
        port_.Avviso("Nessun dato da elaborare");
        return false;
    }
    if (!port_.Conferma(destinazione_.domandaAggiornamento))
        return false;
    aggiorna(righe);
    port_.Informazione("Elaborazione completata");
    return true;
}

void ApplicazioneNetti::aggiorna(db::Statement& righe) {
    const auto progresso = port_.CreaProgresso("Inizializzazione");
    progresso->Mostra();
    port_.PompaMessaggi();
    port_.PulisciRiepilogo();
    const qint64 totale = totaleRighe(contesto_);

    // Rolled back by its destructor unless the end is reached.
    db::Database& archivio = destinazione_.DatabaseDi(contesto_);
    db::Transaction scrittura(&archivio);
    scrittura.setParams(ParametriTransazioneNetti());
    scrittura.start();
    AggiornamentoRighe aggiornamento(archivio, scrittura, destinazione_, port_);

    progresso->SetMessaggio(destinazione_.messaggioAggiornamento);
    progresso->SetBarraVisibile(true);
    Avanzamento avanzamento(*progresso, totale);
    qint64 lette = 0;
    const int colonnaCodice = righe.columnIndex("CODICE");
    const int colonnaPrezzo = righe.columnIndex("PREZZO");
    do {
        avanzamento.Riga(++lette);
        aggiornamento.Aggiungi(righe.value(colonnaCodice).toString(),
                               righe.value(colonnaPrezzo).toDouble());
    } while (righe.fetch());
    aggiornamento.Completa();

    if (prova_)
        scrittura.rollback();
    else
        scrittura.commit();
    port_.AggiungiRiepilogo("- Numero di record di partenza: " + numero(totale));
    port_.AggiungiRiepilogo("- Numero record aggiornati con 9999999: " +
                            numero(aggiornamento.Aggiornate()));
    port_.AggiungiRiepilogo("- Numero record dove è stato cambiato il prezzo listino: " +
                            numero(aggiornamento.Cambiate()));
}

} // namespace mavo
