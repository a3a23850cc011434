#include "context/TabXForm.h"
#include "platform/ScriptedInterazione.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

// Parameters need no user store: mode 3 builds a context without databases.
struct Parametri : ::testing::Test {
    ScriptedInterazione port;
    TTabXForm contesto{port, TTabXForm::ModoNessuno};

    void inserisci(const QString& tipo, const QString& nome, const QString& testo,
                   const QString& utente) {
        contesto.Inserisci(tipo, nome, "", testo, "", "", "", "", utente);
    }
    QVariant campo(const char* nome) { return contesto.MemTabX.fieldByName(nome)->value(); }
};

TEST_F(Parametri, InserisciTwiceWithSameKeyKeepsOneRowWithTheNewValues) {
    contesto.Inserisci("TVD", "Archivio", "5", "C:\\A.fdb", "01/02/2023", "m", "1", "2", "1");
    contesto.Inserisci("TVD", "Archivio", "", "C:\\B.fdb", "", "", "", "", "1");
    EXPECT_EQ(contesto.MemTabX.recordCount(), 1);
    EXPECT_EQ(contesto.GetV("Archivio"), "C:\\B.fdb");
    for (const char* svuotato : {"Numero", "Data", "Memo", "Livello1", "Livello2"})
        EXPECT_TRUE(campo(svuotato).isNull()) << svuotato;
    EXPECT_EQ(campo("Codice").toInt(), 1);
}

TEST_F(Parametri, AnotherUserOrTypeAddsARowAndGetVReturnsTheFirst) {
    inserisci("TVD", "Archivio", "primo", "1");
    inserisci("TVD", "Archivio", "secondo", "2");
    inserisci("TBX", "Archivio", "terzo", "1");
    EXPECT_EQ(contesto.MemTabX.recordCount(), 3);
    EXPECT_EQ(contesto.GetV("Archivio"), "primo");
    contesto.MemTabX.last();
    EXPECT_EQ(campo("Codice").toInt(), 3);
}

TEST_F(Parametri, LookupsMatchTheWholeNameWithCase) {
    inserisci("TVD", "Archivio", "C:\\A.fdb", "1");
    EXPECT_EQ(contesto.GetV("archivio"), "");
    EXPECT_EQ(contesto.GetV("Archivi"), "");
    EXPECT_FALSE(contesto.SetV("ARCHIVIO", "x"));
    EXPECT_FALSE(contesto.SetM("Nessuno", "x"));
    EXPECT_EQ(contesto.MemTabX.recordCount(), 1);
    EXPECT_EQ(contesto.GetV("Archivio"), "C:\\A.fdb");
}

// How the texts given to Inserisci land in the fields.
struct Conversione {
    std::string nome;
    const char* campo;
    QString testo;
    QVariant atteso;
};
void PrintTo(const Conversione& c, std::ostream* os) {
    *os << c.nome;
}

class ConversioniInserisci : public Parametri, public ::testing::WithParamInterface<Conversione> {};

TEST_P(ConversioniInserisci, TextBecomesTheFieldValue) {
    const Conversione& c = GetParam();
    QStringList valori(9);
    const QStringList ordine = {"Tipo", "Nome",     "Numero",   "Testo", "Data",
                                "Memo", "Livello1", "Livello2", "Utente"};
    valori[0] = "TVD";
    valori[1] = "P";
    valori[ordine.indexOf(c.campo)] = c.testo;
    contesto.Inserisci(valori[0], valori[1], valori[2], valori[3], valori[4], valori[5], valori[6],
                       valori[7], valori[8]);
    EXPECT_EQ(campo(c.campo), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(
    Parametri, ConversioniInserisci,
    ::testing::Values(
        Conversione{"Testo130CutTo128", "Testo", QString(130, 'x'), QString(128, 'x')},
        Conversione{"Testo128Kept", "Testo", QString(128, 'y'), QString(128, 'y')},
        Conversione{"NomeCutTo64", "Nome", QString(70, 'n'), QString(64, 'n')},
        Conversione{"TipoCutTo10", "Tipo", "TROPPOLUNGO", "TROPPOLUNG"},
        Conversione{"MemoUnbounded", "Memo", QString(5000, 'm'), QString(5000, 'm')},
        Conversione{"Numero64Bit", "Numero", "5000000000", QVariant(qint64(5000000000))},
        Conversione{"EmptyNumeroIsNull", "Numero", "", QVariant()},
        Conversione{"DataInProcessFormat", "Data", "25/12/2023", QDate(2023, 12, 25)},
        Conversione{"EmptyDataIsNull", "Data", "", QVariant()},
        Conversione{"Livello1SmallInt", "Livello1", "7", 7},
        Conversione{"EmptyUtenteIsNull", "Utente", "", QVariant()}),
    [](const auto& info) { return info.param.nome; });

} // namespace
