// The query form's history: the entry's definition loaded on the first show,
// its layout applied after a run and offered for saving on the way back,
// the definition offered for saving on closing; the advanced operations.
#include "dataset/Dataset.h"
#include "platform/Interazione.h"
#include "query/form/AspettoRisposta.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "query/form/ui/IBLQueryForm.h"
#include "query/storico/AspettoStorico.h"

#include <QLabel>
#include <QPushButton>

namespace mavo {

ChiaveStorico TIBLQueryForm::ChiaveCorrente() const {
    return LivelloCatena > 0 ? ChiaveStorico{Codice1Catena, NumeroCatena}
                             : ChiaveStorico{Codice1, Codice2};
}

bool TIBLQueryForm::aspettoStorico() const {
    return ModoStorico && ChiaveCorrente().Codice1 != Codice1SenzaAspetto;
}

void TIBLQueryForm::CheckArchiviStorico() {
    ArchivioStorico(database_).CreaTabelle();
    Stato.F11 = false;
    Stato.F12 = false;
    RecuperaInterrogazionedaStorico({Codice1, Codice2});
    // The display codes of the stored layout are put on the answer after
    // each run (it has none before).
}

void TIBLQueryForm::SalvaInterrogazioneSuStorico(ChiaveStorico chiave) {
    DBGrid1->Posta();
    ArchivioStorico(database_).SalvaInterrogazione(chiave, LeggiRighe());
}

void TIBLQueryForm::RecuperaInterrogazionedaStorico(ChiaveStorico chiave) {
    const Definizione righe = ArchivioStorico(database_).LeggiInterrogazione(chiave);
    if (!righe.isEmpty()) {
        ScriviRighe(righe);
        DBGrid1->SelezionaRiga(0);
        Stato = DerivaStato(righe);
    }
    MostraF11F12();
}

bool TIBLQueryForm::ControllaInterrogazioneSalvata(ChiaveStorico chiave) {
    DBGrid1->Posta();
    return InterrogazioneCambiata(ArchivioStorico(database_).LeggiInterrogazione(chiave),
                                  LeggiRighe());
}

void TIBLQueryForm::EliminaInterrogazioneDaStorico(ChiaveStorico chiave) {
    ArchivioStorico(database_).EliminaInterrogazione(chiave);
}

void TIBLQueryForm::SalvaAspettoSuStorico(ChiaveStorico chiave) {
    ArchivioStorico(database_).SalvaAspetto(chiave, LeggiAspetto(TabAspRTmp));
}

bool TIBLQueryForm::ControllaAspettoSalvato(ChiaveStorico chiave) {
    return AspettoCambiato(ArchivioStorico(database_).LeggiAspetto(chiave),
                           LeggiAspetto(TabAspRTmp));
}

void TIBLQueryForm::EliminaAspettoDaStorico(ChiaveStorico chiave) {
    ArchivioStorico(database_).EliminaAspetto(chiave);
}

int TIBLQueryForm::NumeroQuerySuccessiva() {
    return ArchivioStorico(database_).NumeroQuerySuccessiva();
}

void TIBLQueryForm::MostraF11F12() {
    LabelF11->setVisible(Stato.F11);
    LabelF12->setVisible(Stato.F12);
}

bool TIBLQueryForm::salvaPrimaDiChiudere() {
    const ChiaveStorico chiave = ChiaveCorrente();
    // Checked before anything is written: a save first would always find it unchanged.
    if (!ControllaInterrogazioneSalvata(chiave))
        return true;
    const Definizione righe = LeggiRighe();
    const bool successiva =
        std::any_of(righe.begin(), righe.end(), [](const RigaDefinizione& riga) {
            return riga.Mostra == mostra::MarcatoreCatena && riga.Nome == u"QUERY SUCCESSIVA";
        });
    const QString aggiornare = QStringLiteral("Aggiornare lo storico interrogazioni?");
    if (!successiva) {
        if (port_.Conferma(aggiornare))
            SalvaInterrogazioneSuStorico(chiave);
        return true;
    }
    if (port_.Conferma(QStringLiteral("La query è stata modificata; Effettuo il controllo di "
                                      "validazione delle query successive ?"))) {
        if (!motore_->EseguiInterrogazione(righe, TabRispTmp, TabellaExtra, Stato.Affiancata))
            return false;
        // The check offers the save itself: saved first, the query would
        // look unchanged and its successor would go unchecked.
        if (ValidazioneSuccessive)
            return ValidazioneSuccessive();
        if (port_.Conferma(aggiornare))
            SalvaInterrogazioneSuStorico(chiave);
        return true;
    }
    if (port_.Conferma(QStringLiteral("La query è stata modificata; Effettuo il salvataggio senza "
                                      "il controllo validazione delle query successive ?")))
        SalvaInterrogazioneSuStorico(chiave);
    return true;
}

void TIBLQueryForm::reject() {
    // What the user changed is offered for saving whichever way the form is closed.
    bool chiudi = !ModoStorico;
    if (!chiudi)
        protetto([this, &chiudi] {
            DBGrid1->Posta();
            chiudi = salvaPrimaDiChiudere();
        });
    if (!chiudi)
        return;
    // Above the first query of a chain the form goes back to the one before.
    if (LivelloCatena > 0)
        protetto([this] { PassaAQueryPrecedente(false); });
    else
        QDialog::reject();
}

void TIBLQueryForm::CollegaElaborazione(const QString& parola, std::function<void()> azione) {
    elaborazioni_.insert(parola, std::move(azione));
}

void TIBLQueryForm::ButtonElabAvanzateClick() {
    DBGrid1->Posta();
    const StatoElaborazioni stato{LivelloCatena, Stato.InCatena, Stato.Affiancata, Stato.Bloccata};
    const QSet<QString> disponibili(elaborazioni_.keyBegin(), elaborazioni_.keyEnd());
    const QString parola = dialoghi_.ElabAvanzate(this, port_, stato, ditta_, disponibili);
    const auto azione = elaborazioni_.constFind(parola);
    if (parola.isEmpty() || azione == elaborazioni_.constEnd())
        return;
    if (elaborazione::DiCatena(parola) && !ModoStorico) {
        port_.Avviso(QStringLiteral("Operazione possibile solo in modalità Archivio Storico"));
        return;
    }
    (*azione)();
}

void TIBLQueryForm::BloccaQuery() {
    Definizione righe = LeggiRighe();
    bool bloccata = Stato.Bloccata;
    if (!dialoghi_.Blocco(this, port_, bloccata, ditta_, righe))
        return;
    ScriviRighe(righe);
    Stato.Bloccata = bloccata;
    DBGrid1->SelezionaRiga(int(righe.size()) - 1);
}

} // namespace mavo
