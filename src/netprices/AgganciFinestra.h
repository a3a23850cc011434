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
    // The user's memory of the file dialog: the folder it opens in, and the
    // file chosen there.
    std::function<QString()> CartellaFile;
    std::function<void(const QString& percorso)> RicordaFile;

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
    QString cartellaFile() const { return CartellaFile ? CartellaFile() : QString(); }
    void ricordaFile(const QString& percorso) const {
        if (RicordaFile)
            RicordaFile(percorso);
    }
};

} // namespace mavo
