#pragma once

#include <QString>

namespace mavo {

// Qt's own Italian texts for the standard dialogs (file and colour dialogs,
// the buttons of the message boxes), taken from the Qt installation, for a
// host that has not translated Qt's texts itself. Once per application
// object; the process environment is left alone. Without the translation
// file the dialogs stay in English, and nothing is reported.
void InstallaTraduzioniQt();

// The same from the translations in `cartella`; true when it installed one.
bool InstallaTraduzioniQt(const QString& cartella);

} // namespace mavo
