#include "grid/VEKGrid.h"

namespace mavo {

void TVEKGrid::coloraTitoli() {
    coloraTitoliIndicizzati();
    for (const auto& [colonna, colore] :
         Ordinamento.ColoriTitoli(coloreCampoOrdinato_, NumeroColonne()))
        SetColoreTitolo(colonna, colore);
}

void TVEKGrid::coloraTitoliIndicizzati() {
    if (tipoTabella_ != TipoQuery && tipoTabella_ != TipoTabellaDb)
        return;
    for (const QString& nome : CampiIndicizzati.split(u';', Qt::SkipEmptyParts)) {
        for (int c = 0; c < NumeroColonne(); ++c) {
            if (CampoColonna(c)->fieldName().compare(nome.trimmed(), Qt::CaseInsensitive) == 0) {
                SetColoreTitolo(c, coloreCampiIndicizzati_);
                break;
            }
        }
    }
}

void TVEKGrid::coloraColonnaOrdinamento() {
    const int colonna = Ordinamento.ColonnaOrdinamento;
    if (!Ordinamento.CampoOrdinamento.isEmpty() && colonna >= 0 && colonna < NumeroColonne())
        SetColoreTitolo(colonna, coloreCampoOrdinato_);
}

QColor TVEKGrid::coloreIntestazione(int colonna) const {
    const StatoColonna* stato = statoEsistente(colonna);
    return stato && stato->ColoreTitolo != clBtnFace ? ColoreQt(stato->ColoreTitolo, palette())
                                                     : QColor();
}

QColor TVEKGrid::coloreCelle(int colonna) const {
    const StatoColonna* stato = statoEsistente(colonna);
    return stato && stato->Colore != Colore() ? ColoreQt(stato->Colore, palette()) : QColor();
}

} // namespace mavo
