#pragma once

#include <QString>

namespace mavo {

// The print's folders are written with varying case ("Report\" and
// "report\", "Stampe\" and "STAMPE\"), which Windows does not mind. Here
// each folder of `relativa` under `base` is the one already there whatever
// its case, and a missing one takes the spelling given: one folder in the
// end, however the path was written. Windows-style result, no trailing
// separator.
QString CartellaStampa(const QString& base, const QString& relativa);

// The same for a file: its folders as above, then the file itself when one
// of that name (any case) is there.
QString FileStampa(const QString& base, const QString& relativa);

// The bin directory printing works from: an empty one, or C:\WINDOWS, stands
// for the current directory.
QString DirectoryBinStampa(const QString& directoryBin);

} // namespace mavo
