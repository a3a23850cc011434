// sincronetti: the net-price operations of the library without a window, for
// automation. See LeggiRigaDiComando for the command line.

#include "cli/sincronetti/Comandi.h"
#include "cli/sincronetti/RigaDiComando.h"
#include "platform/Paths.h"
#include "platform/SegnaliUscita.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    mavo::UscitaSuSegnale();
    QCoreApplication app(argc, argv);
    const auto lettura = mavo::LeggiRigaDiComando(argc, argv);
    if (const int* esito = std::get_if<int>(&lettura))
        return *esito;
    mavo::useEngineConfigurationBesideProgram();
    return mavo::EseguiComando(std::get<mavo::OpzioniSincronetti>(lettura));
}
