// A library of another program, for the call context's calls into libraries:
// it remembers what it was given and reads the context it was handed.

#include "context/TabXForm.h"
#include "dataset/Dataset.h"

#include <cstdint>
#include <stdexcept>

namespace {
int32_t argomento = 0;
const void* dataset = nullptr;
const void* contesto = nullptr;
QString titolo;
} // namespace

#define ESPORTATA extern "C" __attribute__((visibility("default")))

ESPORTATA void Avvia(int32_t n) {
    argomento = n;
}

ESPORTATA int32_t UltimoArgomento() {
    return argomento;
}

ESPORTATA void ShowZorq11FormD(mavo::Dataset* d, mavo::TTabXForm** c) {
    dataset = d;
    contesto = *c;
    titolo = (*c)->GetV("TitoloStampa") + u'|' + d->className();
    if (titolo.startsWith(u"Guasto"))
        throw std::runtime_error("la stampa non parte");
}

ESPORTATA void ShowZorq11MemFormD(mavo::Dataset* d, mavo::TTabXForm** c) {
    ShowZorq11FormD(d, c);
}

ESPORTATA const void* UltimoDataset() {
    return dataset;
}

ESPORTATA const void* UltimoContesto() {
    return contesto;
}

ESPORTATA const QString* UltimoTitolo() {
    return &titolo;
}
