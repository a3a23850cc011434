// The definition view of the query form: the run, the show codes and the
// condition builders.
#include "platform/Interazione.h"
#include "query/collegate/Collegate.h"
#include "query/form/AspettoRisposta.h"
#include "query/form/CondizioniGuidate.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "query/form/ui/IBLQueryForm.h"
#include "query/form/ui/ModelliQuery.h"
#include "query/storico/AspettoStorico.h"

#include <QClipboard>
#include <QGuiApplication>

namespace mavo {

namespace {
const QString MessaggioBloccata =
    QStringLiteral("Attenzione: operazione non possibile, la Query è bloccata!");
}

bool TIBLQueryForm::bloccata() {
    return Stato.Bloccata;
}

bool TIBLQueryForm::modificabile() {
    DBGrid1->Posta();
    if (!bloccata())
        return true;
    port_.Avviso(MessaggioBloccata);
    return false;
}

int TIBLQueryForm::rigaCampo() const {
    const int riga = DBGrid1->RigaCorrente();
    if (riga < 0)
        return -1;
    return mostra::Campo(DBGrid1->definizione().Mostra(riga)) ? riga : -1;
}

QString TIBLQueryForm::nomeRiga(int riga) {
    return TabIntTmp.valueAt(riga, TabIntTmp.fieldByName("Nome")).toString();
}

int TIBLQueryForm::mostraRiga(int riga) {
    return TabIntTmp.valueAt(riga, TabIntTmp.fieldByName("Mostra")).toInt();
}

QString TIBLQueryForm::condizioneRiga(int riga) {
    return TabIntTmp.valueAt(riga, TabIntTmp.fieldByName("Condizione")).toString();
}

void TIBLQueryForm::scriviRiga(int riga, const QString& campo, const QVariant& valore) {
    const ModificaInterna modifica(*this);
    TabIntTmp.moveTo(riga);
    TabIntTmp.edit();
    TabIntTmp.fieldByName(campo)->setValue(valore);
    TabIntTmp.post();
}

void TIBLQueryForm::ButtonEseguiInterrogazioneClick() {
    DBGrid1->Posta();
    motore_->CopiaSql = false;
    // Linked stored queries, the only ones that would need building first,
    // come with stored definitions; a definition made here has none.
    if (!motore_->EseguiInterrogazione(LeggiRighe(), TabRispTmp, TabellaExtra, Stato.Affiancata))
        return;
    TitoliRisposta(TabRispTmp.Dati());
    if (aspettoStorico())
        RecuperaAspettodaStorico(TabRispTmp,
                                 ArchivioStorico(database_).LeggiAspetto(ChiaveCorrente()),
                                 motore_->Ordinato);
    SettaFormRisposta();
}

void TIBLQueryForm::impostaMostra(int da, int a) {
    if (!modificabile())
        return;
    for (int riga = 0; riga < TabIntTmp.recordCount(); ++riga)
        if (mostraRiga(riga) == da)
            scriviRiga(riga, QStringLiteral("Mostra"), a);
}

void TIBLQueryForm::ButtonSelezionaTuttoClick() {
    impostaMostra(mostra::Nascosto, mostra::Mostrato);
}

void TIBLQueryForm::ButtonDeselezionaTuttoClick() {
    impostaMostra(mostra::Mostrato, mostra::Nascosto);
}

void TIBLQueryForm::ButtonAggiungiTClick() {
    if (!modificabile())
        return;
    Definizione righe = LeggiRighe();
    if (dialoghi_.AggiungiTabella(this, port_, database_, ditta_, TabellaExtra, righe))
        ScriviRighe(righe);
}

void TIBLQueryForm::ButtonEliminaTClick() {
    if (!modificabile())
        return;
    Definizione righe = LeggiRighe();
    const QString testata = dialoghi_.EliminaTabella(this, TabelleCollegate(righe));
    // Removed whether or not the query came from the history: the user asked
    // for it and confirmed it.
    if (!testata.isEmpty() && EliminaTabella(righe, testata, port_))
        ScriviRighe(righe);
}

void TIBLQueryForm::ScegliCampiVisibili() {
    Definizione righe = LeggiRighe();
    if (dialoghi_.CampiVisibili(this, port_, database_, ditta_, motore_->TabellaSorgente(),
                                TabellaExtra, righe))
        ScriviRighe(righe);
}

void TIBLQueryForm::DBGrid1DblClick() {
    SelezionaRigaInt();
}

void TIBLQueryForm::SelezionaRigaInt() {
    DBGrid1->Posta();
    const int riga = rigaCampo();
    if (riga < 0 || bloccata())
        return;
    const int codice = mostraRiga(riga);
    if (codice == mostra::Mostrato || codice == mostra::Nascosto)
        scriviRiga(riga, QStringLiteral("Mostra"),
                   codice == mostra::Mostrato ? mostra::Nascosto : mostra::Mostrato);
}

void TIBLQueryForm::ButtonChiudiClick() {
    DBGrid1->Posta();
    const ModificaInterna modifica(*this);
    if (ModoStorico && !salvaPrimaDiChiudere())
        return;
    // Above the first query of a chain the form goes back to the one before.
    if (LivelloCatena > 0) {
        PassaAQueryPrecedente(false);
        return;
    }
    accept();
}

void TIBLQueryForm::MettiParentesi() {
    DBGrid1->Posta();
    const int riga = rigaCampo();
    if (riga < 0)
        return;
    const Parentesi parentesi = mavo::MettiParentesi(condizioneRiga(riga));
    scriviRiga(riga, QStringLiteral("Condizione"), parentesi.testo);
    if (parentesi.scrivere)
        DBGrid1->ScriviCondizione(riga);
}

void TIBLQueryForm::InserisciNomeCampo() {
    DBGrid1->Posta();
    const int riga = rigaCampo();
    if (riga < 0)
        return;
    scriviRiga(riga, QStringLiteral("Condizione"),
               mavo::InserisciNomeCampo(condizioneRiga(riga), nomeRiga(riga)));
}

void TIBLQueryForm::InserisciValore() {
    DBGrid1->Posta();
    const int riga = rigaCampo();
    if (riga < 0)
        return;
    const QString nome = nomeRiga(riga);
    const int tipo = motore_->DeterminaTipoCampo(nome, LeggiRighe());
    const std::optional<QString> valore = dialoghi_.Valore(this, tipo_campo::Temporale(tipo));
    if (valore)
        scriviRiga(riga, QStringLiteral("Condizione"), TestoValore(nome, tipo, *valore));
}

QStringList TIBLQueryForm::nomiCampi(bool soloDate) {
    const Definizione righe = LeggiRighe();
    QStringList nomi;
    for (const RigaDefinizione& r : righe)
        if ((r.Mostra == mostra::Nascosto || r.Mostra == mostra::Mostrato) &&
            (!soloDate || tipo_campo::Temporale(motore_->DeterminaTipoCampo(r.Nome, righe))))
            nomi << r.Nome;
    return nomi;
}

void TIBLQueryForm::InserisciRange() {
    DBGrid1->Posta();
    const int riga = rigaCampo();
    if (riga < 0)
        return;
    const QString nome = nomeRiga(riga);
    const int tipo = motore_->DeterminaTipoCampo(nome, LeggiRighe());
    const std::optional<ValoriRange> valori =
        dialoghi_.Range(this, port_, tipo_campo::Temporale(tipo));
    if (!valori)
        return;
    if (const std::optional<QString> testo = TestoRange(nome, tipo, *valori))
        scriviRiga(riga, QStringLiteral("Condizione"), *testo);
}

void TIBLQueryForm::InserisciFormule() {
    DBGrid1->Posta();
    const int riga = rigaCampo();
    if (riga < 0 || bloccata())
        return;
    if (const std::optional<SceltaFormula> scelta =
            dialoghi_.Formule(this, port_, nomiCampi(false), nomeRiga(riga)))
        scriviRiga(riga, QStringLiteral("Condizione"),
                   TestoFormula(scelta->formula, scelta->nomeRisposta));
}

void TIBLQueryForm::RaggruppaMesi() {
    DBGrid1->Posta();
    const int riga = rigaCampo();
    if (riga < 0 || bloccata())
        return;
    if (const std::optional<QString> testo = dialoghi_.AnniMesi(this, port_, nomiCampi(true)))
        scriviRiga(riga, QStringLiteral("Condizione"), *testo);
}

void TIBLQueryForm::EditorCondizione() {
    DBGrid1->Posta();
    const int riga = DBGrid1->RigaCorrente();
    if (riga < 0 || bloccata())
        return;
    if (const std::optional<QString> testo = dialoghi_.EditorCondizione(this, condizioneRiga(riga)))
        scriviRiga(riga, QStringLiteral("Condizione"), CondizioneDaEditor(*testo));
}

void TIBLQueryForm::InserisciSommaClick() {
    DBGrid1->Posta();
    const std::optional<SceltaSomma> scelta =
        dialoghi_.SommaRaggruppata(this, motore_->TabellaSorgente(), database_);
    if (!scelta)
        return;
    for (int riga = 0; riga < TabIntTmp.recordCount(); ++riga)
        if (nomeRiga(riga) == scelta->campo) {
            DBGrid1->SelezionaRiga(riga);
            scriviRiga(riga, QStringLiteral("Condizione"),
                       TestoSommaRaggruppata(scelta->campo, scelta->nomeRisposta));
            return;
        }
}

void TIBLQueryForm::CopiaSqlnelclipboard1Click() {
    DBGrid1->Posta();
    motore_->CopiaSql = true;
    const bool costruita =
        motore_->EseguiInterrogazione(LeggiRighe(), TabRispTmp, TabellaExtra, Stato.Affiancata);
    motore_->CopiaSql = false;
    if (!costruita || !dialoghi_.TestoSql(this, motore_->MemoPerClipboard))
        return;
    QGuiApplication::clipboard()->setText(motore_->MemoPerClipboard.join(u'\n'));
    port_.Informazione(QStringLiteral("Script SQL copiato!"));
}

} // namespace mavo
