#include "grid/VEKGrid.h"
#include "grid/ordinamento/OrderBy.h"
#include "grid/ordinamento/OrdinamentoMemorizzato.h"
#include "grid/ricerca/ControlloIndice.h"

namespace mavo {

void TVEKGrid::ordinamentoMemorizzato() {
    if (db::Database* database = databaseImpostazioni())
        LeggiOrdinamento(*database, TabellaAspettoGriglia, chiavi(), decodifica(), Ordinamento);
    else if (Ordinamento.ModoOrdinamento == 0)
        Ordinamento.ModoOrdinamento = 1; // nothing stored to decide on
    // While the search dialog is open the search writes its own order lines.
    if (!query_ || formRicerca_ || !OrderBy)
        return;
    // The stored keys are checked against the fields of the base SQL.
    if (Ordinamento.HaChiavi() && !SQLIniziale.isEmpty())
        query_->sql() << OrdinamentoQuery(*query_->database(), SQLIniziale, Ordinamento,
                                          decodifica());
    else if (!Ordinamento.HaChiavi() && OrdinaPerChiavePrimaria && !TabellaPrincipale.isEmpty())
        query_->sql() << RigheChiavePrimaria(*query_->database(), TabellaPrincipale);
}

void TVEKGrid::doppioClicTitolo(int colonna, bool ctrl) {
    // The record indicator and the blank right of the last title are no column.
    if (!OrdinamentoDaTitolo || colonna < 0 || colonna >= NumeroColonne())
        return;
    const Field* campo = CampoColonna(colonna);
    const QString nome = campo->fieldName();
    Ordinamento.DoppioClicTitolo(
        {nome, EspressioneCampo(nome, campo->origin(), decodifica()), colonna}, ctrl);
    // A refused column keeps the new sort state: the next layout save stores it.
    if (!memoria_ && !ControlloIndice(nome, CampiIndicizzati, ricercaLibera(), interazione()))
        return;
    SalvaAspetto();
    if (query_) {
        // Reopened, the query gets the order just stored.
        riapriQuery(CondizioneRicerca.isEmpty() ? SQLIniziale
                                                : SQLIniziale + QStringList{CondizioneRicerca});
        SelezionaColonna(colonna);
    } else if (memoria_) {
        ordinaMemoria();
    } else if (tabella_) {
        riordinaTabella(Ordinamento.CampiOrdinamento());
        CaricaAspetto();
    }
    for (int c = 0; c < NumeroColonne(); ++c)
        SetColoreTitolo(c, clBtnFace);
    coloraTitoli();
}

void TVEKGrid::ordinaMemoria() {
    const QString campi = Ordinamento.CampiOrdinamento();
    // A key whose field the data no longer has leaves the order as it is.
    for (const QString& nome : campi.split(u';', Qt::SkipEmptyParts))
        if (!memoria_->findField(nome))
            return;
    if (!campi.isEmpty())
        memoria_->sortOnFields(campi,
                               MemoryDataset::SortCaseInsensitive |
                                   (Ordinamento.Discendente() ? MemoryDataset::SortDescending : 0));
}

void TVEKGrid::riordinaTabella(const QString& campi) {
    // A table takes its order when it opens.
    if (tabella_->indexFieldNames() == campi)
        return;
    tabella_->setIndexFieldNames(campi);
    if (tabella_->active()) {
        tabella_->close();
        tabella_->open();
    }
}

} // namespace mavo
