#include "netprices/ui/SincroPrezziNettiForm.h"

#include "netprices/ApplicazioneNetti.h"
#include "netprices/DestinazioneNetti.h"
#include "netprices/ImportazioneNetti.h"
#include "netprices/RimozioneNetti.h"

#include <QLabel>
#include <QSplitter>

namespace mavo {

void TSincroPrezziNettiForm::ButtonSelezionaFileClick() {
    protetto([this] { ImportazioneNetti(contesto_, port_, agganci()).Esegui(); });
}

void TSincroPrezziNettiForm::ButtonAggNettiListoneClick() {
    protetto(
        [this] { ApplicazioneNetti(contesto_, port_, DestinazioneNetti::Listone()).Esegui(); });
}

void TSincroPrezziNettiForm::ButtonDelNettiListoneClick() {
    protetto([this] {
        RimozioneNetti(contesto_, port_, DestinazioneNetti::Listone(), agganci()).Esegui();
    });
}

void TSincroPrezziNettiForm::ButtonAggNettiAnaMagClick() {
    protetto([this] {
        ApplicazioneNetti(contesto_, port_, DestinazioneNetti::AnagraficaMagazzino()).Esegui();
    });
}

void TSincroPrezziNettiForm::ButtonDelNettiAnaMagClick() {
    protetto([this] {
        RimozioneNetti(contesto_, port_, DestinazioneNetti::AnagraficaMagazzino(), agganci())
            .Esegui();
    });
}

AgganciFinestra TSincroPrezziNettiForm::agganci() {
    return {
        .MostraFile =
            [this](const QString& percorso) {
                LabelFile->setText(percorso);
                LabelFile->repaint();
            },
        .AggiornaAnteprima =
            [this] {
                QueryAnteprima.close();
                QueryAnteprima.open();
            },
        .MostraRiepilogo = [this] { mostraRiepilogo(); },
    };
}

// The panel comes in at its design height; the grid gives up the room.
void TSincroPrezziNettiForm::mostraRiepilogo() {
    if (PanelRiepilogo->isVisibleTo(this))
        return;
    PanelRiepilogo->show();
    const int altezzaRiepilogo = 113;
    const int griglia =
        SplitterRiepilogo->height() - SplitterRiepilogo->handleWidth() - altezzaRiepilogo;
    SplitterRiepilogo->setSizes({std::max(griglia, 0), altezzaRiepilogo});
}

} // namespace mavo
