#include "db/Values.h"

#include "db/DatabaseError.h"
#include "db/Encoding.h"
#include "db/Engine.h"

#include <QDateTime>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace mavo::db::values {

using namespace Firebird;

namespace {

template <typename T> T load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof(T));
    return v;
}

template <typename T> void store(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof(T));
}

// Scales are 0 to 18 digits, and a value is scaled on every write and read.
double power10(int exponent) {
    static constexpr double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                       1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    return exponent >= 0 && exponent < int(std::size(exact)) ? exact[exponent]
                                                             : std::pow(10.0, exponent);
}

[[noreturn]] void conversionError(const QVariant& value) {
    throw DatabaseError(QStringLiteral("conversion error from string \"%1\"").arg(value.toString()),
                        -413, isc_convert_error);
}

double toDouble(const QVariant& value) {
    bool ok = false;
    const double d = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                          : value.toDouble(&ok);
    if (!ok)
        conversionError(value);
    return d;
}

[[noreturn]] void outOfRange() {
    throw DatabaseError(QStringLiteral("numeric value is out of range"), -802, isc_arith_except);
}

// Integers are written exactly; anything else goes through a rounded double.
qint64 toScaled(const QVariant& value, int scale) {
    const int id = value.typeId();
    if (scale == 0 &&
        (id == QMetaType::Int || id == QMetaType::LongLong || id == QMetaType::UInt ||
         id == QMetaType::ULongLong || id == QMetaType::Short || id == QMetaType::Bool))
        return value.toLongLong();
    const double scaled = toDouble(value) * power10(-scale);
    // Past 64 bits llround gives a wrapped-around value that would be stored
    // as if it were the number: refuse it as the server refuses an overflow.
    if (!(std::fabs(scaled) < 9.2e18))
        outOfRange();
    return std::llround(scaled);
}

// A SMALLINT or INTEGER slot takes only what fits: a cut-down number would be
// stored as if it were the one given.
template <typename T> T narrowed(qint64 value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        outOfRange();
    return static_cast<T>(value);
}

QByteArray toBytes(const QVariant& value, Charset charset) {
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                                   : encoding::encode(value.toString(), charset);
}

[[noreturn]] void truncationError(int expected, int actual) {
    throw DatabaseError(QStringLiteral("arithmetic exception, numeric overflow, or string "
                                       "truncation\n-string right truncation\n-expected length "
                                       "%1, actual %2")
                            .arg(expected)
                            .arg(actual),
                        -802, isc_arith_except);
}

int charsOf(const QByteArray& utf8) {
    int count = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

ISC_QUAD writeBlob(const QByteArray& bytes, IAttachment* attachment, ITransaction* transaction) {
    ISC_QUAD id{};
    engine::call([&] {
        engine::Status st;
        IBlob* blob = attachment->createBlob(&st, transaction, &id, 0, nullptr);
        for (qsizetype offset = 0; offset < bytes.size(); offset += 32768) {
            const auto length =
                static_cast<unsigned>(qMin<qsizetype>(32768, bytes.size() - offset));
            blob->putSegment(&st, length, bytes.constData() + offset);
        }
        blob->close(&st);
    });
    return id;
}

QByteArray readBlob(ISC_QUAD id, IAttachment* attachment, ITransaction* transaction) {
    QByteArray bytes;
    engine::call([&] {
        engine::Status st;
        IBlob* blob = attachment->openBlob(&st, transaction, &id, 0, nullptr);
        char chunk[32768];
        for (;;) {
            unsigned length = 0;
            const int result = blob->getSegment(&st, sizeof(chunk), chunk, &length);
            if (result == IStatus::RESULT_NO_DATA)
                break;
            bytes.append(chunk, static_cast<qsizetype>(length));
        }
        blob->close(&st);
    });
    return bytes;
}

} // namespace

SqlType sqlType(unsigned engineType) {
    switch (engineType & ~1u) {
    case SQL_TEXT:
        return SqlType::Text;
    case SQL_VARYING:
        return SqlType::Varying;
    case SQL_SHORT:
        return SqlType::SmallInt;
    case SQL_LONG:
        return SqlType::Integer;
    case SQL_INT64:
        return SqlType::BigInt;
    case SQL_FLOAT:
        return SqlType::Float;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return SqlType::Double;
    case SQL_TYPE_DATE:
        return SqlType::Date;
    case SQL_TYPE_TIME:
        return SqlType::Time;
    case SQL_TIMESTAMP:
        return SqlType::Timestamp;
    case SQL_BLOB:
        return SqlType::Blob;
    case SQL_BOOLEAN:
        return SqlType::Boolean;
    default:
        return SqlType::Unknown;
    }
}

FieldInfo describe(IMessageMetadata* meta, unsigned index, Charset connection) {
    return engine::call([&] {
        engine::Status st;
        FieldInfo f;
        f.name = encoding::decode(meta->getField(&st, index), connection);
        f.alias = encoding::decode(meta->getAlias(&st, index), connection);
        f.relation = encoding::decode(meta->getRelation(&st, index), connection);
        f.type = sqlType(meta->getType(&st, index));
        f.subType = meta->getSubType(&st, index);
        f.scale = meta->getScale(&st, index);
        f.nullable = meta->isNullable(&st, index);
        const int length = static_cast<int>(meta->getLength(&st, index));
        const bool text = f.type == SqlType::Text || f.type == SqlType::Varying;
        f.size = text ? length / static_cast<int>(
                                     encoding::bytesPerCharacter(meta->getCharSet(&st, index)))
                      : length;
        return f;
    });
}

QVector<Slot> slots(IMessageMetadata* meta, Charset connection) {
    QVector<Slot> out;
    if (!meta)
        return out;
    engine::call([&] {
        engine::Status st;
        const unsigned count = meta->getCount(&st);
        out.reserve(static_cast<int>(count));
        for (unsigned i = 0; i < count; ++i) {
            Slot s;
            s.type = meta->getType(&st, i) & ~1u;
            s.length = meta->getLength(&st, i);
            s.offset = meta->getOffset(&st, i);
            s.nullOffset = meta->getNullOffset(&st, i);
            s.charset = meta->getCharSet(&st, i);
            s.text = encoding::of(s.charset, connection);
            s.scale = meta->getScale(&st, i);
            s.subType = meta->getSubType(&st, i);
            out.append(s);
        }
    });
    return out;
}

QString declaration(const Slot& slot) {
    const auto numeric = [&](const char* integer, int precision) {
        return slot.scale == 0 ? QString::fromLatin1(integer)
                               : QStringLiteral("NUMERIC(%1,%2)").arg(precision).arg(-slot.scale);
    };
    switch (slot.type) {
    case SQL_VARYING:
    case SQL_TEXT: {
        // Texts are described in the connection's character set, or NONE, or as bytes.
        const char* const charset = encoding::name(slot.charset);
        if (!charset)
            break;
        return QStringLiteral("%1(%2) CHARACTER SET %3")
            .arg(slot.type == SQL_TEXT ? "CHAR" : "VARCHAR")
            .arg(slot.length / encoding::bytesPerCharacter(slot.charset))
            .arg(charset);
    }
    case SQL_SHORT:
        return numeric("SMALLINT", 4);
    case SQL_LONG:
        return numeric("INTEGER", 9);
    case SQL_INT64:
        return numeric("BIGINT", 18);
    case SQL_FLOAT:
        return QStringLiteral("FLOAT");
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QStringLiteral("DOUBLE PRECISION");
    case SQL_TYPE_DATE:
        return QStringLiteral("DATE");
    case SQL_TYPE_TIME:
        return QStringLiteral("TIME");
    case SQL_TIMESTAMP:
        return QStringLiteral("TIMESTAMP");
    case SQL_BOOLEAN:
        return QStringLiteral("BOOLEAN");
    case SQL_BLOB: {
        if (slot.subType != 1)
            return QStringLiteral("BLOB SUB_TYPE %1").arg(slot.subType);
        const char* const charset = encoding::name(slot.charset);
        return charset ? QStringLiteral("BLOB SUB_TYPE TEXT CHARACTER SET %1").arg(charset)
                       : QStringLiteral("BLOB SUB_TYPE TEXT");
    }
    }
    throw DatabaseError(
        QStringLiteral("Tipo di dato non gestito\nNo declaration for type %1").arg(slot.type));
}

void write(const Slot& slot, unsigned char* buffer, const QVariant& value, IAttachment* attachment,
           ITransaction* transaction) {
    const unsigned type = slot.type, length = slot.length, nullOffset = slot.nullOffset;
    const unsigned charset = slot.charset;
    const int scale = slot.scale;
    unsigned char* p = buffer + slot.offset;
    const bool null = value.isNull() || !value.isValid();
    store<short>(buffer + nullOffset, null ? -1 : 0);
    if (null)
        return;
    IUtil* util = engine::util();
    switch (type) {
    case SQL_VARYING:
    case SQL_TEXT: {
        const QByteArray bytes = toBytes(value, slot.text);
        // Counted as the server counts: characters in UTF8, bytes otherwise.
        if (bytes.size() > static_cast<qsizetype>(length)) {
            const unsigned perCharacter = encoding::bytesPerCharacter(charset);
            truncationError(static_cast<int>(length / perCharacter),
                            perCharacter > 1 ? charsOf(bytes) : static_cast<int>(bytes.size()));
        }
        if (type == SQL_VARYING) {
            store<short>(p, static_cast<short>(bytes.size()));
            std::memcpy(p + 2, bytes.constData(), static_cast<size_t>(bytes.size()));
        } else {
            std::memset(p, charset == encoding::Octets ? 0 : ' ', length);
            std::memcpy(p, bytes.constData(), static_cast<size_t>(bytes.size()));
        }
        break;
    }
    case SQL_SHORT:
        store<short>(p, narrowed<short>(toScaled(value, scale)));
        break;
    case SQL_LONG:
        store<ISC_LONG>(p, narrowed<ISC_LONG>(toScaled(value, scale)));
        break;
    case SQL_INT64:
        store<ISC_INT64>(p, toScaled(value, scale));
        break;
    case SQL_FLOAT:
        store<float>(p, static_cast<float>(toDouble(value)));
        break;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        store<double>(p, toDouble(value));
        break;
    case SQL_BOOLEAN:
        *p = value.toBool() ? 1 : 0;
        break;
    case SQL_TYPE_DATE: {
        const QDate d = value.toDate();
        if (!d.isValid())
            conversionError(value);
        store<ISC_DATE>(p, util->encodeDate(static_cast<unsigned>(d.year()),
                                            static_cast<unsigned>(d.month()),
                                            static_cast<unsigned>(d.day())));
        break;
    }
    case SQL_TYPE_TIME: {
        const QTime t = value.toTime();
        if (!t.isValid())
            conversionError(value);
        store<ISC_TIME>(p, util->encodeTime(static_cast<unsigned>(t.hour()),
                                            static_cast<unsigned>(t.minute()),
                                            static_cast<unsigned>(t.second()),
                                            static_cast<unsigned>(t.msec() * 10)));
        break;
    }
    case SQL_TIMESTAMP: {
        const QDateTime dt =
            value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
        if (!dt.isValid())
            conversionError(value);
        ISC_TIMESTAMP ts;
        const QDate d = dt.date();
        const QTime t = dt.time();
        ts.timestamp_date =
            util->encodeDate(static_cast<unsigned>(d.year()), static_cast<unsigned>(d.month()),
                             static_cast<unsigned>(d.day()));
        ts.timestamp_time = util->encodeTime(
            static_cast<unsigned>(t.hour()), static_cast<unsigned>(t.minute()),
            static_cast<unsigned>(t.second()), static_cast<unsigned>(t.msec() * 10));
        store<ISC_TIMESTAMP>(p, ts);
        break;
    }
    case SQL_BLOB:
        store<ISC_QUAD>(p, writeBlob(toBytes(value, slot.text), attachment, transaction));
        break;
    default:
        throw DatabaseError(
            QStringLiteral("Tipo di dato non gestito\nUnsupported parameter type %1").arg(type));
    }
}

QVariant read(const Slot& slot, const unsigned char* buffer, IAttachment* attachment,
              ITransaction* transaction) {
    if (isNull(slot, buffer))
        return {};
    const unsigned type = slot.type, length = slot.length, charset = slot.charset;
    const int scale = slot.scale, subType = slot.subType;
    const unsigned char* p = buffer + slot.offset;
    IUtil* util = engine::util();
    auto scaled = [scale](qint64 v) -> QVariant {
        if (scale == 0)
            return v;
        return static_cast<double>(v) / power10(-scale);
    };
    switch (type) {
    case SQL_VARYING: {
        const auto size = load<unsigned short>(p);
        const char* data = reinterpret_cast<const char*>(p + 2);
        if (charset == encoding::Octets)
            return QByteArray(data, size);
        return encoding::decode(QByteArrayView(data, size), slot.text);
    }
    case SQL_TEXT: {
        const char* data = reinterpret_cast<const char*>(p);
        if (charset == encoding::Octets)
            return QByteArray(data, static_cast<qsizetype>(length));
        qsizetype size = length;
        while (size > 0 && data[size - 1] == ' ')
            --size;
        return encoding::decode(QByteArrayView(data, size), slot.text);
    }
    case SQL_SHORT: {
        const auto v = load<short>(p);
        return scale == 0 ? QVariant(static_cast<int>(v)) : scaled(v);
    }
    case SQL_LONG: {
        const auto v = load<ISC_LONG>(p);
        return scale == 0 ? QVariant(static_cast<int>(v)) : scaled(v);
    }
    case SQL_INT64:
        return scaled(load<ISC_INT64>(p));
    case SQL_FLOAT:
        return static_cast<double>(load<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return load<double>(p);
    case SQL_BOOLEAN:
        return *p != 0;
    case SQL_TYPE_DATE: {
        unsigned y, m, d;
        util->decodeDate(load<ISC_DATE>(p), &y, &m, &d);
        return QDate(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
    }
    case SQL_TYPE_TIME: {
        unsigned h, mi, s, f;
        util->decodeTime(load<ISC_TIME>(p), &h, &mi, &s, &f);
        return QTime(static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s),
                     static_cast<int>(f / 10));
    }
    case SQL_TIMESTAMP: {
        const auto ts = load<ISC_TIMESTAMP>(p);
        unsigned y, m, d, h, mi, s, f;
        util->decodeDate(ts.timestamp_date, &y, &m, &d);
        util->decodeTime(ts.timestamp_time, &h, &mi, &s, &f);
        return QDateTime(QDate(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)),
                         QTime(static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s),
                               static_cast<int>(f / 10)));
    }
    case SQL_BLOB: {
        const QByteArray bytes = readBlob(load<ISC_QUAD>(p), attachment, transaction);
        if (subType == 1)
            return encoding::decode(bytes, slot.text);
        return bytes;
    }
    default:
        return {};
    }
}

} // namespace mavo::db::values
