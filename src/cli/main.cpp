// sincronetti: the net-price operations of the library without a window, for
// automation. See LeggiRigaDiComando for the command line.

#include "cli/Comandi.h"
#include "cli/RigaDiComando.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The engine runs in Classic mode from the configuration beside the program,
// unless the environment already names one.
void configuraMotore() {
    if (qEnvironmentVariableIsEmpty("FIREBIRD"))
        qputenv("FIREBIRD", QDir(QCoreApplication::applicationDirPath() + "/../firebird")
                                .absolutePath()
                                .toLocal8Bit());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto lettura = mavo::LeggiRigaDiComando(argc, argv);
    if (const int* esito = std::get_if<int>(&lettura))
        return *esito;
    configuraMotore();
    return mavo::EseguiComando(std::get<mavo::OpzioniSincronetti>(lettura));
}
