#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;

namespace mavo {

// The small window the net-price operations show while they work: a centred
// message and, during the row-by-row phases, a bar from 0 to 100. It has no
// title-bar buttons, so the user cannot close it under a running operation.
class TComunicazioneForm : public QDialog {
    Q_OBJECT
public:
    // Takes the owner's icon; placed in the middle of the desktop.
    explicit TComunicazioneForm(QWidget* owner = nullptr);

    // Shows the text at once, even though the caller does not let the event
    // loop run. Lines of a text with line breaks are centred one by one; a
    // line wider than the label is cut at its edges.
    void SetMessaggio(const QString& testo);
    // 0 to 100; a repeated value costs nothing.
    void SetProgresso(int percentuale);
    // Shows or hides the bar, back at 0.
    void SetBarraVisibile(bool visibile);

    QFrame* const PanelClient;
    QLabel* const LabelMessaggio;
    QProgressBar* const BarraProgresso;
};

} // namespace mavo
