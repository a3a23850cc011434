#include "db/Database.h"
#include "grid/VEKGrid.h"
#include "grid/ordinamento/OrderBy.h"
#include "grid/ricerca/ControlloIndice.h"
#include "grid/ricerca/StatoRicerca.h"
#include "platform/Interazione.h"

namespace mavo {

void TVEKGrid::inizioRicerca() {
    if (OnInizioRicerca)
        OnInizioRicerca(this);
}

void TVEKGrid::fineRicerca() {
    if (OnFineRicerca)
        OnFineRicerca(this);
}

void TVEKGrid::ricercaSuCampoCorrente() {
    const int colonna = ColonnaSelezionata();
    const Field* campo = dataset() && dataset()->active() ? CampoColonna(colonna) : nullptr;
    if (!campo)
        return;
    inizioRicerca();
    // A host that pairs the two events would otherwise stay in its searching state.
    if (query_ &&
        !ControlloIndice(campo->fieldName(), CampiIndicizzati, ricercaLibera(), interazione())) {
        fineRicerca();
        return;
    }
    if (query_)
        SalvaAspetto();
    CampoRicerca = campo->fieldName().toUpper();
    EspressioneRicerca = EspressioneCampo(campo->fieldName(), campo->origin(), decodifica());
    const ClasseCampo classe = ClasseDelCampo(campo->dataType());

    auto dialogo = std::make_unique<TRVEKGridForm>(
        ImpostazioniRicerca{TitoloColonna(colonna), classe, query_ != nullptr, RicercaATempo()},
        interazione(), this);
    dialogo->setFont(font());
    db::Database* database = databaseImpostazioni();
    dialogo->RipristinaStato(
        database ? LeggiStatoRicerca(*database, TabellaPosizioneFinestre, chiavi()) : std::nullopt);
    dialogo->applica = [this, classe](const RichiestaRicerca& r) { applicaRicerca(r, classe); };
    dialogo->applicaGenerica = [this](const QString& testo) { ricercaGenerica(testo); };
    dialogo->annulla = [this] { annullaDaDialogo(); };
    formRicerca_ = dialogo.get();
    dialogo->exec();

    if (database)
        SalvaStatoRicerca(*database, TabellaPosizioneFinestre, chiavi(), dialogo->Stato());
    // The record filter goes on with what was typed last.
    richiestaRicerca_ = dialogo->Richiesta();
    dialogo.reset();
    fineRicerca();
    if (query_) {
        CampoRicerca.clear();
        CaricaAspetto();
    }
}

void TVEKGrid::applicaRicerca(const RichiestaRicerca& richiesta, ClasseCampo classe) {
    if (!query_) {
        filtraDati(richiesta);
        return;
    }
    const bool upper = UpperApplicato(richiesta, classe);
    const SqlRicerca ricerca = ComponiSqlRicerca(
        SQLIniziale, richiesta, {EspressioneRicerca, classe}, [&]() -> QStringList {
            if (Ordinamento.ModoOrdinamento == 2 && !OrderBy)
                return {};
            return OrdinamentoQuery(*query_->database(), SQLIniziale, Ordinamento, decodifica(),
                                    upper);
        });
    // An empty text shows every row again: no condition is left for the host
    // to put back when it reopens the data.
    CondizioneRicerca = ricerca.condizione;
    riapriQuery(ricerca.sql);
}

void TVEKGrid::filtraDati(const RichiestaRicerca& richiesta) {
    Dataset* dati = tabella_ ? static_cast<Dataset*>(tabella_.data()) : memoria_.data();
    if (!dati)
        return;
    if (memoria_ && richiesta.testo.isEmpty()) {
        memoria_->setFiltered(false);
        return;
    }
    // The filter may outlive the grid: without it every record passes.
    const Dataset::FilterFunction filtro = FiltroRicerca([this] { return criteriFiltro(); });
    dati->setFilter(
        [griglia = QPointer<TVEKGrid>(this), filtro](Dataset& d) { return !griglia || filtro(d); });
    dati->setFiltered(false);
    dati->setFiltered(true);
    if (tabella_) {
        riordinaTabella(CampoRicerca);
        tabella_->first();
        CaricaAspetto();
        return;
    }
    if (richiesta.ordinamento == OrdinamentoCrescente ||
        richiesta.ordinamento == OrdinamentoDecrescente)
        memoria_->sortOnFields(CampoRicerca, MemoryDataset::SortCaseInsensitive |
                                                 (richiesta.ordinamento == OrdinamentoDecrescente
                                                      ? MemoryDataset::SortDescending
                                                      : 0));
    memoria_->first();
}

CriteriFiltro TVEKGrid::criteriFiltro() const {
    // While the dialog is open the user is still typing: its text counts.
    const RichiestaRicerca r = formRicerca_ ? formRicerca_->Richiesta() : richiestaRicerca_;
    return {CampoRicerca, r.testo, r.upper, r.tipo};
}

void TVEKGrid::ricercaGenerica(const QString& testo) {
    if (!query_)
        return;
    inizioRicerca();
    SalvaAspetto();
    QStringList origini;
    for (int i = 0; i < query_->fieldCount(); ++i)
        origini << query_->field(i)->origin();
    const std::optional<QStringList> righe = RigheRicercaGenerica(testo, SQLIniziale, origini);
    if (!righe) {
        interazione().Avviso(kMsgRicercaGenericaImpossibile);
        return;
    }
    CondizioneRicerca.clear();
    riapriQuery(SQLIniziale + *righe);
}

void TVEKGrid::annullaDaDialogo() {
    // Esc: a table keeps its filter, with the text typed so far.
    if (query_)
        riapriSenzaRicerca();
    else if (memoria_)
        memoria_->setFiltered(false);
}

void TVEKGrid::annullaRicerca() {
    inizioRicerca();
    SalvaAspetto();
    if (query_) {
        riapriSenzaRicerca();
    } else if (tabella_) {
        tabella_->setFiltered(false);
        CaricaAspetto();
    } else if (memoria_) {
        memoria_->setFiltered(false);
    }
    fineRicerca();
}

void TVEKGrid::riapriSenzaRicerca() {
    CondizioneRicerca.clear();
    riapriQuery(SQLIniziale);
}

void TVEKGrid::riapriQuery(const QStringList& sql) {
    query_->close();
    query_->setSql(sql);
    try {
        query_->open();
    } catch (const std::exception&) {
        // A search the server refuses must not leave the grid closed, nor its
        // condition behind for the host to put back at every reopening.
        CondizioneRicerca.clear();
        if (sql != SQLIniziale) {
            query_->setSql(SQLIniziale);
            query_->open();
        }
        throw;
    }
}

} // namespace mavo
