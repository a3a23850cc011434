#include "grid/ricerca/EseguiProtetto.h"

#include "db/DatabaseError.h"
#include "platform/Interazione.h"

namespace mavo {

void EseguiProtetto(Interazione& interazione, const std::function<void()>& comando) {
    try {
        comando();
    } catch (const db::DatabaseError& e) {
        interazione.Errore(e.message());
    } catch (const std::exception& e) {
        interazione.Errore(QString::fromUtf8(e.what()));
    }
}

} // namespace mavo
