#include "context/PreparaChiamata.h"

#include "platform/Formats.h"

namespace mavo {

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

} // namespace mavo
