#include "dataset/DatasetModel.h"
#include "dataset/IbQuery.h"
#include "dataset/IbTable.h"
#include "support/TestDb.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace mavo;
using mavo::test::TestDb;

namespace {

class IbQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.exec({"CREATE TABLE ART(ID INTEGER NOT NULL PRIMARY KEY, CODICE VARCHAR(30), "
                "PREZZO DECIMAL(15,2))",
                "CREATE INDEX ART_CODICE ON ART(CODICE)",
                "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 2500) DO BEGIN "
                "INSERT INTO ART VALUES(:I, 'C' || LPAD(:I, 5, '0'), :I / 4.0); I = I + 1; "
                "END END"});
    }
    TestDb t;
};

TEST_F(IbQueryTest, OpensWithOneBlockAndReadsMoreOnDemand) {
    IbQuery q;
    q.setDatabase(&t.db());
    q.setSql({"SELECT ID, CODICE, PREZZO FROM ART", "ORDER BY ID"});
    q.open();
    EXPECT_EQ(q.fetchedCount(), 1000);
    EXPECT_EQ(q.recordCount(), 1000);
    EXPECT_TRUE(q.canFetchMore());
    EXPECT_EQ(q.fieldByName("CODICE")->origin(), "ART.CODICE");
    EXPECT_EQ(q.fieldByName("PREZZO")->scale(), 2);
    q.moveTo(1500);
    EXPECT_EQ(q.fetchedCount(), 2000);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 1501);
    int n = 0;
    for (q.first(); !q.eof(); q.next())
        ++n;
    EXPECT_EQ(n, 2500);
    EXPECT_FALSE(q.canFetchMore());
}

TEST_F(IbQueryTest, ParametersAndUnidirectionalReading) {
    IbQuery q;
    q.setDatabase(&t.db());
    q.setUnidirectional(true);
    q.setSql({"SELECT ID FROM ART WHERE ID<=:MASSIMO ORDER BY ID"});
    q.setParam("MASSIMO", 1200);
    q.open();
    int n = 0;
    for (; !q.eof(); q.next()) {
        ++n;
        EXPECT_LE(q.recordCount(), 1);
    }
    EXPECT_EQ(n, 1200);
}

TEST_F(IbQueryTest, UpdateObjectWritesPostedRecords) {
    IbQuery q;
    q.setDatabase(&t.db());
    q.setSql({"SELECT ID, CODICE FROM ART WHERE ID=1"});
    UpdateSql u;
    u.modifySql = QStringList{"UPDATE ART SET CODICE=:CODICE WHERE ID=:OLD_ID"};
    u.insertSql = QStringList{"INSERT INTO ART(ID, CODICE) VALUES(:ID, :CODICE)"};
    q.setUpdateObject(&u);
    q.open();
    q.edit();
    q.fieldByName("CODICE")->setValue("L'UNO");
    q.post();
    q.append();
    q.fieldByName("ID")->setValue(9999);
    q.fieldByName("CODICE")->setValue("NUOVO");
    q.post();
    q.close();
    t.transaction().commit();
    EXPECT_EQ(t.scalar("SELECT CODICE FROM ART WHERE ID=1").toString(), "L'UNO");
    EXPECT_EQ(t.scalar("SELECT CODICE FROM ART WHERE ID=9999").toString(), "NUOVO");
}

TEST_F(IbQueryTest, TableKnowsItsIndexesAndOrder) {
    IbTable tab;
    tab.setDatabase(&t.db());
    tab.setTableName("ART");
    const auto defs = tab.indexDefs();
    ASSERT_EQ(defs.size(), 2);
    EXPECT_TRUE(defs[0].primary);
    EXPECT_EQ(defs[0].fields, QStringList{"ID"});
    EXPECT_EQ(defs[1].name, "ART_CODICE");
    tab.setIndexFieldNames("PREZZO;ID");
    tab.open();
    EXPECT_EQ(tab.className(), "TIBTable");
    EXPECT_EQ(tab.fieldByName("ID")->asInteger(), 1);
    tab.last();
    EXPECT_EQ(tab.fieldByName("ID")->asInteger(), 2500);
}

TEST_F(IbQueryTest, ModelPassesTheTesterAndFetchesInBlocks) {
    IbQuery q;
    q.setDatabase(&t.db());
    q.setSql({"SELECT ID, CODICE, PREZZO FROM ART ORDER BY ID"});
    DatasetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setDataset(&q);
    q.open();
    EXPECT_EQ(model.rowCount(), 1000);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "CODICE");
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), "0,50");
    ASSERT_TRUE(model.canFetchMore({}));
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 2000);
    EXPECT_EQ(inserted.count(), 1);
    q.fieldByName("PREZZO")->setIndex(0);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "PREZZO");
    q.fieldByName("PREZZO")->setDisplayLabel("Prezzo netto");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Prezzo netto");
    q.close();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
