#include "query/form/ElabAvanzate.h"

namespace mavo {

bool elaborazione::DiCatena(const QString& parola) {
    return parola == PassaPrecedente || parola == PassaSuccessiva || parola == EliminaSuccessiva;
}

std::optional<QString> RifiutoElaborazione(const QString& parola, const StatoElaborazioni& stato) {
    const auto no = [](const char* motivo) {
        return std::optional<QString>(QStringLiteral("Attenzione: operazione non possibile, ") +
                                      QString::fromUtf8(motivo));
    };
    using namespace elaborazione;
    if (parola == CampiVisibili) {
        if (stato.Bloccata)
            return no("la Query è bloccata!");
        if (stato.InCatena)
            return no("la Query è successiva!");
    } else if (parola == BloccaQuery) {
        if (stato.Affiancata)
            return no("la Query è affiancata!");
    } else if (parola == QueryAffiancata) {
        if (!stato.Bloccata)
            return no("la Query deve essere bloccata!");
    } else if (parola == TogliQueryAffiancata) {
        if (!stato.Affiancata)
            return no("la Query deve avere almeno un affiancamento!");
    } else if (parola == PassaPrecedente) {
        if (!stato.InCatena)
            return no("la Query non è successiva!");
        if (stato.LivelloCatena == 0)
            return no("nessuna query precedente!");
    } else if (parola == EliminaSuccessiva) {
        if (!stato.InCatena)
            return no("nessuna query successiva presente!");
        if (stato.LivelloCatena == 0)
            return no("query iniziale!");
        if (stato.Bloccata)
            return no("query bloccata!");
    }
    return std::nullopt;
}

} // namespace mavo
