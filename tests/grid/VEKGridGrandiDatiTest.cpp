#include "dataset/IbQuery.h"
#include "grid/VEKGrid.h"
#include "host/demo/DemoEnvironment.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

TEST(GrandiDati, AMillionRowsOpenWithOneBlockAndScrollByBlocks) {
    test::TestDb archivio;
    CreaSchemaArchivio(archivio.db());
    archivio.exec({"CREATE TABLE GRANDE(ID INTEGER NOT NULL PRIMARY KEY, "
                   "DESCRIZIONE VARCHAR(40), PREZZO DECIMAL(15,2))",
                   "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 1000000) DO "
                   "BEGIN INSERT INTO GRANDE VALUES(:I, 'Articolo ' || :I, :I / 100.0); "
                   "I = I + 1; END END"});
    IbQuery query;
    query.setDatabase(&archivio.db());
    query.setSql({"SELECT * FROM \"GRANDE\""});
    TVEKGrid griglia;
    griglia.setDataset(&query);
    griglia.Loaded();
    griglia.SetSorgenteDati(&query);
    griglia.resize(800, 600);

    query.open();
    griglia.show();
    QApplication::processEvents();
    EXPECT_EQ(query.fetchedCount(), 1000);
    EXPECT_EQ(griglia.model()->rowCount(), 1000);

    griglia.verticalScrollBar()->setValue(griglia.verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_EQ(query.fetchedCount(), 2000);
    EXPECT_EQ(griglia.model()->rowCount(), 2000);
}

} // namespace
