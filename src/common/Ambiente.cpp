#include "common/Ambiente.h"

#include "platform/IniFile.h"
#include "platform/IoError.h"
#include "platform/Paths.h"

#include <QDir>

namespace mavo {

QStringList CaricaSezioniUtenti() {
    return IniFile(hostDirectory() + QStringLiteral("NOMIDIT\\UTENTI.INI")).sections();
}

void CreaEImpostaDirectory(const QString& directory) {
    const QString locale = toLocalPath(directory);
    if (!QDir().mkpath(locale) || !QDir::setCurrent(locale)) {
        throw IoError(QStringLiteral("Impossibile creare la cartella %1").arg(directory));
    }
}

} // namespace mavo
