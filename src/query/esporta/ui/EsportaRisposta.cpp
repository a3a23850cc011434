#include "query/esporta/ui/EsportaRisposta.h"

#include "query/esporta/Esportazione.h"
#include "query/esporta/ui/AvanzamentoForm.h"
#include "query/esporta/ui/QIBEspForm.h"

namespace mavo {

void ButtonEsportaClick(QWidget* form, Interazione& port, Risposta& risposta,
                        const ContestoEsportazione& contesto) {
    EsportazioneRisposta esportazione(port, risposta, contesto);
    esportazione.FinestraAvanzamento = [form] {
        return std::make_unique<ProgressoEsportazione>(form, QStringLiteral("Avanzamento"), false);
    };
    esportazione.FinestraStato = [form](const QString& titolo) {
        return std::make_unique<ProgressoEsportazione>(form, titolo, true);
    };
    esportazione.Esporta([form, &port](const ContestoEsportazione& c) {
        TQIBEspForm dialogo(c, port, form);
        dialogo.exec();
        return dialogo.Risultato();
    });
}

} // namespace mavo
