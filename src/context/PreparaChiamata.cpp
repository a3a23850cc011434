#include "context/PreparaChiamata.h"

#include "platform/Formats.h"

namespace mavo {

std::unique_ptr<TTabXForm> PreparaContesto(Interazione& port, int32_t NumeroUtente,
                                           TTabXForm::FunzioneDialogoServer dialogoServer) {
    // The library's own separators and formats, whatever the host uses.
    setFormatSettings(FormatSettings());

    auto contesto = std::make_unique<TTabXForm>(port, TTabXForm::ModoDatabase, nullptr,
                                                std::move(dialogoServer));
    contesto->SetUserPerNum(NumeroUtente);
    return contesto;
}

AmbienteChiamata PreparaChiamata(Interazione& port, int32_t NumeroUtente,
                                 TTabXForm::FunzioneDialogoServer dialogoServer) {
    AmbienteChiamata chiamata;
    chiamata.contesto = PreparaContesto(port, NumeroUtente, std::move(dialogoServer));
    chiamata.dataModule = std::make_unique<TDataModuleMavo>(*chiamata.contesto);
    return chiamata;
}

} // namespace mavo
