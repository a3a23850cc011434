#include <QApplication>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The libraries the tests load by name are found by the system's search,
// which reads LD_LIBRARY_PATH only when a program starts: a program without
// their folder on it starts itself again with it.
void conLibrerieDiProva(char** argv) {
    const QByteArray cartella = MAVO_LIBRERIE_PROVA;
    const QByteArray percorso = qgetenv("LD_LIBRARY_PATH");
    if (percorso.split(':').contains(cartella))
        return;
    qputenv("LD_LIBRARY_PATH", percorso.isEmpty() ? cartella : cartella + ':' + percorso);
    execv("/proc/self/exe", argv);
}

} // namespace

// Every test program gets a QApplication: widget tests need one, and the
// rest do not mind it under the offscreen platform.
int main(int argc, char** argv) {
    conLibrerieDiProva(argv);
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                   : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
