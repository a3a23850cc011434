#pragma once

#include <QString>

namespace mavo::test {

// What a server going away does to every connection: another process shuts
// the database down at once (gfix -shut full -force 0), so that each
// attachment of this program fails at its next call. RiattivaDatabase brings
// it back online for the checks. Both fail the running test when gfix does.
void SpegniDatabase(const QString& percorso);
void RiattivaDatabase(const QString& percorso);

} // namespace mavo::test
