#include "entry/Entry.h"

#include "context/DataModuleMavo.h"
#include "context/EseguiProtetto.h"
#include "context/TabXForm.h"
#include "netprices/SincroPrezziNettiForm.h"
#include "platform/Formats.h"

#include <memory>

namespace mavo {

namespace {

void apri(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra) {
    AmbienteChiamata chiamata = PreparaChiamata(port, NumeroUtente);
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

AmbienteChiamata PreparaChiamata(Interazione& port, int32_t NumeroUtente,
                                 TTabXForm::FunzioneDialogoServer dialogoServer) {
    // The library's own separators and formats, whatever the host uses.
    setFormatSettings(FormatSettings());

    AmbienteChiamata chiamata;
    chiamata.contesto = std::make_unique<TTabXForm>(port, TTabXForm::ModoDatabase, nullptr,
                                                    std::move(dialogoServer));
    chiamata.contesto->SetUserPerNum(NumeroUtente);
    chiamata.dataModule = std::make_unique<TDataModuleMavo>(*chiamata.contesto);
    return chiamata;
}

int32_t ApriSincroPrezziNetti(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra) {
    // Nothing may reach the host: a failure is shown, and what was built so
    // far has already been freed on the way out.
    EseguiProtetto(port, [&] { apri(port, NumeroUtente, IdFinestra); });
    return 0;
}

} // namespace mavo
