#include "ContestoFixture.h"

#include <QDate>

using namespace mavo;
using namespace mavo::test;

namespace {

// A context of user 1 connected to a company archive with TABX.
class TabX : public ContestoTest {
protected:
    void SetUp() override {
        ContestoTest::SetUp();
        const QString percorso = host.filePath("ditta.fdb");
        CreaSchemaArchivio(*ApriOCreaDatabaseDemo(percorso));
        crea().ConnettiDatabase0(percorso);
        ASSERT_TRUE(contesto->IBDatabase1.connected());
    }
    QVariant valore(const QString& sql) { return scalarOn(contesto->IBDatabase1, sql); }
    int righe() { return valore("SELECT COUNT(*) FROM TABX").toInt(); }
};

TEST_F(TabX, AddedParameterIsStoredWithConvertedValues) {
    TTabXForm& c = *contesto;
    EXPECT_FALSE(c.VerificaEsistenzaInTabX("528", "1", "Colonne"));
    EXPECT_TRUE(c.AggiungiParametroInTabX("528", "1", "Colonne", "1,5", "l'ultima", "25/12/2023",
                                          "memo d'esempio", "2", ""));
    EXPECT_TRUE(c.VerificaEsistenzaInTabX("528", "1", "Colonne"));
    EXPECT_EQ(valore("SELECT NUMERO FROM TABX").toDouble(), 1.5);
    EXPECT_EQ(valore("SELECT TESTO FROM TABX").toString(), QString::fromUtf8("l´ultima"));
    EXPECT_EQ(valore("SELECT DATA FROM TABX").toDate(), QDate(2023, 12, 25));
    EXPECT_EQ(valore("SELECT MEMO FROM TABX").toString(), QString::fromUtf8("memo d´esempio"));
    EXPECT_EQ(valore("SELECT LIVELLO1 FROM TABX").toInt(), 2);
    EXPECT_TRUE(valore("SELECT LIVELLO2 FROM TABX").isNull());
    EXPECT_EQ(valore("SELECT TIPO||'/'||UTENTE FROM TABX").toString(), "TBX/1");
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(TabX, AddingTwiceOrWithoutKeyWritesNothing) {
    TTabXForm& c = *contesto;
    EXPECT_TRUE(c.AggiungiParametroInTabX("528", "1", "P", "", "a", "", "", "", ""));
    EXPECT_TRUE(c.AggiungiParametroInTabX("528", "1", "P", "", "b", "", "", "", ""));
    EXPECT_FALSE(c.AggiungiParametroInTabX("", "1", "Q", "", "c", "", "", "", ""));
    EXPECT_FALSE(c.AggiungiParametroInTabX("528", "1", "", "", "c", "", "", "", ""));
    EXPECT_EQ(righe(), 1);
    EXPECT_EQ(valore("SELECT TESTO FROM TABX").toString(), "a");
    c.SetUserPerNum(2); // the key includes the user
    EXPECT_FALSE(c.VerificaEsistenzaInTabX("528", "1", "P"));
}

TEST_F(TabX, FailedInsertIsReported) {
    EXPECT_FALSE(
        contesto->AggiungiParametroInTabX("528", "1", "Numero", "abc", "", "", "", "", ""));
    EXPECT_EQ(
        port.messages(),
        QList<Message>({{Kind::Errore,
                         "Errore interno di INSERT: impossibile aggiungere il parametro Numero"}}));
    EXPECT_EQ(righe(), 0);
}

TEST_F(TabX, WritingReplacesAllFourValues) {
    TTabXForm& c = *contesto;
    EXPECT_FALSE(c.ScriviParametroInTabX("528", "1", "P", "1", "t", "", ""));
    c.AggiungiParametroInTabX("528", "1", "P", "3", "vecchio", "01/01/2020", "m", "", "");
    EXPECT_TRUE(c.ScriviParametroInTabX("528", "1", "P", "", "nuovo", "", "d'altro"));
    EXPECT_TRUE(valore("SELECT NUMERO FROM TABX").isNull());
    EXPECT_TRUE(valore("SELECT DATA FROM TABX").isNull());
    EXPECT_EQ(valore("SELECT TESTO FROM TABX").toString(), "nuovo");
    EXPECT_EQ(valore("SELECT MEMO FROM TABX").toString(), QString::fromUtf8("d´altro"));
    EXPECT_FALSE(c.ScriviParametroInTabX("528", "1", "P", "", "", "31/31/2020", ""));
    EXPECT_EQ(port.messages(),
              QList<Message>({{Kind::Errore,
                               "Errore interno di UPDATE: impossibile settare il parametro P"}}));
}

TEST_F(TabX, StoredParametersReachTheParameterTable) {
    TTabXForm& c = *contesto;
    c.AggiungiParametroInTabX("528", "1", "Nuovo", "7", "testo", "02/03/2024", "", "1", "2");
    c.AggiungiParametroInTabX("528", "2", "Vuoto", "", "", "", "", "", "");
    c.SetUserPerNum(2);
    c.AggiungiParametroInTabX("528", "1", "AltroUtente", "", "x", "", "", "", "");
    c.SetUserPerNum(1);
    c.Inserisci("TBX", "Vuoto", "9", "pieno", "", "memo", "", "", "1");
    c.AggiornaParametriTabX();
    EXPECT_EQ(c.MemTabX.recordCount(), 2);
    EXPECT_EQ(c.GetV("Nuovo"), "testo");
    EXPECT_EQ(c.MemTabX.fieldByName("Numero")->asInteger(), 7);
    EXPECT_EQ(c.MemTabX.fieldByName("Data")->asDate(), QDate(2024, 3, 2));
    EXPECT_EQ(c.MemTabX.fieldByName("Livello2")->asInteger(), 2);
    EXPECT_EQ(c.GetV("Vuoto"), ""); // a row with no values clears the parameter
    EXPECT_EQ(c.GetM("Vuoto"), "");
    EXPECT_EQ(c.GetV("AltroUtente"), "");
}

TEST_F(TabX, LoadingCopiesTextAndMemoIntoAnExistingParameter) {
    TTabXForm& c = *contesto;
    c.AggiungiParametroInTabX("528", "1", "Titolo", "", "dal database", "", "memo", "", "");
    EXPECT_FALSE(c.CaricaParametroDaTabX("528", "1", "Titolo", "", "", "", "", "", ""));
    c.Inserisci("TVD", "Titolo", "", "in memoria", "", "", "", "", "1");
    EXPECT_FALSE(c.CaricaParametroDaTabX("528", "2", "Titolo", "", "", "", "", "", ""));
    EXPECT_TRUE(c.CaricaParametroDaTabX("528", "1", "Titolo", "", "", "", "", "", ""));
    EXPECT_EQ(c.GetV("Titolo"), "dal database");
    EXPECT_EQ(c.GetM("Titolo"), "memo");
}

TEST_F(TabX, PlainStoreKeepsSharedAndPerUserValuesApart) {
    TTabXForm& c = *contesto;
    EXPECT_TRUE(c.SettaValoreTabX("Nota dell'utente", "condivisa", false));
    EXPECT_TRUE(c.SettaValoreTabX("Nota dell'utente", "l'utente 1", true));
    EXPECT_TRUE(c.SettaValoreMTabX("Lungo", QString(3000, 'm'), true));
    EXPECT_EQ(c.ValoreTabX("Nota dell'utente", true), QString::fromUtf8("l´utente 1"));
    EXPECT_EQ(c.ValoreMTabX("Lungo", true), QString(3000, 'm'));
    c.SetUserPerNum(2);
    EXPECT_EQ(c.ValoreTabX("Nota dell'utente", true), "");
    EXPECT_EQ(valore("SELECT COUNT(*) FROM TABX WHERE UTENTE IS NULL").toInt(), 1);
    EXPECT_EQ(righe(), 3);
    // A shared value is every row of the name, whoever wrote it.
    EXPECT_TRUE(c.SettaValoreTabX("Nota dell'utente", "aggiornata", false));
    EXPECT_EQ(valore("SELECT COUNT(*) FROM TABX WHERE TESTO='aggiornata'").toInt(), 2);
    EXPECT_EQ(righe(), 3);
}

TEST_F(TabX, PlainStoreReportsFailureByItsResult) {
    contesto->IBDatabase1.disconnect();
    EXPECT_FALSE(contesto->SettaValoreTabX("Nota", "x", false));
    EXPECT_TRUE(port.messages().isEmpty());
}

} // namespace
