#include "platform/Cp1252.h"

#include <iterator>

namespace mavo {

namespace {

// 0xA0..0xFF coincide with Latin-1; only 0x80..0x9F need a table.
constexpr char16_t kFirstHigh = 0x80;
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

char encodeOutsideLatin1(char16_t unit) {
    for (char16_t i = 0; i < std::size(kHigh); ++i) {
        if (kHigh[i] == unit) {
            return char(kFirstHigh + i);
        }
    }
    return '?';
}

bool inLatin1Part(char16_t unit) {
    return unit < kFirstHigh || (unit >= 0xA0 && unit <= 0xFF);
}

} // namespace

QString fromCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const unsigned offset = byte - kFirstHigh;
        *out++ = offset < std::size(kHigh) ? kHigh[offset] : char16_t(byte);
    }
    return text;
}

QByteArray toCp1252(QStringView text) {
    // One byte per unit at most (a surrogate pair gives one): written in
    // place, since appending byte by byte is most of an export's cost.
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    const char16_t* unita = text.utf16();
    const qsizetype quante = text.size();
    for (qsizetype i = 0; i < quante; ++i) {
        const char16_t unit = unita[i];
        if (inLatin1Part(unit)) {
            *out++ = char(unit);
            continue;
        }
        if (QChar::isHighSurrogate(unit) && i + 1 < quante && QChar::isLowSurrogate(unita[i + 1]))
            ++i;
        *out++ = encodeOutsideLatin1(unit);
    }
    bytes.truncate(out - bytes.data());
    return bytes;
}

qsizetype firstNotInCp1252(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (!inLatin1Part(unit) && encodeOutsideLatin1(unit) == '?')
            return i;
    }
    return -1;
}

} // namespace mavo
