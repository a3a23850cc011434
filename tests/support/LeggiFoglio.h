#pragma once

#include <QString>
#include <QStringList>

namespace mavo::test {

// A spreadsheet file as an independent reader sees it (tests/support/
// leggi_foglio.py: openpyxl for .xlsx, xlrd for .xls): "# <sheet>" lines and
// one line per row, cells typed ("s:", "n:", "d:", "t:", "b:"). A file the
// reader refuses gives its error as the only line, starting with "ERRORE".
QStringList LeggiFoglio(const QString& percorso);

} // namespace mavo::test
