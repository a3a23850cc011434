#pragma once

#include <QString>

namespace mavo {

// Runs a script through isql, the engine's command-line tool, as the host's
// Windows programs talk to their archives: after SET NAMES WIN1252, the text
// sent in Windows-1252. The script opens its database itself (CREATE DATABASE
// or CONNECT). Returns what isql printed. isql stops at the first failing
// statement; that, isql missing, or a character Windows-1252 has not,
// throws IoError.
QString EseguiIsqlWin1252(const QString& script);

} // namespace mavo
