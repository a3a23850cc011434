#pragma once

#include <QString>
#include <functional>

namespace mavo {

// What an operation changes in the net-price window besides the summary memo.
// The window fills them; the command-line tool leaves them empty.
struct AgganciFinestra {
    std::function<void(const QString& percorso)> MostraFile; // LabelFile
    std::function<void()> AggiornaAnteprima;                 // close and reopen QueryAnteprima
    std::function<void()> MostraRiepilogo; // PanelRiepilogo and SplitterRiepilogo visible

    void mostraFile(const QString& percorso) const {
        if (MostraFile)
            MostraFile(percorso);
    }
    void aggiornaAnteprima() const {
        if (AggiornaAnteprima)
            AggiornaAnteprima();
    }
    void mostraRiepilogo() const {
        if (MostraRiepilogo)
            MostraRiepilogo();
    }
};

} // namespace mavo
