#include "entry/Entry.h"

#include "context/EseguiProtetto.h"
#include "context/PreparaChiamata.h"
#include "context/ui/PimIn2Form.h"
#include "netprices/ui/SincroPrezziNettiForm.h"
#include "platform/ui/TraduzioniQt.h"
#include "query/form/ui/ApriQuery.h"

#include <memory>

namespace mavo {

namespace {

void apri(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra) {
    // The standard dialogs of our windows (file choice, colours) speak Italian too.
    InstallaTraduzioniQt();
    // F8 of every grid opens the query tool.
    static const bool queryInstallata = (InstallaQueryNelleGriglie(), true);
    Q_UNUSED(queryInstallata);
    AmbienteChiamata chiamata = PreparaChiamata(port, NumeroUtente, &TPimIn2Form::ChiediServer);
    auto& [contesto, dataModule] = chiamata;
    if (!contesto->IBDatabase1.connected())
        return;

    // Until the window takes them over, a failure frees the window, the data
    // module and the context, in this order.
    auto finestra = std::make_unique<TSincroPrezziNettiForm>(*dataModule);
    contesto->ScritturaHandleDiApertura(IdFinestra, qint64(finestra->winId()));
    finestra->AffidaApertura(std::move(dataModule), std::move(contesto));
    // Shown without waiting; from here on the window frees itself when it closes.
    finestra.release()->show();
}

} // namespace

int32_t ApriSincroPrezziNetti(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra) {
    // Nothing may reach the host: a failure is shown, and what was built so
    // far has already been freed on the way out.
    EseguiProtetto(port, [&] { apri(port, NumeroUtente, IdFinestra); });
    return 0;
}

} // namespace mavo
