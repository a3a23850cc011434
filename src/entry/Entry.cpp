#include "entry/Entry.h"

#include "context/TabXForm.h"
#include "db/DatabaseError.h"
#include "entry/DataModuleMavo.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"

#include <memory>

namespace mavo {

namespace {

int32_t apri(Interazione& port, int32_t NumeroUtente, int32_t IdFinestra) {
    // The library's own separators and formats, whatever the host uses.
    setFormatSettings(FormatSettings());

    auto contesto = std::make_unique<TTabXForm>(port, TTabXForm::ModoDatabase);
    contesto->SetUserPerNum(NumeroUtente);
    auto dataModule = std::make_unique<TDataModuleMavo>(*contesto);
    if (!contesto->IBDatabase1.connected())
        return 0;

    // The net-price window goes here: it takes over dataModule and contesto,
    // its handle is reported with contesto->ScritturaHandleDiApertura(IdFinestra, ...),
    // it is marked AperturaEsterna and shown without waiting. Until then the
    // call frees what it built.
    Q_UNUSED(IdFinestra);
    return 0;
}

} // namespace

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
