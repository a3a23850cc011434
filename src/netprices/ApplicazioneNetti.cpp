#include "netprices/ApplicazioneNetti.h"

#include "context/TabXForm.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "netprices/Avanzamento.h"
#include "netprices/DestinazioneNetti.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"

#include <algorithm>
#include <cmath>

namespace mavo {

namespace {

const QStringList RigheInAttesa{"SELECT",   "  *",     "FROM", "  MANUTENZIONENETTI",
                                "ORDER BY", "  CODICE"};

QString numero(qint64 valore) {
    return formatFloat("###,###,##0", double(valore));
}

// The old list price counts as changed when, in single precision, it differs
// from the new one by more than a ten-thousandth of the smaller of the two.
bool prezzoCambiato(double vecchio, double nuovo) {
    const double a = static_cast<float>(vecchio);
    const double b = static_cast<float>(nuovo);
    return std::fabs(a - b) > std::min(std::fabs(a), std::fabs(b)) * 0.0001;
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
    db::Statement ricerca(&archivio, &scrittura);
    ricerca.setSql(destinazione_.IstruzioneRicerca());
    ricerca.prepare();
    db::Statement aggiornamento(&archivio, &scrittura);
    aggiornamento.setSql(destinazione_.IstruzioneAggiornamento());
    aggiornamento.prepare();

    progresso->SetMessaggio(destinazione_.messaggioAggiornamento);
    progresso->SetBarraVisibile(true);
    Avanzamento avanzamento(*progresso, totale);
    qint64 lette = 0, aggiornate = 0, cambiate = 0;
    const int colonnaCodice = righe.columnIndex("CODICE");
    const int colonnaPrezzo = righe.columnIndex("PREZZO");
    do {
        avanzamento.Riga(++lette);
        const QString codice = righe.value(colonnaCodice).toString();
        ricerca.close();
        ricerca.setParam("CODICE", codice);
        ricerca.execute();
        if (!ricerca.fetch())
            continue;
        const QVariant id = ricerca.value(0);
        const double vecchio = ricerca.value(1).toDouble(); // NULL reads 0
        ricerca.close();

        const double prezzo = righe.value(colonnaPrezzo).toDouble();
        aggiornamento.setParam("PREZZO", prezzo);
        aggiornamento.setParam("ID", id.toLongLong());
        try {
            aggiornamento.execute();
        } catch (const db::DatabaseError& e) {
            port_.AggiungiRiepilogo("Errore durante l'aggiornamento del codice \"" + codice + '"');
            port_.AggiungiRiepilogo(e.message());
            continue;
        }
        ++aggiornate;
        if (prezzoCambiato(vecchio, prezzo))
            ++cambiate;
    } while (righe.fetch());

    if (prova_)
        scrittura.rollback();
    else
        scrittura.commit();
    port_.AggiungiRiepilogo("- Numero di record di partenza: " + numero(totale));
    port_.AggiungiRiepilogo("- Numero record aggiornati con 9999999: " + numero(aggiornate));
    port_.AggiungiRiepilogo("- Numero record dove è stato cambiato il prezzo listino: " +
                            numero(cambiate));
}

} // namespace mavo
