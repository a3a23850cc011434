#pragma once

#include "platform/Interazione.h"

#include <algorithm>

namespace mavo {

// n of totale as a percentage rounded to the nearest integer, halves to the
// even neighbour, computed exactly; within 0..100.
inline int Percentuale(qint64 n, qint64 totale) {
    if (totale <= 0)
        return 100;
    const qint64 centesimi = std::clamp<qint64>(n, 0, totale) * 100;
    qint64 quoziente = centesimi / totale;
    const qint64 doppioResto = 2 * (centesimi % totale);
    if (doppioResto > totale || (doppioResto == totale && quoziente % 2 != 0))
        ++quoziente;
    return int(quoziente);
}

// Drives the bar of a row-by-row phase: the progress window is told only when
// the percentage changes, so a row costs two integer divisions.
class Avanzamento {
public:
    Avanzamento(Progresso& progresso, qint64 totale) : progresso_(progresso), totale_(totale) {}

    void Riga(qint64 n) {
        const int percentuale = Percentuale(n, totale_);
        if (percentuale != ultima_) {
            ultima_ = percentuale;
            progresso_.SetProgresso(percentuale);
        }
    }

private:
    Progresso& progresso_;
    qint64 totale_;
    int ultima_ = 0; // SetBarraVisibile leaves the bar at 0
};

} // namespace mavo
