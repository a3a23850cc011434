#include "platform/Cp1252.h"

#include "support/QtPrinters.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

struct CharCase {
    const char* name;
    char16_t character;
    unsigned char byte;
};
void PrintTo(const CharCase& c, std::ostream* os) {
    *os << c.name;
}

const CharCase kCharCases[] = {
    {"euro", u'€', 0x80},           {"acute_accent", u'´', 0xB4}, {"e_grave", u'è', 0xE8},
    {"a_grave", u'à', 0xE0},        {"y_diaeresis", u'Ÿ', 0x9F},  {"left_quote", u'‘', 0x91},
    {"undefined_0x81", 0x81, 0x81}, {"ascii", u'A', 0x41},        {"nbsp", 0xA0, 0xA0},
};

class Cp1252Char : public testing::TestWithParam<CharCase> {};

TEST_P(Cp1252Char, DecodesAndEncodes) {
    const CharCase& c = GetParam();
    const QByteArray byte(1, char(c.byte));
    EXPECT_EQ(fromCp1252(byte), QString(QChar(c.character)));
    EXPECT_EQ(toCp1252(QString(QChar(c.character))), byte);
}

INSTANTIATE_TEST_SUITE_P(Table, Cp1252Char, testing::ValuesIn(kCharCases),
                         [](const auto& info) { return std::string(info.param.name); });

QByteArray allBytes() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.append(char(b));
    }
    return bytes;
}

} // namespace

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    const QByteArray bytes = allBytes();
    const QString text = fromCp1252(bytes);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), bytes);
}

TEST(Cp1252, AgreesWithTheSystemDecoder) {
    QStringDecoder system("windows-1252");
    if (!system.isValid()) {
        GTEST_SKIP() << "this Qt has no windows-1252 decoder";
    }
    const QByteArray bytes = allBytes();
    const QString expected = system.decode(bytes);
    const QString actual = fromCp1252(bytes);
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(actual[b].unicode(), expected[b].unicode()) << "byte " << b;
    }
}

TEST(Cp1252, UnmappableCharactersBecomeOneQuestionMarkEach) {
    // U+0101 is outside the code page, U+0080 is not what 0x80 means, and the
    // emoji is one character in two UTF-16 units.
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\u0101\u0080€\U0001F600b")), QByteArray("a??\x80?b"));
}
