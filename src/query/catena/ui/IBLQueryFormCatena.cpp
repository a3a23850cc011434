// The query form's side-by-side members and chained queries: the advanced
// operations' words, F11 and F12, the check of a changed query's successor.
#include "dataset/IbTable.h"
#include "platform/Interazione.h"
#include "query/catena/Affiancate.h"
#include "query/catena/Catena.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "query/form/ui/IBLQueryForm.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

namespace mavo {

void TIBLQueryForm::collegaCatena() {
    using namespace elaborazione;
    CollegaElaborazione(QueryAffiancata, [this] { AggiungiUnioneQuery(); });
    CollegaElaborazione(TogliQueryAffiancata, [this] {
        if (port_.Conferma(QStringLiteral("Elimino l'ultima query affiancata?")))
            EliminaUltimaQueryAffiancata();
    });
    CollegaElaborazione(PassaPrecedente, [this] { PassaAQueryPrecedente(true); });
    CollegaElaborazione(PassaSuccessiva, [this] { PassaAQuerySuccessiva(); });
    CollegaElaborazione(EliminaSuccessiva, [this] {
        if (port_.Conferma(QStringLiteral("Elimino la query successiva?")))
            EliminaUltimaQuerySuccessiva();
    });
    connect(Precedente1, &QAction::triggered, this,
            [this] { protetto([this] { Precedente1Click(); }); });
    connect(Successiva1, &QAction::triggered, this,
            [this] { protetto([this] { Successiva1Click(); }); });
    ValidazioneSuccessive = [this] {
        Definizione righe = LeggiRighe();
        ArchivioStorico storico(database_);
        if (ValidazioneNuovaRisposta(storico, port_, ChiaveCorrente(), TabRispTmp, righe))
            return true;
        mostraStato(righe);
        return false;
    };
}

void TIBLQueryForm::impostaLivello(int livello) {
    LivelloCatena = livello;
    // The engine reads the answer stored for the level below.
    motore_->impostazioni().Livello = livello;
}

bool TIBLQueryForm::eseguiPerCatena(const Definizione& righe) {
    motore_->CopiaSql = false;
    return motore_->EseguiInterrogazione(righe, TabRispTmp, TabellaExtra, Stato.Affiancata);
}

void TIBLQueryForm::mostraStato(const Definizione& righe) {
    ScriviRighe(righe);
    Stato = DerivaStato(righe);
    MostraF11F12();
}

void TIBLQueryForm::AggiungiUnioneQuery() {
    DBGrid1->Posta();
    Definizione righe = LeggiRighe();
    if (!mavo::AggiungiUnioneQuery(righe, motore_->TabellaSorgente())) {
        port_.Avviso(QStringLiteral("Selezionare almeno un campo da visualizzare!"));
        return;
    }
    ScriviRighe(righe);
    Stato.Affiancata = true;
}

void TIBLQueryForm::EliminaUltimaQueryAffiancata() {
    DBGrid1->Posta();
    Definizione righe = LeggiRighe();
    Stato.Affiancata = mavo::EliminaUltimaQueryAffiancata(righe);
    ScriviRighe(righe);
}

void TIBLQueryForm::PassaAQuerySuccessiva() {
    DBGrid1->Posta();
    if (!ModoStorico) {
        port_.Avviso(QStringLiteral("Operazione possibile solo in modalità Archivio Storico"));
        return;
    }
    ArchivioStorico storico(database_);
    if (LivelloCatena == 0) {
        // A new chain of this user starts: his answers of the last one go.
        TabRispTmp.Rilascia();
        EliminaRisposteSalvate(database_, utente_);
    }
    const Definizione righe = LeggiRighe();
    const ChiaveStorico corrente = ChiaveCorrente();
    const int numero = NumeroSuccessiva(righe);
    if (!eseguiPerCatena(righe))
        return;
    int successiva = numero;
    if (numero > 0) {
        Definizione definizione = righe;
        if (!ValidazioneNuovaRisposta(storico, port_, corrente, TabRispTmp, definizione)) {
            mostraStato(definizione);
            return;
        }
        SalvaRisposta(TabRispTmp, NomeTabellaRisposta(utente_, LivelloCatena));
    } else {
        const QStringList campi = CampiRisposta(TabRispTmp);
        SalvaRisposta(TabRispTmp, NomeTabellaRisposta(utente_, LivelloCatena));
        // The marker of the predecessor names its chain number; the first
        // query is found again by the form's own entry.
        successiva = storico.CreaSuccessiva(corrente, righe,
                                            DefinizioneSuccessiva(int(corrente.Codice2), campi));
    }
    NumeroCatena = successiva;
    impostaLivello(LivelloCatena + 1);
    Stato = {};
    RecuperaInterrogazionedaStorico(ChiaveCorrente());
}

void TIBLQueryForm::PassaAQueryPrecedente(bool salvaPrima) {
    DBGrid1->Posta();
    if (VistaRisposta())
        ButtonRitornaQueryClick();
    const ChiaveStorico chiave = ChiaveCorrente();
    if (salvaPrima && ControllaInterrogazioneSalvata(chiave) &&
        port_.Conferma(QStringLiteral("Aggiornare lo storico interrogazioni?")))
        SalvaInterrogazioneSuStorico(chiave);
    const Definizione righe = LeggiRighe();
    if (LivelloCatena <= 0 || righe.isEmpty() || righe.first().Mostra != mostra::MarcatoreCatena)
        return;
    NumeroCatena = NumeroPrecedente(righe);
    impostaLivello(LivelloCatena - 1);
    Stato = {};
    RecuperaInterrogazionedaStorico(ChiaveCorrente());
}

void TIBLQueryForm::EliminaUltimaQuerySuccessiva() {
    DBGrid1->Posta();
    const Definizione righe = LeggiRighe();
    if (!righe.isEmpty() && righe.last().Mostra == mostra::MarcatoreCatena) {
        port_.Avviso(
            QStringLiteral("Attenzione: Si può eliminare soltanto l'ultima query successiva!"));
        return;
    }
    if (LivelloCatena <= 0)
        return;
    const ChiaveStorico eliminata = ChiaveCorrente();
    const ChiaveStorico precedente =
        LivelloCatena > 1 ? ChiaveStorico{Codice1Catena, double(NumeroPrecedente(righe))}
                          : ChiaveStorico{Codice1, Codice2};
    ArchivioStorico storico(database_);
    const Definizione definizione =
        SenzaMarcatoreSuccessiva(storico.LeggiInterrogazione(precedente));
    // Gone and unlinked in one transaction: no predecessor is left pointing
    // at a query that is no more.
    storico.EliminaSuccessiva(eliminata, precedente, definizione);
    NumeroCatena = precedente.Codice2;
    impostaLivello(LivelloCatena - 1);
    if (LivelloCatena == 0)
        NumeroCatena = 0;
    mostraStato(definizione);
}

void TIBLQueryForm::keyReleaseEvent(QKeyEvent* event) {
    // The grid's own keys have acted on the press: elsewhere in the form F11
    // and F12 act when there is a query to go to.
    const QWidget* fuoco = QApplication::focusWidget();
    const bool griglia = fuoco && (fuoco == DBGrid1 || DBGrid1->isAncestorOf(fuoco));
    if (!griglia && event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_F11 && Stato.F11) {
            protetto([this] { Precedente1Click(); });
            return;
        }
        if (event->key() == Qt::Key_F12 && Stato.F12) {
            protetto([this] { Successiva1Click(); });
            return;
        }
    }
    QDialog::keyReleaseEvent(event);
}

void TIBLQueryForm::Precedente1Click() {
    if (!VistaRisposta() && Stato.InCatena && LivelloCatena > 0 && LabelF11->isVisibleTo(this))
        PassaAQueryPrecedente(true);
    else
        ButtonChiudiClick();
}

void TIBLQueryForm::Successiva1Click() {
    if (VistaRisposta())
        return;
    const Definizione righe = LeggiRighe();
    const bool marcatore = std::any_of(righe.begin(), righe.end(), [](const RigaDefinizione& r) {
        return r.Mostra == mostra::MarcatoreCatena;
    });
    if (marcatore && LabelF12->isVisibleTo(this))
        PassaAQuerySuccessiva();
    else
        ButtonEseguiInterrogazioneClick();
}

} // namespace mavo
