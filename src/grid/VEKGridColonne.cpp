#include "dataset/DatasetModel.h"
#include "grid/VEKGrid.h"
#include "platform/ErroreProgrammazione.h"

#include <QHeaderView>
#include <stdexcept>

namespace mavo {

namespace {

Field& esistente(Field* campo) {
    if (!campo)
        throw ErroreProgrammazione("Grid column index out of range");
    return *campo;
}

} // namespace

int TVEKGrid::NumeroColonne() const {
    return modello_->columnCount();
}

Field* TVEKGrid::CampoColonna(int colonna) const {
    return modello_->fieldAt(colonna);
}

TVEKGrid::StatoColonna& TVEKGrid::statoColonna(int colonna) {
    const Field* campo = &esistente(CampoColonna(colonna));
    auto it = colonne_.find(campo);
    if (it == colonne_.end())
        it = colonne_.insert(campo, StatoColonna{larghezzaPredefinita(*campo)});
    return *it;
}

const TVEKGrid::StatoColonna* TVEKGrid::statoEsistente(int colonna) const {
    const auto it = colonne_.constFind(CampoColonna(colonna));
    return it == colonne_.constEnd() ? nullptr : &*it;
}

int TVEKGrid::larghezzaPredefinita(const Field& campo) const {
    // As wide as the field's display width in digits, or as its title when wider.
    const int cifre = fontMetrics().horizontalAdvance(u'0') * campo.displayWidth();
    const int titolo = horizontalHeader()->fontMetrics().horizontalAdvance(campo.displayLabel());
    return std::max(cifre, titolo) + 4;
}

int TVEKGrid::LarghezzaColonna(int colonna) const {
    const Field& campo = esistente(CampoColonna(colonna));
    const StatoColonna* stato = statoEsistente(colonna);
    return stato ? stato->Larghezza : larghezzaPredefinita(campo);
}

void TVEKGrid::SetLarghezzaColonna(int colonna, int larghezza) {
    statoColonna(colonna).Larghezza = larghezza;
    applicandoColonne_ = true;
    horizontalHeader()->resizeSection(colonna, larghezza);
    applicandoColonne_ = false;
}

QString TVEKGrid::TitoloColonna(int colonna) const {
    return esistente(CampoColonna(colonna)).displayLabel();
}

void TVEKGrid::SetTitoloColonna(int colonna, const QString& titolo) {
    esistente(CampoColonna(colonna)).setDisplayLabel(titolo);
}

bool TVEKGrid::ColonnaVisibile(int colonna) const {
    return esistente(CampoColonna(colonna)).visible();
}

void TVEKGrid::SetColonnaVisibile(int colonna, bool visibile) {
    const int larghezza = statoColonna(colonna).Larghezza;
    esistente(CampoColonna(colonna)).setVisible(visibile);
    applicandoColonne_ = true;
    horizontalHeader()->setSectionHidden(colonna, !visibile);
    if (visibile)
        horizontalHeader()->resizeSection(colonna, larghezza);
    applicandoColonne_ = false;
}

TColor TVEKGrid::ColoreColonna(int colonna) const {
    esistente(CampoColonna(colonna));
    const StatoColonna* stato = statoEsistente(colonna);
    return stato ? stato->Colore : Colore();
}

void TVEKGrid::SetColoreColonna(int colonna, TColor colore) {
    statoColonna(colonna).Colore = colore;
    viewport()->update();
}

TColor TVEKGrid::ColoreTitolo(int colonna) const {
    esistente(CampoColonna(colonna));
    const StatoColonna* stato = statoEsistente(colonna);
    return stato ? stato->ColoreTitolo : clBtnFace;
}

void TVEKGrid::SetColoreTitolo(int colonna, TColor colore) {
    statoColonna(colonna).ColoreTitolo = colore;
    horizontalHeader()->viewport()->update();
}

int TVEKGrid::ColonnaSelezionata() const {
    if (currentIndex().isValid())
        return currentIndex().column();
    return NumeroColonne() > 0 ? 0 : -1;
}

void TVEKGrid::SelezionaColonna(int colonna) {
    const int riga = currentIndex().isValid() ? currentIndex().row() : 0;
    if (riga < modello_->rowCount() && colonna >= 0 && colonna < NumeroColonne())
        setCurrentIndex(modello_->index(riga, colonna));
}

void TVEKGrid::applicaColonne() {
    applicandoColonne_ = true;
    for (int c = 0; c < NumeroColonne(); ++c) {
        horizontalHeader()->resizeSection(c, statoColonna(c).Larghezza);
        horizontalHeader()->setSectionHidden(c, !CampoColonna(c)->visible());
    }
    applicandoColonne_ = false;
}

void TVEKGrid::sezioneRidimensionata(int colonna, int, int nuova) {
    // Hiding a column shrinks its section to nothing: that is not its width.
    const Field* campo = CampoColonna(colonna);
    if (!applicandoColonne_ && campo && campo->visible())
        statoColonna(colonna).Larghezza = nuova;
}

} // namespace mavo
