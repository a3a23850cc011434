#include "grid/ricerca/FiltroRicerca.h"

#include "grid/ricerca/SqlRicerca.h"

namespace mavo {

bool ValoreAccettato(const QString& valore, const CriteriFiltro& criteri) {
    if (criteri.campo.isEmpty())
        return false;
    const QString testo = criteri.upper ? valore.toUpper() : valore;
    const QString modello = criteri.upper ? criteri.testo.toUpper() : criteri.testo;
    switch (criteri.tipo) {
    case RicercaContiene:
        return testo.contains(modello);
    case RicercaIniziaCon:
        return testo.startsWith(modello);
    default:
        return QString::compare(testo, modello) >= 0;
    }
}

Dataset::FilterFunction FiltroRicerca(std::function<CriteriFiltro()> criteri) {
    return [criteri = std::move(criteri)](Dataset& dataset) {
        const CriteriFiltro c = criteri();
        const Field* campo = c.campo.isEmpty() ? nullptr : dataset.findField(c.campo);
        return campo && ValoreAccettato(campo->asString(), c);
    };
}

} // namespace mavo
