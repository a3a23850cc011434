#include "RicercaArchivio.h"
#include "ClicTitolo.h"

#include "grid/ordinamento/OrderBy.h"
#include "grid/ordinamento/OrdinamentoMemorizzato.h"

#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;

namespace {

const QStringList kBase{"SELECT A, B, NOME FROM \"T\""};
const QStringList kCampi{"A", "B", "NOME", "QTA"}; // the grid's columns when the sort was made

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

// A sort made when the grid showed QTA, stored, and read back once the query
// no longer returns QTA: that key is left out and the next one opens the clause.
TEST(OrdinamentoMemorizzato, AKeyTheQueryNoLongerReturnsIsLeftOut) {
    ArchivioProva archivio;
    StatoOrdinamento cliccato;
    cliccato.ModoOrdinamento = 1;
    for (const Clic& c : {Clic{"QTA"}, Clic{"NOME", true}})
        cliccato.DoppioClicTitolo(
            {c.campo, QStringLiteral("T.") + c.campo, int(kCampi.indexOf(c.campo))}, c.ctrl);
    memorizza(archivio, cliccato);

    StatoOrdinamento letto;
    LeggiOrdinamento(archivio.db(), "STOASP1", {kSituazione, kUtente, kProgetto}, {}, letto);
    EXPECT_EQ(letto.ModoOrdinamento, 2);
    const QStringList righe = OrdinamentoQuery(archivio.db(), kBase, letto, {});
    EXPECT_EQ(righe, QStringList{"ORDER BY T.NOME"});
    EXPECT_EQ(archivio.nomi(kBase + righe), QStringList({"Abaco", "Cabala", "Dado", "l'ape"}));
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
