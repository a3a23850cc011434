#include "support/LeggiFoglio.h"

#include <QFile>
#include <QProcess>

namespace mavo::test {

QStringList LeggiFoglio(const QString& percorso) {
    // The distribution's interpreter, which has the distribution's readers
    // (another python3 may come first on the PATH).
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                               ? QStringLiteral("/usr/bin/python3")
                               : QStringLiteral("python3");
    QProcess lettore;
    lettore.start(python,
                  {QStringLiteral(MAVO_SOURCE_DIR "/tests/support/leggi_foglio.py"), percorso});
    if (!lettore.waitForFinished(120000) || lettore.exitStatus() != QProcess::NormalExit ||
        lettore.exitCode() != 0)
        return {"ERRORE " + QString::fromUtf8(lettore.readAllStandardError())};
    QStringList righe = QString::fromUtf8(lettore.readAllStandardOutput()).split(u'\n');
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    return righe;
}

} // namespace mavo::test
