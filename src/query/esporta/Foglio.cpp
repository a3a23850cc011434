#include "query/esporta/Foglio.h"

namespace mavo {

double SerialeFoglio(const QDate& giorno, double frazioneGiorno) {
    if (!giorno.isValid() || giorno.year() < 1900)
        return -1;
    qint64 giorni = QDate(1899, 12, 30).daysTo(giorno);
    // The programs count a 29 February 1900 that never was: days before
    // March of that year are one less.
    if (giorno < QDate(1900, 3, 1))
        --giorni;
    return double(giorni) + frazioneGiorno;
}

} // namespace mavo
