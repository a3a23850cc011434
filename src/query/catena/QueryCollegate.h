#pragma once

#include "query/motore/Definizione.h"

namespace mavo {

class Interazione;
class TIBFQuerForm;
namespace db {
class Database;
}

// Every run of `motore` first makes its linked stored queries ready (the
// engine's TestQueryCollegate): each one whose table the archive does not
// have yet gets it, made of the last answer of the stored query's chain; the
// stored query's main table comes from the register of stored queries,
// STOQUER. A run stops, the user told, when one cannot be made. The chain's
// steps are stored under a root of their own, so that a chain the user is
// running keeps its stored answers.
void InstallaTestQueryCollegate(TIBFQuerForm& motore, db::Database& database, Interazione& port);

} // namespace mavo
