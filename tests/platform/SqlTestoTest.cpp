#include "platform/SqlTesto.h"

#include <gtest/gtest.h>

using namespace mavo;

TEST(SqlTesto, ValuesAndNamesCannotEndWhatEnclosesThem) {
    EXPECT_EQ(sql::letterale("L'A"), "'L''A'");
    EXPECT_EQ(sql::letterale("''"), "''''''");
    EXPECT_EQ(sql::letterale(""), "''");
    EXPECT_EQ(sql::letteraleONull(""), "NULL");
    EXPECT_EQ(sql::letteraleONull("x'"), "'x'''");
    EXPECT_EQ(sql::apiciRaddoppiati("a'b'c"), "a''b''c");
    EXPECT_EQ(sql::identificatore("T"), "\"T\"");
    EXPECT_EQ(sql::identificatore("A\"B"), "\"A\"\"B\"");
}

TEST(SqlTesto, StoredTextsAndDatesAsTheArchivesHoldThem) {
    EXPECT_EQ(sql::conAcuto("L'A''"), QString::fromUtf8("L´A´´"));
    EXPECT_EQ(sql::data(QDate(2023, 12, 25)), "12/25/2023");
    EXPECT_EQ(sql::data(QDate(2024, 3, 5)), "03/05/2024");
}
