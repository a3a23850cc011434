#include "query/motore/CostruttoreSql.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace mavo;

namespace {

// Rows numbered from 1 in the order given.
Definizione righe(std::initializer_list<std::tuple<const char*, int, const char*>> elenco) {
    Definizione d;
    for (const auto& [nome, codice, condizione] : elenco)
        d.append(
            {int(d.size()) + 1, QString::fromUtf8(nome), codice, QString::fromUtf8(condizione)});
    return d;
}

// Text fields of 30 characters, but N (a number), M (a memo) and LUNGO (300).
InfoCampo tipo(const QString& nome) {
    const QString campo = nome.section(u'.', -1);
    if (campo == u"N")
        return {tipo_campo::Intero, 0};
    if (campo == u"M")
        return {tipo_campo::Memo, 0};
    return {tipo_campo::Stringa, campo == u"LUNGO" ? 300 : 30};
}

QStringList sql(const Definizione& d) {
    return Interroga(d, 1, d.size() ? d.last().Numero : 0, "T", tipo).sql;
}

struct Caso {
    const char* nome;
    Definizione definizione;
    QStringList attese;
};

class Statement : public testing::TestWithParam<Caso> {};

TEST_P(Statement, LinesAsBuilt) {
    EXPECT_EQ(sql(GetParam().definizione), GetParam().attese);
}

const char* const Ricerca = "(UPPER (CAST(XX.%1 AS CHARACTER(256)) ) LIKE UPPER('%%2%'))";
QString ricerca(const char* campo, const char* testo) {
    return QString::fromLatin1(Ricerca).arg(campo, testo);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, Statement,
    testing::Values(
        Caso{"HiddenFieldSearched",
             righe({{"A", 1, ""}, {"B", 0, "xy"}, {"C", 1, ""}}),
             {"SELECT", "XX.A,", "XX.C", "FROM ", "\"T\" XX ", "WHERE ",
              "((UPPER (CAST(XX.B AS CHARACTER(256)) ) LIKE UPPER('%XY%')))"}},
        Caso{"ConditionUpperCasedAndPrefixed",
             righe({{"A", 1, "(a > 10)"}}),
             {"SELECT", "XX.A", "FROM ", "\"T\" XX ", "WHERE ", "((XX.A > 10))"}},
        Caso{"PrefixOnlyWholeNamesOutsideLiterals",
             righe({{"A", 1, "(A > 1 AND A < 9 OR A = 'A')"}, {"N", 1, "(n=1)"}}),
             {"SELECT", "XX.A,", "XX.N", "FROM ", "\"T\" XX ", "WHERE ",
              "((XX.A > 1 AND XX.A < 9 OR XX.A = 'A')) and", "((XX.N=1))"}},
        Caso{"SearchTextNeverPrefixed",
             righe({{"A", 1, "casa"}}),
             {"SELECT", "XX.A", "FROM ", "\"T\" XX ", "WHERE ", "(" + ricerca("A", "CASA") + ")"}},
        Caso{"ApostropheInASearchDoubled",
             righe({{"A", 1, "D'Angelo"}}),
             {"SELECT", "XX.A", "FROM ", "\"T\" XX ", "WHERE ",
              "(" + ricerca("A", "D''ANGELO") + ")"}},
        Caso{"LongFieldCastToItsLengthMemoCompared",
             righe({{"LUNGO", 1, "x"}, {"M", 1, "y"}}),
             {"SELECT", "XX.LUNGO,", "XX.M", "FROM ", "\"T\" XX ", "WHERE ",
              "((UPPER (CAST(XX.LUNGO AS CHARACTER(300)) ) LIKE UPPER('%X%'))) and",
              "((UPPER(XX.M) LIKE ('%Y%')))"}},
        Caso{"DatesOfAConditionMonthFirst",
             righe({{"D", 1, "(d >= '25/12/2023')"}}),
             {"SELECT", "XX.D", "FROM ", "\"T\" XX ", "WHERE ", "((XX.D >= '12/25/2023'))"}},
        Caso{"SumGroupsByTheShownFields",
             righe({{"A", 1, ""}, {"B", 1, ""}, {"N", 0, "CALC(SUM(XX.N))"}}),
             {"SELECT", "XX.A,", "XX.B,", "(SUM(XX.N))", "FROM ", "\"T\" XX ", "GROUP BY", "XX.A,",
              "XX.B"}},
        Caso{"SumAloneHasNoGroupBy",
             righe({{"A", 0, ""}, {"N", 0, "(CALC (SUM(N)) AS TOT)"}}),
             {"SELECT", "(SUM(N)) AS TOT", "FROM ", "\"T\" XX "}},
        Caso{"MonthsAreGroupsToo",
             righe({{"D", 0, "(EXTRACT (MONTH from D)) AS Mese"}, {"N", 0, "CALC(SUM(N))"}}),
             {"SELECT", "(EXTRACT (MONTH FROM D)) AS MESE,", "(SUM(N))", "FROM ", "\"T\" XX ",
              "GROUP BY", "(EXTRACT (MONTH FROM D))"}},
        Caso{"WordsOnlyBeforeAParenthesis",
             righe({{"A", 1, "calce"}, {"N", 0, "CALC(CONSUMO*2)"}}),
             {"SELECT", "XX.A,", "(CONSUMO*2)", "FROM ", "\"T\" XX ", "WHERE ",
              "(" + ricerca("A", "CALCE") + ")"}},
        Caso{"SetColumnWithTheAlias",
             righe({{"A", 1, "CALC((Set)+1) AS S"}}),
             {"SELECT", "XX.A,", "((XX.\"SET\")+1) AS S", "FROM ", "\"T\" XX "}},
        Caso{"RunningSumsAreNoSqlColumns",
             righe({{"N", 1, "(CALC SOMMAPROG(N, A DESC) AS PROG)"},
                    {"A", 1, "CALC INTEROVEK(N) AS I"}}),
             {"SELECT", "XX.N,", "XX.A", "FROM ", "\"T\" XX "}},
        Caso{"TwoLinkedTablesNestFromTheLeft",
             righe({{"A", 1, ""},
                    {"ART = B", 9, ""},
                    {"B.COD", 8, "A"},
                    {"B.X", 1, "ab"},
                    {"FOR = C", 3, ""},
                    {"C.COD", 8, "B.X"},
                    {"C.Y", 0, "(C.Y = 1)"}}),
             {"SELECT", "XX.A,", "B.X", "FROM ", "(\"T\" XX ", "LEFT JOIN \"ART\"  B",
              "ON ((B.COD=XX.A)))", "RIGHT JOIN \"FOR\"  C", "ON ((C.COD=B.X))", "WHERE ",
              "((UPPER (CAST(B.X AS CHARACTER(256)) ) LIKE UPPER('%AB%'))) and", "((C.Y = 1))"}},
        Caso{"ThreeLinkedTables",
             righe({{"A", 1, ""},
                    {"T1 = B", 9, ""},
                    {"B.K", 8, "A"},
                    {"T2 = C", 9, ""},
                    {"C.K", 8, "A"},
                    {"T3 = D", 9, ""},
                    {"D.K", 8, "A"}}),
             {"SELECT", "XX.A", "FROM ", "((\"T\" XX ", "LEFT JOIN \"T1\"  B", "ON ((B.K=XX.A)))",
              "LEFT JOIN \"T2\"  C", "ON ((C.K=XX.A)))", "LEFT JOIN \"T3\"  D", "ON ((D.K=XX.A))"}},
        Caso{"ConditionsBeforeTheJoinGoIntoItsOnClause",
             righe({{"A", 1, "z"},
                    {"ART = B", 9, "P"},
                    {"B.COD", 8, "A"},
                    {"B.X", 1, "ab"},
                    {"B.Y", 0, "(B.Y > 2)"},
                    {"N", 1, "(N > 0)"}}),
             {"SELECT", "XX.A,", "B.X,", "XX.N", "FROM ", "\"T\" XX ", "LEFT JOIN \"ART\"  B",
              "ON ((B.COD=XX.A) AND ((UPPER (CAST(B.X AS CHARACTER(256)) ) LIKE UPPER('%ab%'))) "
              "AND ((B.Y > 2)))",
              "WHERE ", "(" + ricerca("A", "Z") + ") and", "((XX.N > 0))"}}),
    [](const testing::TestParamInfo<Caso>& info) { return std::string(info.param.nome); });

TEST(Statement, RunningSumsAndIntegerPartsAreRead) {
    const Definizione d = righe({{"N", 1, "(CALC SOMMAPROG(N, A DESC) AS PROG)"},
                                 {"A", 1, "CALC SOMMAPROG ( N ) AS P2"},
                                 {"B", 1, "CALC INTEROVEK(N) AS I"},
                                 {"C", 1, "CALC SOMMAPROG(N)"}});
    const auto calcolate = Interroga(d, 1, 4, "T", tipo).calcolate;
    ASSERT_EQ(calcolate.size(), 4);
    const auto somma = Condizione::Tipo::SommaProg;
    EXPECT_EQ(calcolate[0].tipo, somma);
    EXPECT_EQ(QStringList({calcolate[0].campo, calcolate[0].ordine, calcolate[0].nome}),
              QStringList({"N", "A DESC", "PROG"}));
    EXPECT_EQ(QStringList({calcolate[1].campo, calcolate[1].ordine, calcolate[1].nome}),
              QStringList({"N", "", "P2"}));
    EXPECT_EQ(calcolate[2].tipo, Condizione::Tipo::InteroVek);
    EXPECT_EQ(QStringList({calcolate[2].campo, calcolate[2].nome}), QStringList({"N", "I"}));
    EXPECT_EQ(calcolate[3].nome, "XXXXXX");
}

TEST(Statement, MembersOfASideBySideQuery) {
    // First member, its lock row; a member header, a copy closed by UNION; a chain marker.
    const Definizione d = righe({{"A", 6, ""},
                                 {"QUERY BLOCCATA", 7, "Semplice"},
                                 {"T", 9, "UNION"},
                                 {"A", 1, "x"},
                                 {"QUERY BLOCCATA", 7, "UNION"},
                                 {"QUERY SUCCESSIVA", 4, "12"}});
    const QVector<std::pair<int, int>> attesi{{1, 2}, {4, 5}};
    EXPECT_EQ(SegmentiUnione(d), attesi);
    EXPECT_EQ(Interroga(d, 4, 5, "T", tipo).sql,
              QStringList({"SELECT", "XX.A", "FROM ", "\"T\" XX ", "WHERE ",
                           "(" + ricerca("A", "X") + ")"}));
}

TEST(Statement, ClipboardTextDoublesApostrophes) {
    EXPECT_EQ(TestoPerAppunti({"WHERE ", "((XX.A = 'L''A'))"}),
              QStringList({"WHERE ", "((XX.A = ''L''''A''))"}));
}

} // namespace
