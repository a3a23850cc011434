#include "RicercaArchivio.h"

#include "grid/ordinamento/OrderBy.h"
#include "grid/ordinamento/OrdinamentoMemorizzato.h"

#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;

namespace {

const QStringList kBase{"SELECT A, B, NOME FROM \"T\""};
const QStringList kCampi{"A", "B", "NOME", "QTA"}; // the grid's columns when the sort was made

struct Clic {
    const char* campo;
    bool ctrl = false;
};

// What SalvaAspetto stores: one layout row per column, with its sort value.
void memorizza(ArchivioProva& archivio, const StatoOrdinamento& stato) {
    db::Transaction transazione(&archivio.db());
    db::Statement inserisci(&archivio.db(), &transazione);
    inserisci.setSql({"INSERT INTO STOASP1 (CODICEPROGETTO, CODICESITUAZIONE, CODICEUTENTE,",
                      "NOMECAMPO, POSIZIONE, ORDINAMENTO, ORIGINE)",
                      "VALUES (:P, :S, :U, :NOME, :POSIZIONE, :ORDINAMENTO, :ORIGINE)"});
    for (int i = 0; i < kCampi.size(); ++i) {
        inserisci.setParam("P", kProgetto);
        inserisci.setParam("S", kSituazione);
        inserisci.setParam("U", kUtente);
        inserisci.setParam("NOME", kCampi[i]);
        inserisci.setParam("POSIZIONE", i);
        inserisci.setParam("ORDINAMENTO", stato.ValoreOrdinamento(kCampi[i]));
        inserisci.setParam("ORIGINE", "T." + kCampi[i]);
        inserisci.execute();
    }
    transazione.commit();
}

// The sort made by double-clicks, stored, read back at the next opening and
// turned into the ORDER BY of the query, which no longer returns QTA.
TEST(OrdinamentoMemorizzato, TheStoredSortOrdersTheNextOpening) {
    const struct {
        const char* nome;
        std::initializer_list<Clic> clic;
        int modo;
        QStringList righe;
        QStringList nomi;
    } casi[] = {
        {"ChiaveSingolaDiscendente",
         {{"NOME"}, {"NOME"}},
         1,
         {"ORDER BY T.NOME DESC"},
         {"l'ape", "Dado", "Cabala", "Abaco"}},
        {"ADopoBDiscendente",
         {{"A"}, {"B", true}, {"B", true}},
         2,
         {"ORDER BY T.A", ",T.B DESC"},
         {"Cabala", "Abaco", "l'ape", "Dado"}},
        {"ChiaveSparitaDallaQuery",
         {{"QTA"}, {"NOME", true}},
         2,
         {"ORDER BY T.NOME"},
         {"Abaco", "Cabala", "Dado", "l'ape"}},
        {"NessunOrdinamentoChiavePrimaria",
         {},
         1,
         {"ORDER BY T.A,T.B"},
         {"Abaco", "Cabala", "Dado", "l'ape"}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        ArchivioProva archivio;
        StatoOrdinamento cliccato;
        cliccato.ModoOrdinamento = 1;
        for (const Clic& c : caso.clic)
            cliccato.DoppioClicTitolo(
                {c.campo, QStringLiteral("T.") + c.campo, int(kCampi.indexOf(c.campo))}, c.ctrl);
        memorizza(archivio, cliccato);

        StatoOrdinamento letto;
        letto.CampoOrdinamento = "VECCHIO";
        LeggiOrdinamento(archivio.db(), "STOASP1", {kSituazione, kUtente, kProgetto}, {}, letto);
        EXPECT_EQ(letto.ModoOrdinamento, caso.modo);
        const QStringList righe = letto.HaChiavi()
                                      ? OrdinamentoQuery(archivio.db(), kBase, letto, {})
                                      : RigheChiavePrimaria(archivio.db(), "T");
        EXPECT_EQ(righe, caso.righe);
        EXPECT_EQ(archivio.nomi(kBase + righe), caso.nomi);
    }
}

TEST(OrdinamentoChiavePrimaria, QualifiesEachKeyColumnWithTheTable) {
    ArchivioProva archivio;
    archivio.archivio.exec("CREATE TABLE SENZACHIAVE (X INTEGER)");
    const struct {
        const char* nome;
        QString tabella;
        QStringList righe;
    } casi[] = {
        {"QuattroColonne",
         "STOASP1",
         {"ORDER BY STOASP1.CODICEPROGETTO,STOASP1.CODICESITUAZIONE,STOASP1.CODICEUTENTE,"
          "STOASP1.NOMECAMPO"}},
        {"SenzaChiave", "SENZACHIAVE", {}},
        {"NomeConApostrofo", "T' OR ''='", {}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(RigheChiavePrimaria(archivio.db(), caso.tabella), caso.righe);
    }
}

} // namespace
