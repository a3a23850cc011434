#pragma once

#include "query/motore/CostruttoreSql.h"

namespace mavo {

class Interazione;
class Risposta;

// Running sums and integer parts: the open answer is copied, row by row as
// it is read, into a local work table with one more column for each, and the
// table takes the answer's place. A running sum with an order list reads the
// answer in that order (a wrong list is told and the answer's own order
// kept). Database and local-table failures are thrown.
void EseguiColonneCalcolate(Risposta& risposta, const QVector<ColonnaCalcolata>& colonne,
                            const QString& directoryLavoro, Interazione& port);

// Names for a table made from the answer: a name met again gets "_1", "_2"...
QStringList NomiDistinti(const QStringList& nomi);

} // namespace mavo
