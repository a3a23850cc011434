#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace mavo {

class Dataset;
class Field;
namespace db {
class Database;
}

// "Calcolo somma": the fields of the answer a sum is offered on, in the
// order of their definitions.
QStringList CampiDaSommare(const Dataset& risposta);

// The sum of a field over every row of the answer, a null counting 0. Rows
// not read yet are read once, as the grid would read them; the user's place
// in the answer does not move.
double SommaCampo(Dataset& risposta, const Field& campo);

// "Inserimento somma": the numeric fields of a table, by name, from the
// description of "SELECT * FROM" the table (no row is read). A table that
// cannot be read raises DatabaseError.
QStringList CampiPerSommaRaggruppata(db::Database& database, const QString& tabella);

// "Range Valori": a range is wrong when both ends are there and the first
// comes after the second: as numbers when both read as numbers (9 before
// 10), else in character order.
bool RangeValido(const QString& iniziale, const QString& finale);

// A date as the user typed it ("5/3/24") in the short date format
// ("05/03/2024"); none when it is no date.
std::optional<QString> DataRiscritta(const QString& testo);

// "Estrazione anni e mesi": the column of the year or month of a date field.
enum class DatoEstratto { Nessuno, Anno, Mese };
struct EstrazioneAnniMesi {
    QString errore;    // what is missing, in the order the dialog checks
    QString risultato; // "(EXTRACT (MONTH from DATADOC)) AS Mese"
};
EstrazioneAnniMesi EstraiAnniMesi(const QString& campo, DatoEstratto dato,
                                  const QString& nomeRisposta);

} // namespace mavo
