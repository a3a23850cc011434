#include "grid/ricerca/TemporizzatoreRicerca.h"

namespace mavo {

TemporizzatoreRicerca::TemporizzatoreRicerca(std::function<void()> applica, bool aTempo,
                                             QObject* parent, int intervallo)
    : QObject(parent), applica_(std::move(applica)), aTempo_(aTempo) {
    timer_.setSingleShot(true);
    timer_.setInterval(intervallo);
    connect(&timer_, &QTimer::timeout, this, [this] { applica_(); });
}

void TemporizzatoreRicerca::testoCambiato() {
    if (aTempo_)
        timer_.start(); // restarts a running pause
    else
        applica_();
}

} // namespace mavo
