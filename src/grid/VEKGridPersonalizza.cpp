#include "grid/VEKGrid.h"
#include "grid/aspetto/PVEKGridForm.h"
#include "grid/aspetto/RipristinoAspetto.h"

#include <QScopeGuard>

namespace mavo {

void TVEKGrid::personalizzaGriglia() {
    db::Database* database = databaseImpostazioni();
    if (!database)
        return;
    SalvaAspetto(); // the dialog shows the layout as it is now
    TPVEKGridForm form(this, TabellaAspettoGriglia, chiavi(), *database, interazione());
    form.ripristinaAspetto = [this, database] { ripristinaAspettoBase(*database); };
    form.exec();
    CaricaAspetto();
}

void TVEKGrid::ripristinaAspettoBase(db::Database& database) {
    // A host that stores the layout when its data closes must not write the old one back.
    RipristinoInCorso = true;
    const auto fine = qScopeGuard([this] { RipristinoInCorso = false; });
    // The search dialog's options live in the grid's own position table.
    EliminaAspetto(database, TabellaAspettoGriglia, TabellaPosizioneFinestre, chiavi());
    Ordinamento.Azzera();
    if (query_) {
        riapriSenzaRicerca();
    } else if (tabella_) {
        tabella_->setIndexFieldNames({});
        tabella_->close();
        tabella_->open();
    } else if (memoria_) {
        // Closing a memory dataset would throw its records away.
        memoria_->setFiltered(false);
    }
    SalvaAspetto(); // the default layout becomes the stored one
}

} // namespace mavo
