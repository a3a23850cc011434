// interroga: the query tool's engine without a window. See
// LeggiRigaDiComandoInterroga for the command line.

#include "cli/comune/RigaDiComandoItaliana.h"
#include "cli/interroga/Comandi.h"
#include "cli/interroga/RigaDiComando.h"
#include "platform/Paths.h"
#include "platform/SegnaliUscita.h"

#include <QDir>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv) {
    mavo::UscitaSuSegnale();
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
