#include "dataset/MemoryDataset.h"

#include <gtest/gtest.h>

using namespace mavo;

namespace {

class MemoryDatasetTest : public ::testing::Test {
protected:
    void SetUp() override {
        m.addFieldDef("Codice", FieldType::AutoInc);
        m.addFieldDef("Nome", FieldType::String, 128);
        m.addFieldDef("Numero", FieldType::LargeInt);
        m.addFieldDef("Data", FieldType::Date);
        m.addFieldDef("Livello", FieldType::SmallInt);
        m.open();
    }
    void add(const QString& nome, const QVariant& numero = {}) {
        m.append();
        m.fieldByName("Nome")->setValue(nome);
        m.fieldByName("Numero")->setValue(numero);
        m.post();
    }
    QStringList names() {
        QStringList out;
        for (m.first(); !m.eof(); m.next())
            out << m.fieldByName("Nome")->asString();
        return out;
    }
    MemoryDataset m;
};

TEST_F(MemoryDatasetTest, StringFieldKeepsItsWidthAndAutoIncCounts) {
    add(QString(130, 'x'));
    add("b");
    m.first();
    EXPECT_EQ(m.fieldByName("Nome")->asString().size(), 128);
    EXPECT_EQ(m.fieldByName("Codice")->asInteger(), 1);
    m.next();
    EXPECT_EQ(m.fieldByName("Codice")->asInteger(), 2);
    m.next();
    EXPECT_TRUE(m.eof());
    EXPECT_EQ(m.recordCount(), 2);
}

TEST_F(MemoryDatasetTest, EmptyTextLeavesNumbersAndDatesNull) {
    m.append();
    m.fieldByName("Numero")->setValue(QString());
    m.fieldByName("Data")->setValue(QString("25/12/2023"));
    m.fieldByName("Livello")->setValue(QString(""));
    m.post();
    EXPECT_TRUE(m.fieldByName("Numero")->isNull());
    EXPECT_TRUE(m.fieldByName("Livello")->isNull());
    EXPECT_EQ(m.fieldByName("Data")->asDate(), QDate(2023, 12, 25));
}

TEST_F(MemoryDatasetTest, CaseInsensitiveDescendingSort) {
    for (const char* n : {"beta", "Alfa", "gamma", "ALFA2", "Beta1"})
        add(n);
    m.sortOnFields("Nome", MemoryDataset::SortCaseInsensitive | MemoryDataset::SortDescending);
    EXPECT_EQ(names(), (QStringList{"gamma", "Beta1", "beta", "ALFA2", "Alfa"}));
    m.sortOnFields("Nome");
    EXPECT_EQ(names(), (QStringList{"ALFA2", "Alfa", "Beta1", "beta", "gamma"}));
}

TEST_F(MemoryDatasetTest, FilterHidesRecordsUntilSwitchedOff) {
    for (int i = 1; i <= 6; ++i)
        add(QString("r%1").arg(i), i);
    m.setFilter([](Dataset& d) { return d.fieldByName("Numero")->asInteger() % 2 == 0; });
    m.setFiltered(true);
    EXPECT_EQ(names(), (QStringList{"r2", "r4", "r6"}));
    add("r8", 8);
    add("r9", 9);
    EXPECT_EQ(m.recordCount(), 4);
    m.setFiltered(false);
    EXPECT_EQ(m.recordCount(), 8);
}

TEST_F(MemoryDatasetTest, LocateBookmarksAndEdit) {
    for (const char* n : {"uno", "Due", "tre"})
        add(n);
    EXPECT_FALSE(m.locate({"Nome"}, {"due"}));
    ASSERT_TRUE(m.locate({"Nome"}, {"due"}, Dataset::CaseInsensitive));
    const auto mark = m.bookmark();
    m.edit();
    m.fieldByName("Nome")->setValue("DUE!");
    m.post();
    m.first();
    ASSERT_TRUE(m.gotoBookmark(mark));
    EXPECT_EQ(m.fieldByName("Nome")->asString(), "DUE!");
    ASSERT_TRUE(m.locate({"Nome"}, {"t"}, Dataset::PartialKey));
    EXPECT_EQ(m.fieldByName("Codice")->asInteger(), 3);
    m.deleteRecord();
    EXPECT_EQ(names(), (QStringList{"uno", "DUE!"}));
}

TEST_F(MemoryDatasetTest, NavigationFlagsFollowTheUsualRules) {
    m.first();
    EXPECT_TRUE(m.eof());
    EXPECT_TRUE(m.bof());
    add("a");
    add("b");
    m.first();
    EXPECT_TRUE(m.bof());
    EXPECT_FALSE(m.eof());
    m.next();
    m.next();
    EXPECT_TRUE(m.eof());
    EXPECT_EQ(m.fieldByName("Nome")->asString(), "b");
    m.prior();
    m.prior();
    EXPECT_TRUE(m.bof());
    EXPECT_EQ(m.fieldByName("Nome")->asString(), "a");
}

TEST_F(MemoryDatasetTest, FieldOrderCanChange) {
    m.fieldByName("Data")->setIndex(0);
    EXPECT_EQ(m.fieldNames(), (QStringList{"Data", "Codice", "Nome", "Numero", "Livello"}));
    EXPECT_EQ(m.fieldByName("Nome")->index(), 2);
}

TEST(DatasetHandlers, ChainedHandlersRunInOrderAndCanBeGivenBack) {
    MemoryDataset m;
    m.addFieldDef("A", FieldType::Integer);
    QStringList calls;
    m.setBeforeOpen([&](Dataset&) { calls << "host-before"; });
    const Dataset::Handler kept = m.beforeOpen();
    m.setBeforeOpen([&, kept](Dataset& d) {
        kept(d);
        calls << "grid-before";
    });
    m.setAfterOpen([&](Dataset& d) { calls << QString("after:%1").arg(d.active()); });
    m.setBeforeClose([&](Dataset& d) { calls << QString("close:%1").arg(d.active()); });
    m.open();
    m.close();
    m.setBeforeOpen(kept);
    m.open();
    EXPECT_EQ(calls, (QStringList{"host-before", "grid-before", "after:1", "close:1",
                                  "host-before", "after:1"}));
}

} // namespace
