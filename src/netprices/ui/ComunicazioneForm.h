#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QFrame;
class QLabel;
class QProgressBar;

namespace mavo {

// The small window the net-price operations show while they work: a centred
// message and, during the row-by-row phases, a bar from 0 to 100. It has no
// title-bar buttons, so the user cannot close it under a running operation.
// The operations hold the event loop while they run: the window keeps itself
// painted by letting paint events through (never user input) from its
// updates, at most every IntervalloDisegno milliseconds.
class TComunicazioneForm : public QDialog {
    Q_OBJECT
public:
    // Takes the owner's icon; placed in the middle of the desktop.
    explicit TComunicazioneForm(QWidget* owner = nullptr);

    static constexpr int IntervalloDisegno = 50;

    // Shows the window and waits, a second at most, until the window manager
    // has put it on screen, so that it is painted before the operation goes on.
    void Mostra();

    // Shows the text at once, even though the caller does not let the event
    // loop run. Lines of a text with line breaks are centred one by one; a
    // line wider than the label is cut at its edges.
    void SetMessaggio(const QString& testo);
    // 0 to 100; a repeated value costs nothing.
    void SetProgresso(int percentuale);
    // Shows or hides the bar, back at 0, at once.
    void SetBarraVisibile(bool visibile);

    QFrame* const PanelClient;
    QLabel* const LabelMessaggio;
    QProgressBar* const BarraProgresso;

protected:
    // Only the operation hides it: not a window manager that still draws a
    // close button (openbox does), nor Alt+F4, nor Esc.
    void closeEvent(QCloseEvent* evento) override;
    void reject() override {}

private:
    void lasciaDisegnare();

    QElapsedTimer ultimoDisegno_;
};

} // namespace mavo
