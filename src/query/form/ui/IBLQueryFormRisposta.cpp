// The answer view of the query form: its keys, the one-record view, the
// record count, the font.
#include "common/Testo.h"
#include "dataset/Dataset.h"
#include "dataset/IbTable.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"
#include "query/calcoli/OrdineETotali.h"
#include "query/esporta/OpzioniEsportazione.h"
#include "query/form/AspettoRisposta.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "query/form/ui/IBLQueryForm.h"
#include "query/form/ui/ModelliQuery.h"

#include <QHeaderView>
#include <QPushButton>
#include <QToolButton>

namespace mavo {

namespace {

constexpr int LarghezzaDato = 100;

void impostaCarattere(GrigliaCampi& griglia, const QFont& carattere) {
    griglia.setFont(carattere);
    griglia.horizontalHeader()->setFont(carattere);
    griglia.verticalHeader()->setDefaultSectionSize(QFontMetrics(carattere).height() + 4);
    griglia.applicaCampi();
}

} // namespace

void TIBLQueryForm::SettaFormRisposta() {
    Panel4->hide();
    DBGrid1->hide();
    Panel2->show();
    Panel1->show();
    DBGrid2->show();
    SettaggioControlli();
    StampaAggiornata = false;
    impostaCarattere(*DBGrid2, font());
    DBGrid2->setFocus();
    if (!DBGrid2->currentIndex().isValid() && DBGrid2->modello().rowCount() > 0)
        DBGrid2->setCurrentIndex(DBGrid2->modello().index(0, 0));
}

void TIBLQueryForm::ButtonRitornaQueryClick() {
    if (aspettoStorico())
        SalvaAspetto();
    Panel2->hide();
    Panel1->hide();
    Panel4->show();
    DBGrid1->show();
    SettaggioControlli();
    DBGrid2->hide();
    DBGrid1->setFocus();
    if (aspettoStorico() && TabAspRTmp.recordCount() > 0 &&
        ControllaAspettoSalvato(ChiaveCorrente()) &&
        port_.Conferma(QStringLiteral("Aggiornare lo storico aspetto?")))
        SalvaAspettoSuStorico(ChiaveCorrente());
}

void TIBLQueryForm::ButtonNumeroRecordClick() {
    qint64 righe = 0;
    if (TabRispTmp.Aperta())
        TabRispTmp.Scorri([&](const QVariantList&) { ++righe; });
    port_.Informazione("Numero record presenti: " + formatFloat(QStringLiteral("#,##0"), righe));
}

void TIBLQueryForm::ButtonFontClick() {
    if (const std::optional<QFont> carattere = dialoghi_.Carattere(this, DBGrid2->font())) {
        impostaCarattere(*DBGrid2, *carattere);
        CaratterePerStampa = *carattere;
        StampaAggiornata = false;
    }
}

void TIBLQueryForm::EliminaCampo() {
    if (unRecord_)
        return;
    Field* campo = DBGrid2->CampoColonna(DBGrid2->ColonnaSelezionata());
    if (!campo || !campo->visible())
        return;
    int visibili = 0;
    for (int c = 0; c < DBGrid2->modello().columnCount(); ++c)
        visibili += DBGrid2->CampoColonna(c)->visible() ? 1 : 0;
    // The last column in sight stays.
    if (visibili <= 1)
        return;
    StampaAggiornata = false;
    const int riga = std::max(DBGrid2->currentIndex().row(), 0);
    campo->setVisible(false);
    // The cursor moves on to a column still in sight.
    const int colonne = DBGrid2->modello().columnCount();
    for (int passo = 1; passo < colonne; ++passo) {
        const int c = (campo->index() + passo) % colonne;
        if (DBGrid2->CampoColonna(c)->visible()) {
            DBGrid2->setCurrentIndex(DBGrid2->modello().index(riga, c));
            break;
        }
    }
}

void TIBLQueryForm::AspettoBase() {
    if (unRecord_)
        return;
    StampaAggiornata = false;
    // Opened again, the answer (query or computed table) has the look it
    // had when it first came.
    Dataset& dati = TabRispTmp.Dati();
    dati.close();
    dati.open();
    TitoliRisposta(dati);
}

void TIBLQueryForm::RaggruppaCifre() {
    if (unRecord_)
        return;
    const Field* campo = DBGrid2->CampoColonna(DBGrid2->ColonnaSelezionata());
    if (!campo)
        return;
    StampaAggiornata = false;
    CodiciVisualizzazione& codici = TabRispTmp.Codici();
    const int tipo = (codici.TipoRaggruppamento(campo->fieldNo()) + 1) % 3;
    codici.AggTipoRaggruppamento(campo->fieldNo(), QChar(u'0' + tipo));
    modelloRisposta_->codiciCambiati();
}

void TIBLQueryForm::MostraUnRecord() {
    const QVector<QAbstractButton*> nascosti = {ButtonSomma, ButtonOrdina, ButtonEsporta,
                                                ButtonGrafico, ButtonRitornaQuery};
    if (!unRecord_) {
        Dataset& dati = TabRispTmp.Dati();
        if (!dati.active())
            return;
        // The record the user is on.
        if (DBGrid2->currentIndex().isValid())
            dati.moveTo(DBGrid2->currentIndex().row());
        RiempiTabRecTmp(TabRecTmp,
                        RigheUnRecord(dati, TabRispTmp.Codici(), LarghezzaDato, &LunghezzaMassima));
        unRecord_ = true;
        modelloRisposta_->setCodici(nullptr);
        // The value takes what the name leaves of the grid.
        TabRecTmp.fieldByName("Dato")->setDisplayWidth(
            std::max(1, (DBGrid2->width() - 270) / 8 + 1));
        DBGrid2->setDataset(&TabRecTmp);
        DBGrid2->setUltimaColonnaEstesa(true);
        for (QAbstractButton* b : nascosti) {
            b->hide();
            b->setEnabled(false);
        }
        Panel1->hide();
        ButtonChiudiRisposta->show();
        SettaggioControlli();
        return;
    }
    unRecord_ = false;
    const int riga = TabRispTmp.Dati().active() ? TabRispTmp.Dati().recNo() : -1;
    DBGrid2->setUltimaColonnaEstesa(false);
    mostraDatiRisposta();
    for (QAbstractButton* b : nascosti)
        b->show();
    Panel1->show();
    ButtonChiudiRisposta->hide();
    SettaggioControlli();
    if (riga >= 0)
        DBGrid2->setCurrentIndex(DBGrid2->modello().index(riga, 0));
}

void TIBLQueryForm::ButtonSommaClick() {
    dialoghi_.Somma(this, port_, TabRispTmp.Dati(), ditta_, directoryBin_, directoryLavoro_,
                    font());
}

void TIBLQueryForm::ButtonGraficoClick() {
    dialoghi_.Grafici(this, port_, ditta_, directoryBin_, directoryLavoro_, TabRispTmp);
}

void TIBLQueryForm::ButtonEsportaClick() {
    ContestoEsportazione contesto;
    contesto.Ditta = ditta_;
    contesto.DirectoryLavoro = directoryLavoro_;
    contesto.FileImpostazioni = FileImpostazioni;
    contesto.NomeFile = FileEsportazione.isEmpty()
                            ? tabella_.tableName().toUpper() + QStringLiteral(".TXT")
                            : FileEsportazione;
    dialoghi_.Esporta(this, port_, TabRispTmp, contesto);
}

void TIBLQueryForm::ButtonOrdinaClick() {
    SalvaAspetto();
    const bool confermato = dialoghi_.OrdineETotali(this, port_, TabRispTmp.Dati(),
                                                    TabRispTmp.Codici(), ditta_, font());
    if (confermato) {
        StampaAggiornata = false;
        ordinaRisposta();
    }
    RipristinaAspetto(TabAspRTmp, TabRispTmp.Dati());
    DBGrid2->applicaCampi();
}

void TIBLQueryForm::ordinaRisposta() {
    const CodiciVisualizzazione& codici = TabRispTmp.Codici();
    if (TabRispTmp.Calcolata()) {
        // Running sums and integer parts were computed in the rows' order:
        // that order stays, the codes (totals for printing) are kept.
        for (int n = 0; n < codici.Numero(); ++n)
            if (codici.Codice(n) >= 100) {
                port_.Avviso(QStringLiteral(
                    "Attenzione: la risposta contiene funzioni procedurali, le righe restano "
                    "nell'ordine in cui sono state calcolate."));
                return;
            }
        return;
    }
    IbQuery& query = TabRispTmp.Query();
    const QStringList prima = query.sql();
    const bool eraOrdinata = motore_->Ordinato;
    bool ordinata = eraOrdinata;
    const QStringList sql = OrdinaIstruzione(prima, ordinata, codici, query.fieldCount());
    TabRispTmp.Chiudi();
    query.setSql(sql);
    try {
        TabRispTmp.Apri();
        motore_->Ordinato = ordinata;
    } catch (...) {
        // The answer comes back as it was; the failure is told.
        query.setSql(prima);
        TabRispTmp.Apri();
        motore_->Ordinato = eraOrdinata;
        throw;
    }
}

void TIBLQueryForm::SalvaAspetto() {
    mavo::SalvaAspetto(TabAspRTmp, TabRispTmp.Dati(), TabRispTmp.Codici());
}

} // namespace mavo
