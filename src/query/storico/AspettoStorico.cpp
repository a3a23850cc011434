#include "query/storico/AspettoStorico.h"

#include "dataset/Dataset.h"
#include "query/calcoli/OrdineETotali.h"
#include "query/risposta/Risposta.h"

namespace mavo {

void InizializzaRaggruppa(CodiciVisualizzazione& codici, const Aspetto& aspetto) {
    for (int n = 0; n < codici.Numero(); ++n)
        codici.SetCodice(n, 0);
    for (const RigaAspetto& riga : aspetto)
        if (riga.NCampo >= 0 && riga.NCampo < codici.Numero())
            codici.SetCodice(riga.NCampo, riga.Raggruppa);
}

bool EsisteAspettoCompatibile(const Aspetto& aspetto, const Dataset& risposta) {
    if (aspetto.isEmpty())
        return false;
    QStringList salvati;
    for (const RigaAspetto& riga : aspetto) {
        if (!risposta.findField(riga.NomeCampo))
            return false;
        salvati << riga.NomeCampo.toUpper();
    }
    for (int i = 0; i < risposta.fieldCount(); ++i)
        if (!salvati.contains(risposta.field(i)->fieldName().toUpper()))
            return false;
    return true;
}

bool RecuperaAspettodaStorico(Risposta& risposta, const Aspetto& aspetto, bool& ordinato) {
    if (!risposta.Aperta() || !EsisteAspettoCompatibile(aspetto, risposta.Dati()))
        return false;
    CodiciVisualizzazione& codici = risposta.Codici();
    InizializzaRaggruppa(codici, aspetto);
    bool ordina = false;
    for (int n = 0; n < codici.Numero(); ++n)
        ordina = ordina || codici.Codice(n) >= 100;
    // A computed answer keeps the order its sums were computed in.
    if (ordina && !risposta.Calcolata()) {
        IbQuery& query = risposta.Query();
        const QStringList sql = OrdinaIstruzione(query.sql(), ordinato, codici, query.fieldCount());
        risposta.Chiudi();
        query.setSql(sql);
        risposta.Apri();
    }
    RipristinaAspetto(aspetto, risposta.Dati());
    return true;
}

} // namespace mavo
