#include "cli/sincronetti/Anteprima.h"

#include "context/TabXForm.h"
#include "db/Statement.h"
#include "platform/Formats.h"

namespace mavo {

void StampaAnteprima(TTabXForm& contesto, FILE* out) {
    db::Statement righe(&contesto.IBDatabase1, &contesto.IBTransaction1);
    righe.setParamCheck(false);
    righe.setSql({"SELECT", "  CODICE,", "  DESCRIZIONE,", "  PREZZO", "FROM",
                  "  MANUTENZIONENETTI", "ORDER BY", "  CODICE"});
    righe.execute();
    std::fputs("CODICE;DESCRIZIONE;PREZZO\n", out);
    while (righe.fetch()) {
        const QString prezzo =
            righe.isNull(2) ? QString() : formatFloat("0.00", righe.value(2).toDouble());
        const QByteArray riga =
            (righe.value(0).toString() + u';' + righe.value(1).toString() + u';' + prezzo + u'\n')
                .toUtf8();
        std::fwrite(riga.constData(), 1, size_t(riga.size()), out);
    }
    std::fflush(out);
}

} // namespace mavo
