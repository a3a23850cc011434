#include "query/risposta/CodiciVisualizzazione.h"

namespace mavo {

void CodiciVisualizzazione::SetCodice(int campo, int codice) {
    if (campo >= 0 && campo < codici_.size())
        codici_[campo] = codice;
}

int CodiciVisualizzazione::TipoRaggruppamento(int campo) const {
    return Codice(campo) % 10;
}

void CodiciVisualizzazione::AggTipoRaggruppamento(int campo, QChar tipo) {
    const int codice = Codice(campo);
    SetCodice(campo, codice - codice % 10 + tipo.digitValue());
}

int EstraiPosizioneOrdinamento(int codice) {
    return codice / 100 % 100;
}

bool ControlloSuTotali(int codice) {
    return codice / 10 % 10 == 1;
}

bool OrdineDecrescente(int codice) {
    return codice >= 10000;
}

} // namespace mavo
