#include "netprices/ui/SincroPrezziNettiForm.h"

#include "netprices/ApplicazioneNetti.h"
#include "netprices/DestinazioneNetti.h"
#include "netprices/ImportazioneNetti.h"
#include "netprices/RimozioneNetti.h"

#include "context/TabXForm.h"

#include <QFileInfo>
#include <QLabel>
#include <QSplitter>

namespace mavo {

namespace {

// The user's setting that keeps the folder of the last supplier file chosen.
const QString chiaveCartellaFile = QStringLiteral("Directory file fornitore");

} // namespace

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
        // A failing settings store is told, and the import goes on.
        .CartellaFile =
            [this] {
                QString cartella;
                protetto([&] { cartella = contesto_.CaricaParametro(chiaveCartellaFile); });
                return cartella;
            },
        .RicordaFile =
            [this](const QString& percorso) {
                protetto([&] {
                    const QString cartella = QFileInfo(percorso).absolutePath();
                    if (cartella != contesto_.CaricaParametro(chiaveCartellaFile))
                        contesto_.SettaParametro(chiaveCartellaFile, cartella);
                });
            },
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
