#pragma once

namespace mavo {

class TTabXForm;
class Interazione;
struct DestinazioneNetti;
namespace db {
class Statement;
}

// The net price application: every staged net price of MANUTENZIONENETTI is
// written into the target's first row of supplier '2197' with the same code,
// with the sale price marker 9999999, in a transaction of its own committed
// once at the end. A row that cannot be updated is reported and passed over.
class ApplicazioneNetti {
public:
    // With `prova` the run goes to its end and is then rolled back.
    ApplicazioneNetti(TTabXForm& contesto, Interazione& port, const DestinazioneNetti& destinazione,
                      bool prova = false);

    // True when the run reached its end ("Elaborazione completata"); false
    // when there was nothing to do or the user declined. Unexpected failures
    // are thrown after the target's transaction has been rolled back.
    bool Esegui();

private:
    void aggiorna(db::Statement& righe);

    TTabXForm& contesto_;
    Interazione& port_;
    const DestinazioneNetti& destinazione_;
    bool prova_;
};

} // namespace mavo
