#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace mavo {

// Runs the search while the user types: a pause of `intervallo` ms after the
// last change when searching on a timer (it spares reopening a large query at
// every keystroke), at once otherwise.
class TemporizzatoreRicerca : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervallo = 1000;

    TemporizzatoreRicerca(std::function<void()> applica, bool aTempo, QObject* parent,
                          int intervallo = kIntervallo);

    // The text changed: restart the pause, or search at once.
    void testoCambiato();
    // Drops a pending search.
    void ferma() { timer_.stop(); }
    bool inAttesa() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> applica_;
    bool aTempo_;
};

} // namespace mavo
