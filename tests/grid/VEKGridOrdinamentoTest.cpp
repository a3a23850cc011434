#include "GrigliaProva.h"

using namespace mavo;
using namespace mavo::test;

namespace {

class OrdinamentoGriglia : public GrigliaProva {
protected:
    // What the window opened next shows: its query's SQL and rows.
    std::pair<QStringList, QStringList> prossimaApertura() {
        auto query = nuovaQuery();
        auto griglia = nuovaGriglia(*query);
        griglia->SQLIniziale = kBase;
        query->open();
        return {query->sql(), nomi(*query)};
    }
};

TEST_F(OrdinamentoGriglia, TitleDoubleClicksStoreTheSortAndOrderTheQuery) {
    auto query = nuovaQuery();
    auto griglia = nuovaGriglia(*query);
    griglia->SQLIniziale = kBase;
    griglia->TabellaPiccola = true;
    query->open();
    const QVector<TColor> soloA{clRosso, clBtnFace, clBtnFace};
    const QVector<TColor> AeB{clRosso, clRossoChiaro, clBtnFace};
    const struct {
        const char* nome;
        int colonna;
        bool ctrl;
        QStringList ordinamenti; // stored on A, B, NOME
        QStringList righe;       // after the base SQL
        QVector<TColor> titoli;
        QStringList nomiDopo; // rows of the next window, when looked at
    } passi[] = {
        {"A", 0, false, {"1", "", ""}, {"ORDER BY T.A"}, soloA, {}},
        {"A di nuovo", 0, false, {"2", "", ""}, {"ORDER BY T.A DESC"}, soloA, {}},
        {"A la terza volta", 0, false, {"1", "", ""}, {"ORDER BY T.A"}, soloA, {}},
        {"Ctrl B", 1, true, {"10", "20", ""}, {"ORDER BY T.A", ",T.B"}, AeB, {}},
        {"Ctrl B di nuovo",
         1,
         true,
         {"10", "-20", ""},
         {"ORDER BY T.A", ",T.B DESC"},
         AeB,
         {"Cabala", "Abaco", "l'ape", "Dado"}},
        {"Oltre l'ultima", -1, false, {"10", "-20", ""}, {"ORDER BY T.A", ",T.B DESC"}, AeB, {}},
        {"NOME",
         2,
         false,
         {"", "", "1"},
         {"ORDER BY T.NOME"},
         {clBtnFace, clBtnFace, clRosso},
         {"Abaco", "Cabala", "Dado", "l'ape"}},
    };
    for (const auto& passo : passi) {
        SCOPED_TRACE(passo.nome);
        doppioClicTitolo(*griglia, passo.colonna, passo.ctrl);
        EXPECT_EQ(ordinamenti(), passo.ordinamenti);
        EXPECT_EQ(query->sql(), kBase + passo.righe);
        for (int c = 0; c < griglia->NumeroColonne(); ++c)
            EXPECT_EQ(griglia->ColoreTitolo(c), passo.titoli[c]) << c;
        if (!passo.nomiDopo.isEmpty()) {
            EXPECT_EQ(prossimaApertura(), std::pair(kBase + passo.righe, passo.nomiDopo));
        }
    }
    EXPECT_TRUE(interazione.messages().isEmpty());
}

TEST_F(OrdinamentoGriglia, UnsortedQueriesFollowThePrimaryKeyAndOrderByOffOrdersNothing) {
    const struct {
        const char* nome;
        bool orderBy;
        int clic; // the column double-clicked, -1 none
        QStringList ordinamenti;
        QStringList righe;
    } casi[] = {
        {"ChiavePrimaria", true, -1, {}, {"ORDER BY T.A,T.B"}},
        {"OrderByFalso", false, 2, {"", "", "1"}, {}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        auto query = nuovaQuery();
        auto griglia = nuovaGriglia(*query);
        griglia->SQLIniziale = kBase;
        griglia->TabellaPrincipale = "T";
        griglia->TabellaPiccola = true;
        griglia->OrderBy = caso.orderBy;
        query->open();
        if (caso.clic >= 0)
            doppioClicTitolo(*griglia, caso.clic);
        EXPECT_EQ(ordinamenti(), caso.ordinamenti);
        EXPECT_EQ(query->sql(), kBase + caso.righe);
    }
}

} // namespace
