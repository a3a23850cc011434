#include "query/motore/CartelleQuery.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace mavo {

CartelleQuery LeggiCartelleQuery(const QString& fileImpostazioni, const QString& ditta,
                                 const QString& directoryLavoro, const QString& directoryBin) {
    CartelleQuery cartelle{fileImpostazioni, directoryLavoro, directoryBin};
    if (fileImpostazioni.compare(QStringLiteral("c:\\windows\\tervald.ini"), Qt::CaseInsensitive) ==
        0)
        cartelle.FileImpostazioni = settingsFilePath();
    const QString predefinita = QStringLiteral("C:\\WINDOWS");
    // Without a settings file every setting reads as its default.
    const IniFile impostazioni(cartelle.FileImpostazioni);
    const auto leggi = [&](const QString& chiave) {
        return cartelle.FileImpostazioni.isEmpty()
                   ? predefinita
                   : impostazioni.readString(ditta, chiave, predefinita);
    };
    if (cartelle.DirectoryLavoro.isEmpty())
        cartelle.DirectoryLavoro = leggi(QStringLiteral("Directory di lavoro"));
    if (cartelle.DirectoryBin.isEmpty())
        cartelle.DirectoryBin = leggi(QStringLiteral("Directory bin"));
    return cartelle;
}

} // namespace mavo
