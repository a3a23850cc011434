#pragma once

#include "query/motore/Definizione.h"
#include "query/storico/Storico.h"

#include <QStringList>

namespace mavo {

class Interazione;
class Risposta;
class TIBFQuerForm;
namespace db {
class Database;
}

// The chain numbers the markers of a definition name (0: none): the
// successor, from the last "QUERY SUCCESSIVA" marker; the predecessor, from a
// first row "QUERY PRECEDENTE".
int NumeroSuccessiva(const Definizione& righe);
int NumeroPrecedente(const Definizione& righe);
// The rows without their final "QUERY SUCCESSIVA" marker.
Definizione SenzaMarcatoreSuccessiva(Definizione righe);

// A successor's first definition: its "QUERY PRECEDENTE" marker naming
// `precedente`, then one shown row per field of the stored answer.
Definizione DefinizioneSuccessiva(int precedente, const QStringList& campi);

// The answer's field names by position.
QStringList CampiRisposta(Risposta& risposta);

// The answer's statement without its ORDER BY (from the first line after the
// first that names it, to the end): a stored answer is a table, unordered.
QStringList SqlSenzaOrdinamento(const QStringList& sql);

// The stored answers of the chains of user `utente`, levels 00 to 30, dropped
// where they exist; a table another statement still holds stays.
void EliminaRisposteSalvate(db::Database& database, int utente);

// The open answer stored as table `tabella`, and as each of `altre` (an
// earlier one of the name dropped first): created and committed, then filled
// in a transaction of its own. Whatever fails leaves no half-filled table
// behind. The answer is closed and its statement released, so that nothing
// holds the table being replaced.
void SalvaRisposta(Risposta& risposta, const QString& tabella, const QStringList& altre = {});

// What a changed query means for its successor.
enum class EsitoSuccessiva {
    Invariata,       // the query is as stored
    SenzaSuccessiva, // changed, no successor
    Compatibile,     // the successor takes the new answer as it is
    DaRiscrivere,    // the successor's fields follow the new answer
    Impossibile,     // the successor uses a field the new answer lost
};
EsitoSuccessiva ValutaSuccessiva(const Definizione& attuale, const Definizione& salvata,
                                 const Definizione& successiva, const QStringList& campiRisposta);

// The successor's rows rewritten for the new answer's fields, numbered from
// 1: its first marker, one row per answer field (Mostra and Condizione kept
// for a name it had, else hidden), then once every row after its fields.
Definizione RiscriviSuccessiva(const Definizione& successiva, const QStringList& campiRisposta);

// A changed query checked against its successor (the engine's
// ValidazioneNuovaRisposta): `definizione` is the current list, `chiave` its
// entry, `risposta` its new answer. True when the form may go on (what was
// changed saved as the user chose, the successor rewritten where needed);
// false when the change cannot be taken, `definizione` then holds the stored
// rows again if the user agreed.
bool ValidazioneNuovaRisposta(ArchivioStorico& storico, Interazione& port, ChiaveStorico chiave,
                              Risposta& risposta, Definizione& definizione);

// A stored chain followed from `partenza`: each level run in `motore` (its
// level set as it goes) and, while a successor follows, its answer stored for
// the next level; the last level's answer left open in `risposta`. The entry
// of the last level in `ultima`. False after telling the user when a level
// could not be run.
bool SeguiCatena(TIBFQuerForm& motore, ArchivioStorico& storico, Risposta& risposta,
                 ChiaveStorico partenza, Interazione& port, ChiaveStorico* ultima = nullptr);

// The last answer of the stored query `numero` rebuilt, each step stored as
// the engine's root + user + step (the engine's OttieniUltimaRisposta), the
// last one also as `tabella` when given.
bool OttieniUltimaRisposta(TIBFQuerForm& motore, ArchivioStorico& storico, Risposta& risposta,
                           int numero, Interazione& port, const QString& tabella = {});

} // namespace mavo
