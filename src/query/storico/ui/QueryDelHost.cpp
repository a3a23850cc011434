#include "query/storico/ui/QueryDelHost.h"

#include "context/EseguiProtetto.h"
#include "context/PreparaChiamata.h"
#include "dataset/IbTable.h"
#include "platform/Paths.h"
#include "platform/ui/TraduzioniQt.h"
#include "query/form/ui/ApriQuery.h"

namespace mavo {

bool ApriQueryStorico(Interazione& port, int utente, const QString& tabella, ChiaveStorico chiave,
                      QWidget* owner) {
    // The standard dialogs of the window (printer, files, colours) speak Italian too.
    InstallaTraduzioniQt();
    bool aperta = false;
    const bool riuscita = EseguiProtetto(port, [&] {
        AmbienteChiamata ambiente = PreparaChiamata(port, utente);
        TTabXForm& contesto = *ambiente.contesto;
        // A missing archive has been told by the data module.
        if (!contesto.IBDatabase1.connected())
            return;
        IbTable principale;
        principale.setDatabase(&contesto.IBDatabase1);
        principale.setTransaction(&contesto.IBTransaction1);
        principale.setTableName(tabella);
        principale.open();
        ApriQuery(principale, contesto.IBDatabase1, {}, {}, contesto.Ditta, false,
                  settingsFilePath(), utente, &port, owner, chiave);
        principale.close();
        aperta = true;
    });
    return riuscita && aperta;
}

} // namespace mavo
