#pragma once

#include "dataset/IbQuery.h"
#include "grid/VEKGrid.h"
#include "support/TestDb.h"

#include <QVariantHash>
#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {

// The keys the grids of these tests store their settings under.
constexpr int UtenteProva = 1;
constexpr int ProgettoProva = 528;
constexpr int SituazioneProva = 2;

// A grid set up as a window does: keys, link to the dataset, Loaded, binding; shown.
std::unique_ptr<TVEKGrid> PreparaGriglia(Dataset& dati, const ChiaviGriglia& chiavi);

// A company archive with the grid's settings tables and a table ARTICOLI
// (CODICE, DESCRIZIONE, PREZZO, QTA) of three rows, a query over it, and a
// counter of the inserts and deletes on STOASP1.
class ArchivioGriglia : public ::testing::Test {
protected:
    ArchivioGriglia();

    // A grid set up as a window does: keys, link to the dataset, Loaded, binding.
    std::unique_ptr<TVEKGrid> nuovaGriglia(Dataset& dati);
    // A query over ARTICOLI on the archive.
    std::unique_ptr<IbQuery> nuovaQuery();

    // Stored layout rows of the test keys (situation `situazione`), by position.
    QVector<QVariantHash> righeAspetto(int situazione = SituazioneProva,
                                       const QString& tabella = "STOASP1");
    void memorizzaRiga(const QString& nomeCampo, int posizione, int larghezza,
                       const QString& titolo, int situazione = SituazioneProva);
    int scrittureAspetto();
    // What a user does dragging the title of column `da` onto column `a`.
    static void trascinaTitolo(TVEKGrid& griglia, int da, int a);

    TestDb archivio;
    std::unique_ptr<IbQuery> query;
};

} // namespace mavo::test
