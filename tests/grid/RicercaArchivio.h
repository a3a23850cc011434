#pragma once

#include "support/TestDb.h"

#include <QStringList>

namespace mavo::test {

// The keys the search, sort and appearance tests store their settings under.
constexpr int kSituazione = 3;
constexpr int kUtente = 7;
constexpr int kProgetto = 528;

// A company archive with the grid's settings tables and a table T keyed by
// (A, B) of four rows:
//   1,1 'Abaco'  01/02/2024   5
//   1,2 'Cabala' 10/02/2024  15
//   2,1 'Dado'   11/02/2024 150
//   2,2 'l''ape' 31/01/2024  50
class ArchivioProva {
public:
    ArchivioProva();

    db::Database& db() { return archivio.db(); }
    // The NOME of every row `sql` returns, in order.
    QStringList nomi(const QStringList& sql);

    TestDb archivio;
};

} // namespace mavo::test
