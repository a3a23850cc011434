#include "netprices/ImportazioneNetti.h"

#include "context/TabXForm.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "netprices/AcquisizioneRighe.h"
#include "netprices/AnnullamentoMantenuto.h"
#include "netprices/Avanzamento.h"
#include "netprices/FileFornitore.h"
#include "netprices/LetturaAnticipata.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"

#include <QDeadlineTimer>
#include <QThread>

namespace mavo {

ImportazioneNetti::ImportazioneNetti(TTabXForm& contesto, Interazione& port,
                                     AgganciFinestra agganci, bool prova)
    : contesto_(contesto), port_(port), agganci_(std::move(agganci)), prova_(prova) {}

bool ImportazioneNetti::Esegui() {
    const QString percorso = port_.ScegliFile("Selezione file", agganci_.cartellaFile());
    if (percorso.isEmpty())
        return false;
    agganci_.ricordaFile(percorso);
    agganci_.mostraFile(percorso);
    if (!acquisisci(percorso))
        return false;
    agganci_.aggiornaAnteprima();
    agganci_.mostraRiepilogo();
    port_.Informazione("Elaborazione completata");
    return true;
}

namespace {

// Rows another user's transaction has written and not yet committed (an
// import still staging, a trial that emptied the table): the emptying does
// not see rows being inserted, and this import's own would then collide
// with them. A read that waits for no one and takes no older version fails
// on any of them with a lock conflict.
void nessunaRigaInSospeso(db::Database& archivio) {
    db::Transaction lettura(&archivio);
    lettura.setParams(
        {"isc_tpb_read_committed", "isc_tpb_no_rec_version", "isc_tpb_nowait", "isc_tpb_read"});
    db::Statement conteggio(&archivio, &lettura);
    conteggio.setParamCheck(false);
    conteggio.setSql({"SELECT COUNT(*) FROM MANUTENZIONENETTI"});
    conteggio.execute();
    conteggio.fetch();
    conteggio.close();
    lettura.commit();
}

} // namespace

// The window's transaction began when it opened, or at its last import: a
// new one sees what other users' imports have committed since. While another
// import still holds rows, it is waited for, within a bound.
bool ImportazioneNetti::svuotaTabella(Progresso& progresso) {
    db::Transaction& transazione = contesto_.IBTransaction1;
    const QDeadlineTimer limite(attesa_);
    bool inAttesa = false;
    for (;;) {
        try {
            if (transazione.active())
                transazione.commit();
            // Before the new snapshot, so that whatever the read found
            // committed, the emptying sees.
            nessunaRigaInSospeso(contesto_.IBDatabase1);
            transazione.start();
            db::Statement svuota(&contesto_.IBDatabase1, &transazione);
            svuota.setParamCheck(false);
            svuota.setSql({"DELETE FROM MANUTENZIONENETTI"});
            svuota.execute();
            // A trial run keeps the emptying in the transaction it rolls back.
            if (!prova_)
                transazione.commitRetaining();
            return true;
        } catch (const db::DatabaseError& e) {
            if (!e.lockConflict() || limite.hasExpired()) {
                port_.Errore(
                    "Errore interno durante l'azzeramento della tabella MANUTENZIONENETTI:\r" +
                    e.message());
                return false;
            }
            if (!inAttesa)
                progresso.SetMessaggio("Azzeramento tabella\nin attesa di un altro utente");
            inAttesa = true;
            if (transazione.active())
                transazione.rollback();
            QThread::msleep(200);
        }
    }
}

// The file is counted before the staging table is touched, so that a file
// that cannot be read, or is no text file, leaves the last import in place.
bool ImportazioneNetti::acquisisci(const QString& percorso) {
    db::Transaction& transazione = contesto_.IBTransaction1;
    const auto progresso = port_.CreaProgresso("Analisi file");
    progresso->Mostra();
    port_.PompaMessaggi();

    FileFornitore file(percorso);
    if (!file.Apri()) {
        port_.Errore("Errore interno durante l'accesso al file\r" + percorso + '\r' +
                     file.ErroreApertura());
        return false;
    }
    const qint64 righe = file.ContaRighe();
    if (righe < 0) {
        port_.Errore("Il file non è un file di testo (contiene caratteri nulli):\r" + percorso);
        return false;
    }

    progresso->SetMessaggio("Azzeramento tabella");
    AnnullamentoMantenuto annullamento(transazione);
    if (!svuotaTabella(*progresso))
        return false;

    progresso->SetMessaggio("Inizializzazione");
    AcquisizioneRighe acquisizione(contesto_.IBDatabase1, transazione, port_);

    progresso->SetMessaggio("Acquisizione file");
    progresso->SetBarraVisibile(true);
    port_.PulisciRiepilogo();
    Avanzamento avanzamento(*progresso, righe);
    qint64 n = 0;
    try {
        LetturaAnticipata lettura(file);
        while (std::optional<LetturaAnticipata::Lotto> lotto = lettura.Prossimo()) {
            for (AcquisizioneRighe::Riga& riga : lotto->righe) {
                while (n < riga.numero - 1)
                    avanzamento.Riga(++n);
                acquisizione.Acquisisci(std::move(riga));
            }
            while (n < lotto->linee)
                avanzamento.Riga(++n);
        }
    } catch (const IoError&) {
        // The lines read before the failure are reported all the same.
        acquisizione.Completa();
        throw;
    }
    acquisizione.Completa();

    if (transazione.active()) {
        if (prova_)
            transazione.rollbackRetaining();
        else
            transazione.commitRetaining();
    }
    port_.AggiungiRiepilogo("Totale righe acquisite: " +
                            formatFloat("###,###,##0", double(acquisizione.Acquisite())));
    return true;
}

} // namespace mavo
