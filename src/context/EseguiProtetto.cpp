#include "context/EseguiProtetto.h"

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
    } catch (const std::exception& e) {
        interazione.Errore(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        interazione.Errore(QStringLiteral("Errore imprevisto"));
    }
    return false;
}

} // namespace mavo
