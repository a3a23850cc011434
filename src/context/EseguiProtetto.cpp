#include "context/EseguiProtetto.h"
#include "platform/ErroreProgrammazione.h"

#include "db/DatabaseError.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"

namespace mavo {

bool EseguiProtetto(Interazione& interazione, const std::function<void()>& comando) {
    try {
        comando();
        return true;
    } catch (const db::DatabaseError& e) {
        interazione.Errore(e.message());
    } catch (const IoError& e) {
        interazione.Errore(e.message());
    } catch (const ErroreProgrammazione& e) {
        interazione.Errore("Errore interno del programma\r" + e.dettaglio());
    } catch (const std::exception& e) {
        interazione.Errore("Errore imprevisto\r" + QString::fromLocal8Bit(e.what()));
    } catch (...) {
        interazione.Errore(QStringLiteral("Errore imprevisto"));
    }
    return false;
}

} // namespace mavo
