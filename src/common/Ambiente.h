#pragma once

#include <QString>
#include <QStringList>

namespace mavo {

// The section names (one per user) of "<host directory>NOMIDIT\UTENTI.INI",
// in file order; empty when the file is missing.
QStringList CaricaSezioniUtenti();

// Creates every missing directory of the path (Windows-style or local) and
// makes it the current directory; a failure raises IoError.
void CreaEImpostaDirectory(const QString& directory);

} // namespace mavo
