#include "grid/ordinamento/DecodificaCampi.h"

namespace mavo {

bool DecodificaCampi::contiene(const QString& nome) const {
    return nomi.contains(nome, Qt::CaseInsensitive);
}

std::optional<QString> DecodificaCampi::espressione(const QString& nome) const {
    for (qsizetype i = 0; i < nomi.size() && i < espressioni.size(); ++i)
        if (nomi[i].compare(nome, Qt::CaseInsensitive) == 0)
            return espressioni[i];
    return std::nullopt;
}

QString EspressioneCampo(const QString& nome, const QString& origine,
                         const DecodificaCampi& personalizzati) {
    if (const auto personalizzata = personalizzati.espressione(nome))
        return *personalizzata;
    return origine.isEmpty() ? nome : origine.toUpper();
}

} // namespace mavo
