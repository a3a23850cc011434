#pragma once

#include "platform/ScriptedInterazione.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "support/TestDb.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mavo::test {

// Five sales with a column of each kind and nulls here and there, and the
// query tool's answer over them (every field, in code order).
class Vendite : public testing::Test {
protected:
    void SetUp() override {
        archivio.exec(
            {"CREATE TABLE VENDITE (COD INTEGER NOT NULL PRIMARY KEY, CITTA VARCHAR(40), "
             "IMPORTO NUMERIC(15,2), QTA SMALLINT, COSTO DOUBLE PRECISION, DATA DATE, "
             "NOTE BLOB SUB_TYPE 1, CONTO BIGINT, ORA TIME, GIORNO TIMESTAMP)",
             "INSERT INTO VENDITE VALUES (1, 'ROMA', 10.5, 3, 4.25, '2024-03-01', 'a', 7, "
             "'08:30:00', '2024-03-01 10:00:00')",
             "INSERT INTO VENDITE VALUES (2, 'MILANO', NULL, 2, 1, '2024-01-15', NULL, NULL, "
             "NULL, NULL)",
             "INSERT INTO VENDITE VALUES (3, 'ROMA', 7, NULL, 2.5, '2023-12-31', NULL, 2, NULL, "
             "NULL)",
             "INSERT INTO VENDITE VALUES (4, NULL, 1, 1, NULL, NULL, NULL, 1, NULL, NULL)",
             "INSERT INTO VENDITE VALUES (5, 'Una citta dal nome molto lungo', 2, 5, 3, "
             "'2024-02-10', NULL, 3, NULL, NULL)"});
    }

    void apri() {
        ASSERT_TRUE(motore.EseguiInterrogazione(motore.DefinizioneIniziale(), risposta, {}, false));
    }

    TestDb archivio;
    QTemporaryDir lavoro;
    ScriptedInterazione port;
    TIBFQuerForm motore{
        port, archivio.db(), {.TabellaPrincipale = "VENDITE", .DirectoryLavoro = lavoro.path()}};
    Risposta risposta{archivio.db()};
};

} // namespace mavo::test
