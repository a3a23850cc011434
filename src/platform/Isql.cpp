#include "platform/Isql.h"

#include "platform/Cp1252.h"
#include "platform/IoError.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace mavo {

namespace {

QString programma() {
    // Debian names it isql-fb, beside another program called isql.
    for (const char* nome : {"isql-fb", "isql"}) {
        const QString trovato = QStandardPaths::findExecutable(nome);
        if (!trovato.isEmpty())
            return trovato;
    }
    throw IoError("Programma isql-fb non trovato");
}

} // namespace

QString EseguiIsqlWin1252(const QString& script) {
    if (const qsizetype at = firstNotInCp1252(script); at >= 0)
        throw IoError("Carattere non rappresentabile nello script per isql-fb: " +
                      script.mid(at, 1));
    // From a file: what isql reads from its standard input goes through its
    // line editor, which drops the bytes beyond ASCII.
    QTemporaryFile file(QDir::temp().filePath("mavo-isql-XXXXXX.sql"));
    if (!file.open())
        throw IoError("Impossibile scrivere lo script per isql-fb: " + file.errorString());
    file.write(
        toCp1252(QStringLiteral("SET NAMES WIN1252;\n") + script + QStringLiteral("\nCOMMIT;\n")));
    file.close();
    QProcess isql;
    isql.setStandardInputFile(QProcess::nullDevice());
    isql.start(programma(), {"-q", "-b", "-i", file.fileName()});
    if (!isql.waitForStarted())
        throw IoError("Impossibile avviare isql-fb: " + isql.errorString());
    const bool finita = isql.waitForFinished(600000);
    if (!finita) {
        isql.kill();
        isql.waitForFinished();
        throw IoError("isql-fb non ha terminato lo script");
    }
    const QString uscita = fromCp1252(isql.readAllStandardOutput());
    const QString errori = fromCp1252(isql.readAllStandardError());
    if (isql.exitStatus() != QProcess::NormalExit || isql.exitCode() != 0)
        throw IoError("Errore di isql-fb\n" + errori.trimmed());
    return uscita;
}

} // namespace mavo
