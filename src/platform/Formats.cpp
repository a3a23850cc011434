// The process-wide settings, text to number, and dates and times.
#include "platform/Formats.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace mavo {

namespace {

FormatSettings& current() {
    static FormatSettings settings;
    return settings;
}

QString withoutBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    return text.mid(begin, end - begin);
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Appends the digits at `i` to `out`; returns how many there were.
int takeDigits(const QString& text, qsizetype& i, QByteArray& out) {
    int count = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++count) {
        out += char(text[i].unicode());
    }
    return count;
}

// Where day, month and year stand in a typed date, by the order of the short
// date format; a date without year leaves out the year.
struct DatePositions {
    int day;
    int month;
    int year;
};

DatePositions datePositions(bool withYear) {
    const QString format = current().shortDateFormat.toLower();
    const qsizetype day = format.indexOf(u'd');
    const qsizetype month = format.indexOf(u'm');
    const qsizetype year = format.indexOf(u'y');
    if (withYear && year >= 0 && year < month && year < day) {
        return month < day ? DatePositions{2, 1, 0} : DatePositions{1, 2, 0};
    }
    return month >= 0 && month < day ? DatePositions{1, 0, 2} : DatePositions{0, 1, 2};
}

// Delphi-style two-digit years: within 50 years before this year or after it.
int fullYear(int twoDigitYear) {
    const int centuryBase = QDate::currentDate().year() - 50;
    const int year = twoDigitYear + centuryBase / 100 * 100;
    return year < centuryBase ? year + 100 : year;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

// The tokens of the short date and long time formats: d, m, y (yy or yyyy),
// h, n, s (doubled for two digits), '/' and ':' for the separators.
QString formatDateTime(const QString& format, const QDate& date, const QTime& time) {
    const FormatSettings& settings = current();
    QString text;
    for (qsizetype i = 0; i < format.size();) {
        const QChar token = format[i].toLower();
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run].toLower() == token) {
            ++run;
        }
        const auto number = [run](int value) {
            return run >= 2 ? twoDigits(value) : QString::number(value);
        };
        switch (token.unicode()) {
        case u'd':
            text += number(date.day());
            break;
        case u'm':
            text += number(date.month());
            break;
        case u'y':
            text += run <= 2 ? twoDigits(date.year() % 100)
                             : QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
            break;
        case u'h':
            text += number(time.hour());
            break;
        case u'n':
            text += number(time.minute());
            break;
        case u's':
            text += number(time.second());
            break;
        case u'/':
            text += QString(run, settings.dateSeparator);
            break;
        case u':':
            text += QString(run, settings.timeSeparator);
            break;
        default:
            text += format.mid(i, run);
        }
        i += run;
    }
    return text;
}

} // namespace

const FormatSettings& formatSettings() {
    return current();
}

void setFormatSettings(const FormatSettings& settings) {
    current() = settings;
}

std::optional<double> textToFloat(const QString& text) {
    const QString number = withoutBlanks(text);
    QByteArray plain; // the same number as the C locale writes it
    qsizetype i = 0;
    if (i < number.size() && (number[i] == u'+' || number[i] == u'-')) {
        plain += char(number[i++].unicode());
    }
    int mantissaDigits = takeDigits(number, i, plain);
    if (i < number.size() && number[i] == current().decimalSeparator) {
        plain += '.';
        ++i;
        mantissaDigits += takeDigits(number, i, plain);
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < number.size() && (number[i] == u'e' || number[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < number.size() && (number[i] == u'+' || number[i] == u'-')) {
            plain += char(number[i++].unicode());
        }
        if (takeDigits(number, i, plain) == 0) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (i != number.size() || !ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> textToFloatIgnoringThousands(const QString& text) {
    return textToFloat(QString(text).remove(current().thousandSeparator));
}

std::optional<QDate> textToDate(const QString& text) {
    const QStringList parts = withoutBlanks(text).split(current().dateSeparator);
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    int numbers[3] = {0, 0, 0};
    qsizetype lengths[3] = {0, 0, 0};
    for (qsizetype k = 0; k < parts.size(); ++k) {
        const QString part = withoutBlanks(parts[k]);
        if (part.isEmpty() || part.size() > 4 || !std::all_of(part.begin(), part.end(), isDigit)) {
            return std::nullopt;
        }
        numbers[k] = part.toInt();
        lengths[k] = part.size();
    }
    const bool withYear = parts.size() == 3;
    const DatePositions at = datePositions(withYear);
    int year = QDate::currentDate().year();
    if (withYear) {
        year = lengths[at.year] <= 2 ? fullYear(numbers[at.year]) : numbers[at.year];
    }
    const QDate date(year, numbers[at.month], numbers[at.day]);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

QString dateToText(const QDate& date) {
    return formatDateTime(current().shortDateFormat, date, QTime());
}

QString timeToText(const QTime& time) {
    return formatDateTime(current().longTimeFormat, QDate(), time);
}

QString dateTimeToText(const QDateTime& dateTime) {
    const QString date = dateToText(dateTime.date());
    const QTime time = dateTime.time();
    return time == QTime(0, 0) ? date : date + u' ' + timeToText(time);
}

} // namespace mavo
