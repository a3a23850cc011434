#include "platform/Formats.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace mavo;

namespace {

auto caseName = [](const auto& info) { return std::string(info.param.name); };

struct FloatCase {
    const char* name;
    QString picture;
    double value;
    QString expected;
};
void PrintTo(const FloatCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatFloat : public testing::TestWithParam<FloatCase> {};

TEST_P(FormatFloat, Formats) {
    EXPECT_EQ(formatFloat(GetParam().picture, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatFloat,
    testing::Values(FloatCase{"thousands", "###,###,##0", 1234, "1.234"},
                    FloatCase{"zero_shows_a_digit", "###,###,##0", 0, "0"},
                    FloatCase{"billions", "###,###,##0", 1234567890, "1.234.567.890"},
                    FloatCase{"half_rounds_up", "###,###,##0", 2.5, "3"},
                    FloatCase{"fraction_rounds", "###,###,##0", 1234.5, "1.235"},
                    FloatCase{"negative", "###,###,##0", -1234567, "-1.234.567"},
                    FloatCase{"negative_half_rounds_away", "###,###,##0", -2.5, "-3"},
                    FloatCase{"negative_rounding_to_zero", "###,###,##0", -0.4, "0"},
                    FloatCase{"comma_hash_zero_is_empty", ",#", 0, ""},
                    FloatCase{"comma_hash", ",#", 1234, "1.234"},
                    FloatCase{"two_decimals", "#,##0.00", 1234.5, "1.234,50"},
                    FloatCase{"decimal_tie_rounds_up", "0.00", 1.005, "1,01"},
                    FloatCase{"binary_tie_rounds_up", "0.00", 0.125, "0,13"},
                    FloatCase{"carry_into_integer", "0.00", 9.999, "10,00"},
                    FloatCase{"tiny_rounds_to_zero", "0.00", 0.004, "0,00"},
                    FloatCase{"tiny_rounds_up", "0.00", 0.006, "0,01"},
                    FloatCase{"optional_decimals", "0.##", 1.5, "1,5"},
                    FloatCase{"optional_decimals_unused", "0.##", 2, "2"},
                    FloatCase{"no_integer_digit", "#.##", 0.5, ",5"},
                    FloatCase{"leading_zeros", "000", 7, "007"},
                    FloatCase{"large", "#,##0", 1e15, "1.000.000.000.000.000"},
                    FloatCase{"literal_prefix", "€ #,##0.00", 5, "€ 5,00"},
                    FloatCase{"quoted_suffix", "#,##0 'pz'", 3, "3 pz"},
                    FloatCase{"negative_section", "#,##0;(#,##0)", -5, "(5)"},
                    FloatCase{"zero_section", "#,##0;-#,##0;zero", 0.001, "zero"},
                    FloatCase{"empty_picture", "", 1234.5, "1234,5"}),
    caseName);

struct NumberCase {
    const char* name;
    double value;
    int decimals;
    QString expected;
};
void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumber, Formats) {
    EXPECT_EQ(formatNumber(GetParam().value, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FormatNumber,
                         testing::Values(NumberCase{"two_decimals", 1234.5, 2, "1.234,50"},
                                         NumberCase{"no_decimals", 1234.5, 0, "1.235"},
                                         NumberCase{"negative", -1234.5, 2, "-1.234,50"},
                                         NumberCase{"zero", 0, 2, "0,00"},
                                         NumberCase{"small_no_decimals", 0.4, 0, "0"},
                                         NumberCase{"millions", 1234567.891, 2, "1.234.567,89"}),
                         caseName);

struct FloatTextCase {
    const char* name;
    double value;
    QString expected;
};
void PrintTo(const FloatTextCase& c, std::ostream* os) {
    *os << c.name;
}

class FloatToText : public testing::TestWithParam<FloatTextCase> {};

TEST_P(FloatToText, Writes) {
    EXPECT_EQ(floatToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FloatToText,
                         testing::Values(FloatTextCase{"fraction", 1234.5, "1234,5"},
                                         FloatTextCase{"binary_noise_hidden", 0.1 + 0.2, "0,3"},
                                         FloatTextCase{"negative_integer", -3, "-3"},
                                         FloatTextCase{"large", 1e20, "1E20"},
                                         FloatTextCase{"small", 1.5e-7, "1,5E-7"}),
                         caseName);

struct ParseCase {
    const char* name;
    QString text;
    std::optional<double> strict;
    std::optional<double> ignoringThousands;
};
void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class TextToFloat : public testing::TestWithParam<ParseCase> {};

TEST_P(TextToFloat, Parses) {
    EXPECT_EQ(textToFloat(GetParam().text), GetParam().strict);
    EXPECT_EQ(textToFloatIgnoringThousands(GetParam().text), GetParam().ignoringThousands);
}

const auto none = std::optional<double>();

INSTANTIATE_TEST_SUITE_P(
    Table, TextToFloat,
    testing::Values(
        ParseCase{"decimal_comma", "1234,5", 1234.5, 1234.5},
        ParseCase{"thousands", "1.234,50", none, 1234.5},
        ParseCase{"dot_is_never_decimal", "12.50", none, 1250},
        ParseCase{"millions", "1.234.567", none, 1234567},
        ParseCase{"blanks_around", " 12 ", 12, 12}, ParseCase{"negative", "-3,00", -3, -3},
        ParseCase{"zero", "0,00", 0, 0}, ParseCase{"sign_and_fraction_only", "+,5", 0.5, 0.5},
        ParseCase{"trailing_comma", "5,", 5, 5}, ParseCase{"exponent", "1,5E3", 1500, 1500},
        ParseCase{"letters", "abc", none, none}, ParseCase{"empty", "", none, none},
        ParseCase{"comma_only", ",", none, none}, ParseCase{"sign_only", "-", none, none},
        ParseCase{"two_commas", "1,2,3", none, none},
        ParseCase{"exponent_without_digits", "1E", none, none},
        ParseCase{"blank_inside", "1 234", none, none}, ParseCase{"overflow", "1E400", none, none}),
    caseName);

struct DateCase {
    const char* name;
    QString text;
    QDate expected; // invalid: rejected
};
void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.name;
}

class TextToDate : public testing::TestWithParam<DateCase> {};

TEST_P(TextToDate, Parses) {
    EXPECT_EQ(textToDate(GetParam().text).value_or(QDate()), GetParam().expected);
}

const int thisYear = QDate::currentDate().year();

QString twoDigitYear(int year) {
    return QStringLiteral("%1").arg(year % 100, 2, 10, QChar(u'0'));
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToDate,
    testing::Values(DateCase{"full", "25/12/2023", QDate(2023, 12, 25)},
                    DateCase{"one_digit_day_and_month", "5/3/2024", QDate(2024, 3, 5)},
                    DateCase{"blanks_around", " 25/12/2023 ", QDate(2023, 12, 25)},
                    DateCase{"two_digit_year_recent", "1/2/" + twoDigitYear(thisYear - 10),
                             QDate(thisYear - 10, 2, 1)},
                    DateCase{"two_digit_year_near_future", "1/2/" + twoDigitYear(thisYear + 10),
                             QDate(thisYear + 10, 2, 1)},
                    DateCase{"two_digit_year_long_ago", "1/2/" + twoDigitYear(thisYear - 49),
                             QDate(thisYear - 49, 2, 1)},
                    DateCase{"two_digit_year_beyond_the_window",
                             "1/2/" + twoDigitYear(thisYear - 51), QDate(thisYear + 49, 2, 1)},
                    DateCase{"no_year_means_this_year", "25/12", QDate(thisYear, 12, 25)},
                    DateCase{"impossible_day", "31/02/2024", QDate()},
                    DateCase{"other_separator", "25-12-2023", QDate()},
                    DateCase{"with_time", "25/12/2023 10:00", QDate()},
                    DateCase{"year_first", "2023/12/25", QDate()}, DateCase{"empty", "", QDate()}),
    caseName);

} // namespace

TEST(Formats, DatesAndTimesToText) {
    EXPECT_EQ(dateToText(QDate(2024, 3, 5)), "05/03/2024");
    EXPECT_EQ(timeToText(QTime(8, 5, 9)), "08:05:09");
    EXPECT_EQ(dateTimeToText(QDateTime(QDate(2024, 3, 5), QTime(8, 5, 9))), "05/03/2024 08:05:09");
    EXPECT_EQ(dateTimeToText(QDateTime(QDate(2024, 3, 5), QTime(0, 0))), "05/03/2024");
}

TEST(Formats, ConversionsFollowTheSettingsInForce) {
    FormatSettings english;
    english.decimalSeparator = u'.';
    english.thousandSeparator = u',';
    english.dateSeparator = u'-';
    english.shortDateFormat = QStringLiteral("yyyy/mm/dd");
    setFormatSettings(english);
    const QString number = formatFloat("#,##0.00", 1234.5);
    const auto parsed = textToFloatIgnoringThousands("1,234.5");
    const QString date = dateToText(QDate(2023, 12, 25));
    const auto typed = textToDate("2023-12-25");
    const auto monthDay = textToDate("12-25");
    setFormatSettings();

    EXPECT_EQ(number, "1,234.50");
    EXPECT_EQ(parsed, 1234.5);
    EXPECT_EQ(date, "2023-12-25");
    EXPECT_EQ(typed, QDate(2023, 12, 25));
    EXPECT_EQ(monthDay, QDate(thisYear, 12, 25));
    EXPECT_EQ(formatFloat("#,##0.00", 1234.5), "1.234,50");
}
