#pragma once

// Internal to the db layer: texts as bytes of a connection's character set.

#include "db/Database.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace mavo::db::encoding {

// Engine character set identifiers this layer meets.
inline constexpr unsigned None = 0;
inline constexpr unsigned Octets = 1;
inline constexpr unsigned UnicodeFss = 3;
inline constexpr unsigned Utf8 = 4;
inline constexpr unsigned Win1252 = 53;

// A character the connection's character set cannot hold is refused
// (DatabaseError): a '?' in its place would be stored as if it were the value.
QByteArray encode(QStringView text, Charset charset);
QString decode(QByteArrayView bytes, Charset charset);

// The character set a described text (column, parameter, text blob) comes in:
// the engine converts declared texts to the connection's and passes NONE
// texts untransliterated, as the connection's programs wrote them.
Charset of(unsigned engineCharset, Charset connection);
// Bytes of a described length per character (4 for UTF8).
unsigned bytesPerCharacter(unsigned engineCharset);
// The name PSQL declares it by; null for one this layer does not meet.
const char* name(unsigned engineCharset);

// The engine's texts (messages and the values quoted in them) do not always
// come in the connection's character set: UTF-8 when they are, else Windows-1252.
QString decodeMessage(QByteArrayView bytes);

} // namespace mavo::db::encoding
