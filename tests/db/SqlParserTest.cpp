#include "db/SqlParser.h"

#include <gtest/gtest.h>

using mavo::db::parseSql;
using mavo::db::suffixParams;

namespace {

struct ParseCase {
    const char* name;
    const char* sql;
    bool paramCheck;
    const char* engineSql;
    QStringList names;
    QVector<QVector<int>> slots;
};
void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class SqlParserTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SqlParserTest, ReplacesParametersOutsideQuotesAndComments) {
    const ParseCase& c = GetParam();
    const auto parsed = parseSql(QString::fromUtf8(c.sql), c.paramCheck);
    EXPECT_EQ(parsed.text, QString::fromUtf8(c.engineSql));
    EXPECT_EQ(parsed.names, c.names);
    EXPECT_EQ(parsed.slots, c.slots);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlParserTest,
    ::testing::Values(
        ParseCase{"SameNameThreeTimes", "PERCRICVEN=(9999999-:PREZZO)*100/:PREZZO WHERE ID=:ID",
                  true, "PERCRICVEN=(9999999-?)*100/? WHERE ID=?", {"PREZZO", "ID"},
                  {{0, 1}, {2}}},
        ParseCase{"NamesAreCaseInsensitive", "A=:codice OR B=:CODICE", true, "A=? OR B=?",
                  {"CODICE"}, {{0, 1}}},
        ParseCase{"LiteralIsNotAParameter", "SELECT ':X', :Y FROM T", true,
                  "SELECT ':X', ? FROM T", {"Y"}, {{0}}},
        ParseCase{"DoubledApostropheStaysInLiteral", "SELECT 'l''uno :X' FROM T WHERE A=:A",
                  true, "SELECT 'l''uno :X' FROM T WHERE A=?", {"A"}, {{0}}},
        ParseCase{"QuotedIdentifier", "SELECT \"A:B\" FROM T", true, "SELECT \"A:B\" FROM T",
                  {}, {}},
        ParseCase{"LineComment", "SELECT 1 -- :NO\nFROM T WHERE A=:SI", true,
                  "SELECT 1 -- :NO\nFROM T WHERE A=?", {"SI"}, {{0}}},
        ParseCase{"BlockComment", "SELECT /* :NO */ :SI FROM T", true,
                  "SELECT /* :NO */ ? FROM T", {"SI"}, {{0}}},
        ParseCase{"CheckOffKeepsColons", "SELECT ':X' FROM T WHERE A=:A", false,
                  "SELECT ':X' FROM T WHERE A=:A", {}, {}},
        ParseCase{"CheckOffPositional", "INSERT INTO T VALUES(?, '?', ?)", false,
                  "INSERT INTO T VALUES(?, '?', ?)", {"1", "2"}, {{0}, {1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SuffixParams, RenamesParametersAndNothingElse) {
    EXPECT_EQ(suffixParams("SELECT ':X', :y FROM T /* :Z */ WHERE A=:A -- :W\n  AND B=:A", "#"),
              "SELECT ':X', :Y# FROM T /* :Z */ WHERE A=:A# -- :W\n  AND B=:A#");
}

} // namespace
