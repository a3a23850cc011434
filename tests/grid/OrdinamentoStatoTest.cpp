#include "ClicTitolo.h"

#include "grid/ordinamento/OrderBy.h"
#include "grid/ordinamento/StatoOrdinamento.h"

#include <gtest/gtest.h>

using namespace mavo;

namespace {

// The grid's columns A, B, C (in this order) of table T.
StatoOrdinamento dopo(std::initializer_list<Clic> clic) {
    StatoOrdinamento stato;
    stato.ModoOrdinamento = 1;
    for (const Clic& c : clic) {
        const QString nome = QString::fromLatin1(c.campo);
        stato.DoppioClicTitolo({nome, "T." + nome, nome[0].unicode() - 'A'}, c.ctrl);
    }
    return stato;
}

QVariantList valori(const StatoOrdinamento& stato) {
    return {stato.ValoreOrdinamento("A"), stato.ValoreOrdinamento("b"),
            stato.ValoreOrdinamento("C")};
}

const QVariant nullo;

TEST(OrdinamentoTitolo, DoubleClicksGiveTheStoredValues) {
    const struct {
        const char* nome;
        std::initializer_list<Clic> clic;
        QVariantList valori; // ORDINAMENTO of A, B, C
        QString lista;       // the key list of several keys
    } casi[] = {
        {"UnClic", {{"A"}}, {1, nullo, nullo}, ""},
        {"DueClicStessoTitolo", {{"A"}, {"A"}}, {2, nullo, nullo}, ""},
        {"TreClicStessoTitolo", {{"A"}, {"A"}, {"A"}}, {1, nullo, nullo}, ""},
        {"AltroTitoloCrescente", {{"A"}, {"A"}, {"B"}}, {nullo, 1, nullo}, ""},
        {"CtrlAggiungeB", {{"A"}, {"B", true}}, {10, 20, nullo}, "A;B;"},
        {"CtrlDueVolteSuB", {{"A"}, {"B", true}, {"B", true}}, {10, -20, nullo}, "A;B;"},
        {"CtrlSenzaChiaveSingola", {{"B", true}, {"C", true}}, {nullo, 10, 20}, "B;C;"},
        {"ClicSempliceSuC", {{"A"}, {"B", true}, {"B", true}, {"C"}}, {nullo, nullo, 1}, ""},
        {"ClicSempliceSullaPrima", {{"A"}, {"B", true}, {"A"}}, {2, nullo, nullo}, ""},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        const StatoOrdinamento stato = dopo(caso.clic);
        EXPECT_EQ(valori(stato), caso.valori);
        EXPECT_EQ(stato.ListaChiavi(), caso.lista);
    }
}

TEST(OrdinamentoTitolo, SortedTitlesTakeTheColoursOfTheirKeys) {
    constexpr TColor ordinato = 0x00123456;
    const struct {
        const char* nome;
        std::initializer_list<Clic> clic;
        int colonne;
        QList<std::pair<int, TColor>> colori;
    } casi[] = {
        {"ChiaveSingola", {{"B"}}, 3, {{1, ordinato}}},
        {"TreChiavi",
         {{"C"}, {"A", true}, {"B", true}},
         3,
         {{2, ordinato}, {0, clRossoChiaro}, {1, clArancioChiaro}}},
        {"ColonnaOltreLeColonne", {{"C"}}, 2, {}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(dopo(caso.clic).ColoriTitoli(ordinato, caso.colonne), caso.colori);
    }
}

TEST(OrdinamentoOrderBy, UsesOnlyKeysTheQueryStillReturns) {
    const QStringList origini{"T.A", "T.B", "", "T.C"};
    const DecodificaCampi personalizzati{{"CALC"}, {"T.A*T.B"}};
    const auto chiavi = [](QVector<ChiaveOrdinamento> k) {
        StatoOrdinamento stato;
        stato.ModoOrdinamento = 2;
        stato.ChiaviOrdinamento = std::move(k);
        return stato;
    };
    StatoOrdinamento singola;
    singola.ModoOrdinamento = 1;
    singola.CampoOrdinamento = "B";
    singola.EspressioneOrdinamento = "T.B";
    singola.VersoOrdinamento = 2;
    const struct {
        const char* nome;
        StatoOrdinamento stato;
        bool upper;
        QStringList righe;
    } casi[] = {
        {"SingolaDiscendente", singola, false, {"ORDER BY T.B DESC"}},
        {"SingolaUpper", singola, true, {"ORDER BY UPPER(T.B) DESC"}},
        {"DueChiavi",
         chiavi({{"A", "T.A", 0, 1}, {"B", "T.B", 1, 2}}),
         false,
         {"ORDER BY T.A", ",T.B DESC"}},
        {"DueChiaviUpper",
         chiavi({{"A", "T.A", 0, 1}, {"B", "T.B", 1, 2}}),
         true,
         {"ORDER BY UPPER(T.A)", ", UPPER(T.B) DESC"}},
        {"PrimaChiaveSparita",
         chiavi({{"X", "T.X", 0, 1}, {"B", "T.B", 1, 2}, {"C", "T.C", 3, 1}}),
         false,
         {"ORDER BY T.B DESC", ",T.C"}},
        {"CampoPersonalizzato",
         chiavi({{"CALC", "T.A*T.B", 2, 2}}),
         false,
         {"ORDER BY T.A*T.B DESC"}},
        {"EspressioneVuotaMai", chiavi({{"CALC", "", 2, 1}, {"", "", -1, 1}}), false, {}},
        {"ModoNonNoto", StatoOrdinamento(), false, {}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(RigheOrderBy(caso.stato, origini, personalizzati, caso.upper), caso.righe);
    }
}

} // namespace
