#pragma once

#include "netprices/AgganciFinestra.h"

namespace mavo {

class TTabXForm;
class Interazione;
struct DestinazioneNetti;

// The net price removal: every row of supplier '2197' of the target that
// carries the sale price marker 9999999 gets its prices back from its list
// price and a markup of 0, in one statement and one commit.
class RimozioneNetti {
public:
    // With `prova` the removal runs and is then rolled back.
    RimozioneNetti(TTabXForm& contesto, Interazione& port, const DestinazioneNetti& destinazione,
                   AgganciFinestra agganci = {}, bool prova = false);

    // True when the run reached its end ("Elaborazione completata"); false
    // when nothing was marked, the user declined or the removal failed (told
    // through the port). Unexpected failures are thrown after the rollback.
    bool Esegui();

private:
    bool rimuovi();

    TTabXForm& contesto_;
    Interazione& port_;
    const DestinazioneNetti& destinazione_;
    AgganciFinestra agganci_;
    bool prova_;
};

} // namespace mavo
