#include "grid/CampiTrascinati.h"

#include "dataset/Field.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace mavo {

void CampiTrascinati(QHeaderView* intestazione, std::function<Field*(int colonna)> campoColonna) {
    QObject::connect(intestazione, &QHeaderView::sectionMoved, intestazione,
                     [intestazione, campoColonna = std::move(campoColonna)](
                         int colonna, int vecchiaPosizione, int nuovaPosizione) {
                         Field* campo = campoColonna(colonna);
                         if (!campo)
                             return;
                         {
                             const QSignalBlocker silenzio(intestazione);
                             intestazione->moveSection(nuovaPosizione, vecchiaPosizione);
                         }
                         campo->setIndex(nuovaPosizione);
                     });
}

} // namespace mavo
