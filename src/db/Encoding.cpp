#include "db/Encoding.h"

#include "db/DatabaseError.h"
#include "platform/Cp1252.h"

#include <QStringDecoder>
#include <firebird/Interface.h>

namespace mavo::db::encoding {

namespace {

[[noreturn]] void notRepresentable(QStringView text, qsizetype at) {
    const char32_t code = text[at].isHighSurrogate() && at + 1 < text.size()
                              ? QChar::surrogateToUcs4(text[at], text[at + 1])
                              : text[at].unicode();
    // Enough of the text around it to find it in a long statement.
    constexpr qsizetype around = 40;
    const qsizetype from = qMax<qsizetype>(0, at - around);
    const QStringView part = text.mid(from, 2 * around + 2);
    throw DatabaseError(QStringLiteral("Carattere non rappresentabile nell'archivio\n"
                                       "Character U+%1 \"%2\" has no WIN1252 encoding, the "
                                       "archive's character set: \"%3%4%5\"")
                            .arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'),
                                 QString::fromUcs4(&code, 1), from > 0 ? "..." : "",
                                 part.toString(), from + part.size() < text.size() ? "..." : ""),
                        -802, isc_transliteration_failed);
}

} // namespace

QByteArray encode(QStringView text, Charset charset) {
    if (charset == Charset::Utf8)
        return text.toUtf8();
    if (const qsizetype at = firstNotInCp1252(text); at >= 0)
        notRepresentable(text, at);
    return toCp1252(text);
}

QString decode(QByteArrayView bytes, Charset charset) {
    return charset == Charset::Utf8 ? QString::fromUtf8(bytes) : fromCp1252(bytes);
}

Charset of(unsigned engineCharset, Charset connection) {
    switch (engineCharset) {
    case UnicodeFss:
    case Utf8:
        return Charset::Utf8;
    case Win1252:
        return Charset::Win1252;
    default:
        return connection;
    }
}

unsigned bytesPerCharacter(unsigned engineCharset) {
    return engineCharset == Utf8 ? 4 : engineCharset == UnicodeFss ? 3 : 1;
}

const char* name(unsigned engineCharset) {
    switch (engineCharset) {
    case None:
        return "NONE";
    case Octets:
        return "OCTETS";
    case 2:
        return "ASCII";
    case UnicodeFss:
        return "UNICODE_FSS";
    case Utf8:
        return "UTF8";
    case Win1252:
        return "WIN1252";
    default:
        return nullptr;
    }
}

QString decodeMessage(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromCp1252(bytes) : text;
}

} // namespace mavo::db::encoding
