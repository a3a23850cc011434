// interroga: the query tool's engine without a window. See
// LeggiRigaDiComandoInterroga for the command line.

#include "cli/interroga/Comandi.h"
#include "cli/interroga/RigaDiComando.h"
#include "platform/Paths.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto lettura = mavo::LeggiRigaDiComandoInterroga(argc, argv);
    if (const int* esito = std::get_if<int>(&lettura))
        return *esito;
    mavo::useEngineConfigurationBesideProgram();
    return mavo::EseguiInterroga(std::get<mavo::OpzioniInterroga>(lettura));
}
