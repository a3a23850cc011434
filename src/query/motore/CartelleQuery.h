#pragma once

#include <QString>

namespace mavo {

// Where the tool keeps its settings and works: the settings file (the default
// "c:\windows\tervald.ini" follows the settings-file rule of the host), and
// the working and bin directories, read from the company's section
// ("Directory di lavoro", "Directory bin") when not given, "C:\WINDOWS" when
// not set.
struct CartelleQuery {
    QString FileImpostazioni;
    QString DirectoryLavoro;
    QString DirectoryBin;
};

CartelleQuery LeggiCartelleQuery(const QString& fileImpostazioni, const QString& ditta,
                                 const QString& directoryLavoro = {},
                                 const QString& directoryBin = {});

} // namespace mavo
