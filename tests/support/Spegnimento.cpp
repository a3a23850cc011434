#include "support/Spegnimento.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace mavo::test {

namespace {

// The engine configuration of the tests, so that gfix joins this program's
// attachments through the lock manager (Classic mode).
void gfix(const QStringList& argomenti) {
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    if (!ambiente.contains("FIREBIRD"))
        ambiente.insert("FIREBIRD", MAVO_ENGINE_DIR);
    processo.setProcessEnvironment(ambiente);
    processo.setProcessChannelMode(QProcess::MergedChannels);
    processo.start("gfix", QStringList{"-user", "SYSDBA"} + argomenti);
    const bool finito = processo.waitForFinished(60000);
    if (!finito || processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0)
        ADD_FAILURE() << "gfix " << argomenti.join(' ').toStdString() << ": "
                      << processo.readAll().toStdString() << processo.errorString().toStdString();
}

} // namespace

void SpegniDatabase(const QString& percorso) {
    gfix({"-shut", "full", "-force", "0", percorso});
}

void RiattivaDatabase(const QString& percorso) {
    gfix({"-online", percorso});
}

} // namespace mavo::test
