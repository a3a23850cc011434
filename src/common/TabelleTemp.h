#pragma once

#include "platform/LocalTable.h"

#include <QString>

namespace mavo {

// Local work tables that several users may want at once: a user who finds the
// table held by someone else moves on to a numbered alternative of its name.

// Makes the table usable by this user and tells how the first attempt went:
// "Non Esiste" (no file: the caller creates it), "Esiste Libera" (it was free:
// it is now open and empty) or "Esiste Occupata" (someone held it: the table
// now names the first free alternative, open and empty, or one without a
// file, which the caller creates).
QString PreparaTabellaTemp(LocalTable& tabella);

// RISPTMP.DB -> RISPT01.DB, RISPT01 -> RISPT02.DB, RISPT99 -> RISPT100.DB.
QString NomeTabellaSuccessivo(const QString& nomeFile);

// A numbered alternative (a name other than `nomeBase`) is closed and its
// file deleted. False when the file is there and could not be deleted.
bool EliminaTabellaTemp(LocalTable& tabella, const QString& nomeBase);

} // namespace mavo
