#pragma once

#include "netprices/AgganciFinestra.h"

#include <QString>
#include <chrono>

namespace mavo {

class TTabXForm;
class Interazione;
class Progresso;

// "Seleziona e analizza file": the supplier file chosen by the user is checked
// row by row and its net prices are staged in MANUTENZIONENETTI, in the
// context's IBTransaction1; every discarded or shortened row becomes a line of
// the summary, then the total of the staged rows.
class ImportazioneNetti {
public:
    // With `prova` everything runs and is reported, and then rolled back: the
    // staging table stays as it was, emptying included.
    ImportazioneNetti(TTabXForm& contesto, Interazione& port, AgganciFinestra agganci = {},
                      bool prova = false);

    // True when the import reached its end ("Elaborazione completata"); false
    // when the user cancelled or a failure already told the user ended it.
    // Unexpected failures (a read error, a statement that cannot be prepared)
    // are thrown after everything has been rolled back.
    bool Esegui();

    // How long the emptying waits for another user's import to end.
    static constexpr std::chrono::milliseconds AttesaTabellaOccupata{15000};
    void ImpostaAttesaTabellaOccupata(std::chrono::milliseconds attesa) { attesa_ = attesa; }

private:
    bool acquisisci(const QString& percorso);
    bool svuotaTabella(Progresso& progresso);

    TTabXForm& contesto_;
    Interazione& port_;
    AgganciFinestra agganci_;
    bool prova_;
    std::chrono::milliseconds attesa_ = AttesaTabellaOccupata;
};

} // namespace mavo
