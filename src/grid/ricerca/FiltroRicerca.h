#pragma once

#include "dataset/Dataset.h"

#include <functional>

namespace mavo {

// What the record filter of a table or memory dataset compares.
struct CriteriFiltro {
    QString campo; // CampoRicerca
    QString testo;
    bool upper = true;
    int tipo = 0; // 0 at least the text, 1 contains it, 2 begins with it
};

// Whether a field showing `valore` passes; nothing passes without a field.
bool ValoreAccettato(const QString& valore, const CriteriFiltro& criteri);

// The record filter: `criteri` is asked at every record, so that it can read
// the open search dialog while the user types.
Dataset::FilterFunction FiltroRicerca(std::function<CriteriFiltro()> criteri);

} // namespace mavo
