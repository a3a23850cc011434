#include "common/Aggiornamento.h"
#include "db/DatabaseError.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

namespace mavo {
namespace {

class GeneraSQLAggiornamentoTest : public testing::Test {
protected:
    GeneraSQLAggiornamentoTest() {
        db_.exec("CREATE TABLE ARTICOLI (CODICE VARCHAR(10), DESCRIZIONE VARCHAR(40), "
                 "PREZZO NUMERIC(15,2))");
        query_.setDatabase(&db_.db());
    }

    test::TestDb db_;
    IbQuery query_;
};

TEST_F(GeneraSQLAggiornamentoTest, UpdateUnaRigaPerCampo) {
    query_.setSql({"SELECT * FROM ARTICOLI"});
    UpdateSql aggiornamento{{"righe", "vecchie"}, {"INSERT resta"}, {}};
    GeneraSQLAggiornamento(query_, "ARTICOLI", TipoAggiornamento::Update, aggiornamento);
    EXPECT_EQ(aggiornamento.modifySql,
              QStringList({"UPDATE \"ARTICOLI\"", "SET", "CODICE=:CODICE,",
                           "DESCRIZIONE=:DESCRIZIONE,", "PREZZO=:PREZZO"}));
    EXPECT_EQ(aggiornamento.insertSql, QStringList({"INSERT resta"}));
    EXPECT_FALSE(query_.active());
}

TEST_F(GeneraSQLAggiornamentoTest, InsertConICampiDellaQueryConParametri) {
    query_.setSql({"SELECT PREZZO, CODICE FROM ARTICOLI", "WHERE CODICE = :CODICE"});
    UpdateSql aggiornamento;
    GeneraSQLAggiornamento(query_, "ARTICOLI", TipoAggiornamento::Insert, aggiornamento);
    EXPECT_EQ(aggiornamento.insertSql,
              QStringList({"INSERT INTO \"ARTICOLI\"", "(", "PREZZO,", "CODICE", ")", "VALUES", "(",
                           ":PREZZO,", ":CODICE", ")"}));
    EXPECT_TRUE(aggiornamento.modifySql.isEmpty());
}

TEST_F(GeneraSQLAggiornamentoTest, LeIstruzioniGenerateScrivono) {
    query_.setSql({"SELECT * FROM ARTICOLI"});
    UpdateSql aggiornamento;
    GeneraSQLAggiornamento(query_, "ARTICOLI", TipoAggiornamento::Insert, aggiornamento);
    GeneraSQLAggiornamento(query_, "ARTICOLI", TipoAggiornamento::Update, aggiornamento);
    aggiornamento.modifySql << "WHERE CODICE=:OLD_CODICE";
    query_.setUpdateObject(&aggiornamento);
    query_.open();
    query_.append();
    query_.fieldByName("CODICE")->setValue("A1");
    query_.fieldByName("PREZZO")->setValue(12.5);
    query_.post();
    query_.edit();
    query_.fieldByName("DESCRIZIONE")->setValue("Vite");
    query_.post();
    query_.close();
    db_.transaction().commit();
    EXPECT_EQ(db_.scalar("SELECT DESCRIZIONE || '|' || PREZZO FROM ARTICOLI WHERE CODICE='A1'"),
              QVariant("Vite|12.50"));
}

TEST_F(GeneraSQLAggiornamentoTest, TabellaInesistenteArrivaAlChiamante) {
    query_.setSql({"SELECT * FROM MANCANTE"});
    UpdateSql aggiornamento;
    EXPECT_THROW(
        GeneraSQLAggiornamento(query_, "MANCANTE", TipoAggiornamento::Update, aggiornamento),
        db::DatabaseError);
}

} // namespace
} // namespace mavo
