// interroga: the query tool's engine without a window. See
// LeggiRigaDiComandoInterroga for the command line.

#include "cli/interroga/Comandi.h"
#include "cli/interroga/RigaDiComando.h"
#include "platform/Paths.h"

#include <QGuiApplication>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    // Printing draws text (fonts, a PDF): that needs the GUI library, though
    // no display, which the offscreen platform does without.
    bool stampa = false;
    for (int i = 1; i < argc; ++i)
        stampa = stampa || std::strcmp(argv[i], "stampa") == 0;
    if (stampa && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        stampa ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    const auto lettura = mavo::LeggiRigaDiComandoInterroga(argc, argv);
    if (const int* esito = std::get_if<int>(&lettura))
        return *esito;
    mavo::useEngineConfigurationBesideProgram();
    return mavo::EseguiInterroga(std::get<mavo::OpzioniInterroga>(lettura));
}
