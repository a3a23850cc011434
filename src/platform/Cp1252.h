#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace mavo {

// Windows-1252, the encoding of supplier files, exported text and ini files.
// Every byte decodes to one character (the five bytes Windows leaves undefined
// become the C1 control of the same value, as on Windows), so decoding and
// encoding again gives back the same bytes.
QString fromCp1252(QByteArrayView bytes);

// Characters Windows-1252 cannot hold become '?' (one per character, also for
// characters outside the basic plane).
QByteArray toCp1252(QStringView text);

// Position of the first character Windows-1252 cannot hold, -1 when there is
// none: where a '?' would be a wrong value and not a mere blemish.
qsizetype firstNotInCp1252(QStringView text);

} // namespace mavo
