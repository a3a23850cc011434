#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

namespace mavo {

// The separators and formats every conversion between numbers or dates and
// text uses. Process-wide; a default-constructed value holds the library's own
// settings, which are also in force before anyone sets them.
struct FormatSettings {
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u'.';
    QChar dateSeparator = u'/';
    QString shortDateFormat = QStringLiteral("dd/MM/yyyy");
    QChar timeSeparator = u':';
    QString longTimeFormat = QStringLiteral("hh:nn:ss");
};

const FormatSettings& formatSettings();
void setFormatSettings(const FormatSettings& settings = FormatSettings());

// Numbers are rounded half away from zero on their 15 significant digits (the
// precision of a double), so 2.5 shows as 3 and 1.005 with two decimals as 1,01.
// Zero is never written with a minus sign.

// A picture of '0' (digit always shown), '#' (digit when significant), '.'
// (decimal separator) and ',' (thousands separators wanted), with optional
// literal text before and after, and up to three sections
// "positive;negative;zero". "###,###,##0": 1234 -> "1.234", 0 -> "0";
// ",#": 0 -> ""; "#,##0.00": 1234.5 -> "1.234,50". An empty picture gives
// floatToText().
QString formatFloat(const QString& picture, double value);

// Thousands separators and exactly `decimals` decimals ("%.2n"): 1234.5 ->
// "1.234,50".
QString formatNumber(double value, int decimals);

// Up to 15 significant digits, no thousands separators: 1234.5 -> "1234,5".
QString floatToText(double value);

// Text to number as a typed number is read: blanks around it, a sign, digits,
// the decimal separator, an exponent ("1,5E3"). Anything else, a thousands
// separator included, makes the text invalid.
std::optional<double> textToFloat(const QString& text);

// The same after dropping every thousands separator, so "1.234,50" -> 1234.5
// (and "12.50" -> 1250: the separator is never read as a decimal point).
std::optional<double> textToFloatIgnoringThousands(const QString& text);

// A date typed in the order of the short date format with the date separator:
// "25/12/2023", "5/3/24" (two-digit years fall within 50 years before this
// year and 49 after) or "5/3" (this year).
std::optional<QDate> textToDate(const QString& text);

// Short date format ("25/12/2023"), long time format ("08:05:09"); a date and
// time gives the date followed by the time unless the time is midnight.
QString dateToText(const QDate& date);
QString timeToText(const QTime& time);
QString dateTimeToText(const QDateTime& dateTime);

} // namespace mavo
