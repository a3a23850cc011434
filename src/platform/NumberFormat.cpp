// Number to text: the pictures of formatFloat() and the fixed formats.
#include "platform/Formats.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mavo {

namespace {

struct Picture {
    QString prefix;
    QString suffix;
    bool hasDigits = false;
    int minIntegerDigits = 0;
    bool thousands = false;
    int minDecimals = 0;
    int maxDecimals = 0;
};

// The digits of a non-negative number rounded at `decimals` places.
struct Digits {
    QString integer;  // without leading zeros, empty below 1
    QString fraction; // exactly `decimals` digits

    bool isZero() const {
        return integer.isEmpty() &&
               std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c == u'0'; });
    }
};

Digits roundedDigits(double magnitude, int decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude); // d.dddddddddddddde±xx
    QString digits = QLatin1Char(buffer[0]) + QLatin1String(buffer + 2, 14);
    int point = std::atoi(std::strchr(buffer, 'e') + 1) + 1; // digits before the point
    const int keep = point + decimals;
    if (keep < 0) {
        return {QString(), QString(decimals, u'0')};
    }
    if (keep < digits.size()) {
        const bool up = digits[keep] >= u'5';
        digits.truncate(keep);
        int i = keep - 1;
        for (; up && i >= 0 && digits[i] == u'9'; --i) {
            digits[i] = u'0';
        }
        if (up && i >= 0) {
            digits[i] = QChar(digits[i].unicode() + 1);
        } else if (up) {
            digits.prepend(u'1');
            ++point;
        }
    } else {
        digits += QString(keep - digits.size(), u'0');
    }
    Digits result;
    result.integer = point > 0 ? digits.left(point) : QString();
    result.fraction = point >= 0 ? digits.mid(point) : QString(-point, u'0') + digits;
    while (result.integer.startsWith(u'0')) {
        result.integer.remove(0, 1);
    }
    return result;
}

QString nonFinite(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NAN");
    }
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QStringList splitSections(const QString& picture) {
    QStringList sections(1);
    QChar quote;
    for (const QChar c : picture) {
        if (quote.isNull() && c == u';') {
            sections.append(QString());
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = quote.isNull() ? c : (quote == c ? QChar() : quote);
        }
        sections.back() += c;
    }
    return sections;
}

// Literal text goes before or after the number, by where it stands relative to
// the first placeholder.
Picture parsePicture(const QString& section) {
    Picture picture;
    bool inFraction = false;
    bool zeroSeen = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        const bool placeholder = c == u'#' || c == u'0';
        if (placeholder || c == u',' || c == u'.') {
            picture.hasDigits = picture.hasDigits || placeholder;
            if (c == u',') {
                picture.thousands = true;
            } else if (c == u'.') {
                inFraction = true;
            } else if (inFraction) {
                ++picture.maxDecimals;
                if (c == u'0') {
                    picture.minDecimals = picture.maxDecimals;
                }
            } else {
                zeroSeen = zeroSeen || c == u'0';
                picture.minIntegerDigits += zeroSeen ? 1 : 0;
            }
            continue;
        }
        QString& literal = picture.hasDigits ? picture.suffix : picture.prefix;
        if (c == u'"' || c == u'\'') {
            const qsizetype close = section.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? section.size() : close;
            literal += section.mid(i + 1, end - i - 1);
            i = end;
        } else {
            literal += c;
        }
    }
    return picture;
}

QString render(const Picture& picture, double magnitude, bool negative) {
    if (!picture.hasDigits) {
        return picture.prefix + picture.suffix;
    }
    const FormatSettings& settings = formatSettings();
    const Digits digits = roundedDigits(magnitude, picture.maxDecimals);
    QString integer = digits.integer;
    if (integer.size() < picture.minIntegerDigits) {
        integer.prepend(QString(picture.minIntegerDigits - integer.size(), u'0'));
    }
    if (picture.thousands) {
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3) {
            integer.insert(i, settings.thousandSeparator);
        }
    }
    QString fraction = digits.fraction;
    while (fraction.size() > picture.minDecimals && fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    QString number = integer;
    if (!fraction.isEmpty()) {
        number += settings.decimalSeparator + fraction;
    }
    const QString sign = negative && !digits.isZero() ? QStringLiteral("-") : QString();
    return sign + picture.prefix + number + picture.suffix;
}

} // namespace

QString formatFloat(const QString& picture, double value) {
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    if (picture.isEmpty()) {
        return floatToText(value);
    }
    const QStringList sections = splitSections(picture);
    const auto given = [&](qsizetype i) { return i < sections.size() && !sections[i].isEmpty(); };
    const Picture positive = parsePicture(sections[0]);
    const double magnitude = std::fabs(value);
    if (given(2) && roundedDigits(magnitude, positive.maxDecimals).isZero()) {
        return render(parsePicture(sections[2]), 0, false);
    }
    if (value < 0 && given(1)) {
        return render(parsePicture(sections[1]), magnitude, false);
    }
    return render(positive, magnitude, value < 0);
}

QString formatNumber(double value, int decimals) {
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    Picture picture;
    picture.hasDigits = true;
    picture.minIntegerDigits = 1;
    picture.thousands = true;
    picture.minDecimals = picture.maxDecimals = std::max(decimals, 0);
    return render(picture, std::fabs(value), value < 0);
}

QString floatToText(double value) {
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0) {
        text = text.left(e) + u'E' + QString::number(text.mid(e + 1).toInt());
    }
    return text.replace(u'.', formatSettings().decimalSeparator);
}

} // namespace mavo
