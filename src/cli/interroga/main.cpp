// interroga: the query tool's engine without a window. See
// LeggiRigaDiComandoInterroga for the command line.

#include "cli/comune/RigaDiComandoItaliana.h"
#include "cli/interroga/Comandi.h"
#include "cli/interroga/RigaDiComando.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto lettura = mavo::LeggiRigaDiComandoInterroga(argc, argv);
    if (const int* esito = std::get_if<int>(&lettura))
        return *esito;
    const auto& opzioni = std::get<mavo::OpzioniInterroga>(lettura);
    if (opzioni.comando == mavo::OpzioniInterroga::Comando::Grafico) {
        // Charts are drawn by the program beside this one, which loads the
        // widget libraries this one does without; it reads the same line.
        const QByteArray programma = QDir(QCoreApplication::applicationDirPath())
                                         .filePath("interroga-grafico")
                                         .toLocal8Bit();
        argv[0] = const_cast<char*>(programma.constData());
        execv(programma.constData(), argv);
        std::fprintf(stderr, "ERRORE: Impossibile avviare %s: %s\n", programma.constData(),
                     std::strerror(errno));
        return mavo::Interrotto;
    }
    mavo::useEngineConfigurationBesideProgram();
    return mavo::EseguiInterroga(opzioni);
}
