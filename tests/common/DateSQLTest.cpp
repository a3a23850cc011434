#include "common/DateSQL.h"
#include "Casi.h"

#include <gtest/gtest.h>

namespace mavo {
namespace {

using test::NomeCaso;

struct CasoSql {
    const char* nome;
    QString sql;
    QString atteso;
};
void PrintTo(const CasoSql& c, std::ostream* os) {
    *os << c.nome;
}

class ConvertiDateSQLTest : public testing::TestWithParam<CasoSql> {};

TEST_P(ConvertiDateSQLTest, MeseDavanti) {
    EXPECT_EQ(ConvertiDateSQL(GetParam().sql), GetParam().atteso);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ConvertiDateSQLTest,
    testing::Values(
        CasoSql{"DataCompleta", "WHERE DATA='25/12/2023'", "WHERE DATA='12/25/2023'"},
        CasoSql{"GiornoEMeseDiUnaCifra", "WHERE (DATA='5/3/2024')", "WHERE (DATA='3/5/2024')"},
        CasoSql{"GiornoDiUnaCifra", "WHERE (DATA='5/12/2024')", "WHERE (DATA='12/5/2024')"},
        CasoSql{"MeseDiUnaCifra", "WHERE (DATA='25/3/2024')", "WHERE (DATA='3/25/2024')"},
        CasoSql{"AnnoDiDueCifre", "WHERE (DATA='25/12/23')", "WHERE (DATA='12/25/23')"},
        CasoSql{"TuttoBreve", "WHERE (DATA='5/3/24')", "WHERE (DATA='3/5/24')"},
        CasoSql{"DueDate", "(D>='1/2/2023')AND(D<='28/2/2023')",
                "(D>='2/1/2023')AND(D<='2/28/2023')"},
        CasoSql{"DataAllaFineDelTesto", "WHERE D='5/3/24'", "WHERE D='3/5/24'"},
        CasoSql{"DataAllInizioDelTesto", "'5/3/2024'", "'3/5/2024'"},
        CasoSql{"DivisioneFuoriDaUnaData", "SELECT A/B FROM T WHERE X='1'",
                "SELECT A/B FROM T WHERE X='1'"},
        CasoSql{"TestoConUnaSolaBarra", "WHERE C='AB/CDEF'", "WHERE C='AB/CDEF'"},
        CasoSql{"TestoVuoto", "", ""}),
    NomeCaso());

TEST(ScambiaGiornoMese, ScambiaLeDuePartiTraApostrofi) {
    EXPECT_EQ(ScambiaGiornoMese("'5/3/2024'"), QStringLiteral("'3/5/2024'"));
    EXPECT_EQ(ScambiaGiornoMese("'25/12/23'"), QStringLiteral("'12/25/23'"));
    EXPECT_EQ(ScambiaGiornoMese("'2024'"), QStringLiteral("'2024'"));
}

TEST(DataSQL, MeseGiornoAnnoTraApostrofi) {
    EXPECT_EQ(DataSQL(QDate(2023, 12, 25)), QStringLiteral("'12/25/2023'"));
    EXPECT_EQ(DataSQL(QDate(2024, 3, 5)), QStringLiteral("'03/05/2024'"));
}

} // namespace
} // namespace mavo
