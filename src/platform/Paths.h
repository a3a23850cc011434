#pragma once

#include <QString>

namespace mavo {

// Paths are kept as the system stores them, Windows-style ("C:\ARCHIVI\x.fdb",
// hostDirectory() + "user\user.fdb"), and are built with plain string
// functions; toLocalPath() turns one into a Linux path where a file is touched.

// Directory of the running executable, or MAVO_HOST_DIR when set; a local path
// ending with '/' (e.g. "/opt/host/").
QString hostDirectory();

// The local directory that stands for C:\WINDOWS: MAVO_WINDOWS_DIR, otherwise
// $XDG_CONFIG_HOME/mavo (~/.config/mavo). No trailing separator.
QString windowsDirectory();

// '\' becomes '/', and a leading C:\WINDOWS (any case) becomes
// windowsDirectory(). A Linux path keeps its meaning; a backslash is never part
// of a file name here.
QString toLocalPath(const QString& path);

// A Firebird connection string: "SERVER:C:\ARCHIVI\x.fdb" or "host:/srv/x.fdb"
// go to the server unchanged; a local file path goes through toLocalPath().
QString toDatabasePath(const QString& path);
// A database on another machine: "server:path", "host/port:path" or a
// Windows network name "\\SRV\share\x.fdb". Its file cannot be looked for here.
bool isRemoteDatabasePath(const QString& path);

// Where the query tool keeps its settings: "c:\windows\tervald.ini", or
// "<host directory>\ini_log_err\tervald.ini" when that directory exists.
QString settingsFilePath();

// "C:\A\b.ini" -> "C:\A\" and "b.ini"; either separator counts.
QString directoryPart(const QString& path);
QString fileNamePart(const QString& path);

// "C:\A\" -> "C:\A"; "/" stays "/".
QString withoutTrailingSeparator(const QString& directory);

// "C:\A" or "C:\A\" and "QUERY\X" -> "C:\A\QUERY\X": one separator between, in
// the directory's own style; an empty directory gives the relative path.
QString joinPath(const QString& directory, const QString& relative);

// For our programs (never the library, which leaves the host's environment
// alone): the embedded engine runs in Classic mode from the configuration
// installed beside the program (<bin>/../firebird), unless FIREBIRD names one.
void useEngineConfigurationBesideProgram();

} // namespace mavo
