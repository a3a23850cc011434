#pragma once

#include "context/DataModuleMavo.h"
#include "context/TabXForm.h"

#include <cstdint>
#include <memory>

namespace mavo {

class Interazione;

// What a call builds before its window: the call context bound to the user and
// the data module that made the archives ready (members in this order, so the
// data module goes first).
struct AmbienteChiamata {
    std::unique_ptr<TTabXForm> contesto;
    std::unique_ptr<TDataModuleMavo> dataModule;
};

// Sets the library's formats and builds the call context bound to the user,
// as every call does. Database failures are thrown.
std::unique_ptr<TTabXForm> PreparaContesto(Interazione& port, int32_t NumeroUtente,
                                           TTabXForm::FunzioneDialogoServer dialogoServer = {});

// The context, then the data module that makes the archives ready; the
// command-line tools build their run on the same.
AmbienteChiamata PreparaChiamata(Interazione& port, int32_t NumeroUtente,
                                 TTabXForm::FunzioneDialogoServer dialogoServer = {});

} // namespace mavo
