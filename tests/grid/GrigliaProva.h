#pragma once

#include "RicercaArchivio.h"
#include "dataset/IbQuery.h"
#include "grid/VEKGrid.h"
#include "platform/ScriptedInterazione.h"
#include "support/Gesti.h"

#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {

// The grids of the end-to-end tests: over table T of ArchivioProva, under the
// keys kSituazione, kUtente, kProgetto, telling the user through a script.
class GrigliaProva : public testing::Test {
protected:
    inline static const QStringList kBase{"SELECT A, B, NOME FROM \"T\""};

    std::unique_ptr<TVEKGrid> nuovaGriglia(Dataset& dati);
    // A query whose host fills the base SQL before it opens.
    std::unique_ptr<IbQuery> nuovaQuery(const QStringList& sql = kBase);
    // NOME of every record the dataset shows, in order.
    static QStringList nomi(Dataset& dati);
    // ORDINAMENTO of each stored layout row, by position ("" for null).
    QStringList ordinamenti();

    ArchivioProva archivio;
    ScriptedInterazione interazione;
};

} // namespace mavo::test
