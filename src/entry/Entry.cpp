#include "entry/Entry.h"

#include "context/TabXForm.h"
#include "db/DatabaseError.h"
#include "context/DataModuleMavo.h"
#include "netprices/SincroPrezziNettiForm.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"

#include <memory>

namespace mavo {

namespace {

int32_t apri(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra) {
    AmbienteChiamata chiamata = PreparaChiamata(port, NumeroUtente);
    auto& [contesto, dataModule] = chiamata;
    if (!contesto->IBDatabase1.connected())
        return 0;

    // Until the window takes them over, a failure frees the window, the data
    // module and the context, in this order.
    auto finestra = std::make_unique<TSincroPrezziNettiForm>(*dataModule);
    contesto->ScritturaHandleDiApertura(IdFinestra, qint64(finestra->winId()));
    finestra->AffidaApertura(std::move(dataModule), std::move(contesto));
    // Shown without waiting; from here on the window frees itself when it closes.
    finestra.release()->show();
    return 0;
}

} // namespace

AmbienteChiamata PreparaChiamata(Interazione& port, int32_t NumeroUtente,
                                 TTabXForm::FunzioneDialogoServer dialogoServer) {
    // The library's own separators and formats, whatever the host uses.
    setFormatSettings(FormatSettings());

    AmbienteChiamata chiamata;
    chiamata.contesto = std::make_unique<TTabXForm>(port, TTabXForm::ModoDatabase, nullptr,
                                                    std::move(dialogoServer));
    chiamata.contesto->SetUserPerNum(NumeroUtente);
    chiamata.dataModule = std::make_unique<TDataModuleMavo>(*chiamata.contesto);
    return chiamata;
}

int32_t ApriSincroPrezziNetti(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra) {
    // Nothing may reach the host: a failure is shown, and what was built so
    // far has already been freed on the way out.
    try {
        return apri(port, NumeroUtente, IdFinestra);
    } catch (const db::DatabaseError& e) {
        port.Errore(e.message());
    } catch (const IoError& e) {
        port.Errore(e.message());
    } catch (const std::exception& e) {
        port.Errore(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        port.Errore("Errore imprevisto");
    }
    return 0;
}

} // namespace mavo
