#include "RicercaArchivio.h"

#include "grid/ordinamento/OrderBy.h"
#include "grid/ricerca/SqlRicerca.h"

#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;

namespace {

const QStringList kBase{"SELECT * FROM T"};
const QStringList kBaseConWhere{"SELECT * FROM T", "WHERE A > 0"};
const CampoRicercato kNome{"T.NOME", ClasseCampo::Testo};
const CampoRicercato kData{"T.DATA", ClasseCampo::Data};
const CampoRicercato kQta{"T.QTA", ClasseCampo::Numerico};

RichiestaRicerca cerca(const QString& testo, int tipo, bool upper = true,
                       int ordinamento = OrdinamentoCrescente) {
    RichiestaRicerca r;
    r.testo = testo;
    r.tipo = tipo;
    r.upper = upper;
    r.ordinamento = ordinamento;
    return r;
}

RichiestaRicerca date(const QDate& dal, const QDate& al = {}) {
    RichiestaRicerca r = cerca(QString(), RicercaContiene, true, OrdinamentoDecrescente);
    r.dal = dal;
    r.al = al;
    return r;
}

TEST(RicercaCondizione, BuildsTheLineOfEachSearch) {
    const struct {
        const char* nome;
        QStringList base;
        RichiestaRicerca richiesta;
        CampoRicercato campo;
        QString attesa;
    } casi[] = {
        {"ContieneUpperConWhere", kBaseConWhere, cerca("ab", RicercaContiene), kNome,
         "AND(UPPER(T.NOME) LIKE '%AB%')"},
        {"WhereMinuscolo",
         {"select * from t where a > 0"},
         cerca("ab", RicercaContiene),
         kNome,
         "AND(UPPER(T.NOME) LIKE '%AB%')"},
        {"DateMeseDavanti", kBase, date({2024, 2, 1}, {2024, 2, 10}), kData,
         "WHERE(T.DATA >= '02/01/2024')AND(T.DATA <= '02/10/2024')"},
        {"SoloPrimaData", kBase, date({2024, 2, 1}), kData, "WHERE(T.DATA >= '02/01/2024')"},
        {"DataSenzaPrimaData", kBase, cerca("12", RicercaContiene), kData, ""},
        {"MaggioreUgualeSenzaUpper", kBase, cerca("Cab", RicercaMaggioreUguale, false), kNome,
         "WHERE(T.NOME >= 'Cab')"},
        {"IniziaCon", kBase, cerca("ca", RicercaIniziaCon), kNome,
         "WHERE(UPPER(T.NOME) LIKE 'CA%')"},
        {"NumeroSenzaUpper", kBase, cerca("5", RicercaContiene), kQta, "WHERE(T.QTA LIKE '%5%')"},
        {"BlobSenzaUpper",
         kBase,
         cerca("x", RicercaContiene),
         {"T.NOTE", ClasseCampo::Blob},
         "WHERE(T.NOTE LIKE '%x%')"},
        {"ApostrofoIncollato", kBase, cerca("l'a", RicercaIniziaCon, false), kNome,
         "WHERE(T.NOME LIKE 'l''a%')"},
        {"TestoVuoto", kBaseConWhere, cerca("", RicercaContiene), kNome, ""},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(CostruisciCondizione(caso.richiesta, caso.campo, caso.base), caso.attesa);
    }
}

TEST(RicercaCondizione, OrderLinesFollowTheSortChoice) {
    const QStringList memorizzato{"ORDER BY T.A"};
    const struct {
        const char* nome;
        RichiestaRicerca richiesta;
        CampoRicercato campo;
        QStringList ordine; // the lines after the condition
    } casi[] = {
        {"CrescUpper", cerca("a", RicercaContiene), kNome, {"ORDER BY UPPER(T.NOME)"}},
        {"DecresUpper",
         cerca("a", 1, true, OrdinamentoDecrescente),
         kNome,
         {"ORDER BY UPPER(T.NOME) DESC"}},
        {"NumeroSenzaUpper",
         cerca("5", 1, true, OrdinamentoDecrescente),
         kQta,
         {"ORDER BY T.QTA DESC"}},
        {"NoOrdineMemorizzato", cerca("a", 1, true, OrdinamentoNo), kNome, memorizzato},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        const SqlRicerca ricerca =
            ComponiSqlRicerca(kBase, caso.richiesta, caso.campo, [&] { return memorizzato; });
        EXPECT_EQ(ricerca.sql, kBase + QStringList{ricerca.condizione} + caso.ordine);
    }
    // Without a condition there is nothing to order, and the stored sort is not even read.
    const SqlRicerca tutte = ComponiSqlRicerca(kBase, cerca("", 1, true, OrdinamentoNo), kNome,
                                               [] { return QStringList{"ORDER BY ?"}; });
    EXPECT_EQ(tutte.sql, kBase);
    EXPECT_TRUE(tutte.condizione.isEmpty());
}

TEST(RicercaCondizione, GeneratedSearchesRunOnTheDatabase) {
    const struct {
        const char* nome;
        RichiestaRicerca richiesta;
        CampoRicercato campo;
        QStringList trovati;
    } casi[] = {
        {"ContieneUpper", cerca("ab", RicercaContiene), kNome, {"Abaco", "Cabala"}},
        {"DateComprese", date({2024, 2, 1}, {2024, 2, 10}), kData, {"Cabala", "Abaco"}},
        {"NumeroContiene", cerca("5", RicercaContiene), kQta, {"Abaco", "Cabala", "l'ape", "Dado"}},
        {"NumeroComeNumero", cerca("15", RicercaMaggioreUguale), kQta, {"Cabala", "l'ape", "Dado"}},
        {"ApostrofoIncollato", cerca("L'A", RicercaIniziaCon), kNome, {"l'ape"}},
    };
    ArchivioProva archivio;
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(archivio.nomi(ComponiSqlRicerca(kBase, caso.richiesta, caso.campo, {}).sql),
                  caso.trovati);
    }
}

TEST(RicercaGenerica, SearchesEveryFieldThatComesFromATable) {
    ArchivioProva archivio;
    const QStringList base{"SELECT A*2 AS DOPPIO, NOME, DATA FROM T"};
    const QStringList origini = OriginiCampi(archivio.db(), base);
    const auto righe = RigheRicercaGenerica("l'A", base, origini);
    ASSERT_TRUE(righe);
    EXPECT_EQ(*righe, (QStringList{"WHERE(", "(T.NOME CONTAINING 'L''A')",
                                   "OR(T.DATA CONTAINING 'L''A')", ")"}));
    EXPECT_EQ(archivio.nomi(base + *righe), QStringList{"l'ape"});

    EXPECT_EQ(RigheRicercaGenerica("x", kBaseConWhere, {"T.NOME"})->first(), "AND(");
    EXPECT_FALSE(RigheRicercaGenerica("x", kBase, {"", ""}));
}

} // namespace
