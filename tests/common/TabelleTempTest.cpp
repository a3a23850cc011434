#include "common/TabelleTemp.h"
#include "Casi.h"
#include "support/TabellaTenuta.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mavo {
namespace {

using test::NomeCaso;
using test::TabellaTenuta;

const QList<LocalField> kCampi = {{"CODICE", LocalField::Type::String, 10}};

class PreparaTabellaTempTest : public testing::Test {
protected:
    // A table with one row, closed.
    void creaConUnaRiga(const QString& file) {
        LocalTable tabella(dir_.path(), file);
        tabella.create(kCampi);
        tabella.insert({"X"});
        tabella.close();
    }
    bool esiste(const QString& file) const { return QDir(dir_.path()).exists(file); }

    QTemporaryDir dir_;
};

TEST_F(PreparaTabellaTempTest, NonEsiste) {
    LocalTable tabella(dir_.path(), "RISPTMP.DB");
    EXPECT_EQ(PreparaTabellaTemp(tabella), QStringLiteral("Non Esiste"));
    EXPECT_FALSE(tabella.isOpen());
    EXPECT_EQ(tabella.fileName(), QStringLiteral("RISPTMP.DB"));
}

TEST_F(PreparaTabellaTempTest, EsisteLiberaRestaApertaEVuota) {
    creaConUnaRiga("RISPTMP.DB");
    LocalTable tabella(dir_.path(), "RISPTMP.DB");
    EXPECT_EQ(PreparaTabellaTemp(tabella), QStringLiteral("Esiste Libera"));
    EXPECT_EQ(tabella.fileName(), QStringLiteral("RISPTMP.DB"));
    ASSERT_TRUE(tabella.isOpen());
    EXPECT_TRUE(tabella.rows().isEmpty());
}

TEST_F(PreparaTabellaTempTest, OccupataPassaAlNomeNumerato) {
    creaConUnaRiga("RISPTMP.DB");
    TabellaTenuta altroUtente(dir_.path(), "RISPTMP.DB");
    LocalTable tabella(dir_.path(), "RISPTMP.DB");
    EXPECT_EQ(PreparaTabellaTemp(tabella), QStringLiteral("Esiste Occupata"));
    EXPECT_EQ(tabella.fileName(), QStringLiteral("RISPT01.DB"));
    EXPECT_FALSE(esiste("RISPT01.DB")); // the caller creates it
}

TEST_F(PreparaTabellaTempTest, OccupataUsaIlNumeratoLiberoGiaEsistente) {
    creaConUnaRiga("RISPTMP.DB");
    creaConUnaRiga("RISPT01.DB");
    creaConUnaRiga("RISPT02.DB");
    TabellaTenuta primo(dir_.path(), "RISPTMP.DB");
    TabellaTenuta secondo(dir_.path(), "RISPT01.DB");
    LocalTable tabella(dir_.path(), "RISPTMP.DB");
    EXPECT_EQ(PreparaTabellaTemp(tabella), QStringLiteral("Esiste Occupata"));
    EXPECT_EQ(tabella.fileName(), QStringLiteral("RISPT02.DB"));
    ASSERT_TRUE(tabella.isOpen());
    EXPECT_TRUE(tabella.rows().isEmpty());
}

TEST_F(PreparaTabellaTempTest, EliminaSoloLaTabellaNumerata) {
    creaConUnaRiga("GRAFTMP.DB");
    creaConUnaRiga("GRAFT01.DB");
    LocalTable base(dir_.path(), "GRAFTMP.DB");
    ASSERT_TRUE(base.openExclusive());
    EXPECT_TRUE(EliminaTabellaTemp(base, "graftmp.db"));
    EXPECT_TRUE(esiste("GRAFTMP.DB"));

    LocalTable numerata(dir_.path(), "GRAFT01.DB");
    ASSERT_TRUE(numerata.openExclusive());
    EXPECT_TRUE(EliminaTabellaTemp(numerata, "GRAFTMP.DB"));
    EXPECT_FALSE(numerata.isOpen());
    EXPECT_FALSE(esiste("GRAFT01.DB"));
}

struct CasoNome {
    const char* nome;
    QString ingresso;
    QString atteso;
};
void PrintTo(const CasoNome& c, std::ostream* os) {
    *os << c.nome;
}

class NomeTabellaSuccessivoTest : public testing::TestWithParam<CasoNome> {};

TEST_P(NomeTabellaSuccessivoTest, Nome) {
    EXPECT_EQ(NomeTabellaSuccessivo(GetParam().ingresso), GetParam().atteso);
}

INSTANTIATE_TEST_SUITE_P(Casi, NomeTabellaSuccessivoTest,
                         testing::Values(CasoNome{"SenzaNumero", "TABSOMMA.DB", "TABSO01.DB"},
                                         CasoNome{"MinuscoloSenzaEstensione", "risptmp",
                                                  "RISPT01.DB"},
                                         CasoNome{"Numerato", "RISPT01.DB", "RISPT02.DB"},
                                         CasoNome{"NoveDiventaDieci", "RISPT09", "RISPT10.DB"},
                                         CasoNome{"OltreLeDueCifre", "RISPT99", "RISPT100.DB"},
                                         CasoNome{"UnaSolaCifraFinale", "RISPTM1.DB", "RISPT01.DB"},
                                         CasoNome{"NomeCorto", "A", "A01.DB"}),
                         NomeCaso());

} // namespace
} // namespace mavo
