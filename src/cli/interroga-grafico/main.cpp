// interroga-grafico: what `interroga grafico` runs. The same command line as
// interroga, with an application that can draw; the platform is offscreen,
// so no display is needed.

#include "cli/interroga/Comandi.h"
#include "cli/interroga/RigaDiComando.h"
#include "platform/Paths.h"
#include "platform/SegnaliUscita.h"
#include "query/grafici/ui/GraficoSuFile.h"

#include <QApplication>
#include <QDir>
#include <unistd.h>

int main(int argc, char** argv) {
    mavo::UscitaSuSegnale();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (a script, a service) Qt would say on stderr that it
    // takes this folder: that is no news for whoever reads our messages.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString sessione = QDir::tempPath() + "/runtime-" + QString::number(getuid());
        if (QDir().mkpath(sessione) &&
            QFile::setPermissions(sessione, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", sessione.toLocal8Bit());
    }
    QApplication app(argc, argv);
    const auto lettura = mavo::LeggiRigaDiComandoInterroga(argc, argv);
    if (const int* esito = std::get_if<int>(&lettura))
        return *esito;
    mavo::useEngineConfigurationBesideProgram();
    return mavo::EseguiInterroga(
        std::get<mavo::OpzioniInterroga>(lettura),
        [](mavo::Interazione& port, mavo::Risposta& risposta, const QString& directoryLavoro,
           const mavo::RichiestaGrafico& richiesta, const QString& file) {
            return mavo::SalvaGraficoSuFile(port, risposta, directoryLavoro, richiesta, file);
        });
}
