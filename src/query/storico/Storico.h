#pragma once

#include "query/form/AspettoRisposta.h"
#include "query/motore/Definizione.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace mavo {

namespace db {
class Database;
}

// A history entry: Codice1 an integer, Codice2 a floating number ("1,5").
struct ChiaveStorico {
    int Codice1 = 0;
    double Codice2 = 0;
    bool operator==(const ChiaveStorico&) const = default;
};

// Codice1 of the entries of chained queries; their Codice2 is the chain number.
inline constexpr int Codice1Catena = 2000;
// Codice1 of entries whose layout is neither kept nor applied.
inline constexpr int Codice1SenzaAspetto = 1000;

// The widths of the stored columns: a longer name or condition does not fit.
inline constexpr int LunghezzaNomeStorico = 27;
inline constexpr int LunghezzaCondizioneStorico = 255;

// Codice2 as people write it: "1.5" or "1,5"; false when it is no number.
bool LeggiCodice2(const QString& testo, double& valore);
// Codice2 as the tools print it: "1,5", "3"; the stored single precision
// shows no noise ("0,1", not "0,100000001").
QString TestoCodice2(double valore);

// The number of a chained query in a marker row's condition. Older entries
// wrote it with thousands separators ("1.234"): every separator is dropped,
// the number has no decimals. 0 for a text without digits.
int LeggiNumeroCatena(const QString& testo);
// Written plain, so that no locale reads it as another number.
QString TestoNumeroCatena(int numero);

// A stored definition differs from the list: another row count, nothing
// stored, or any row with another Numero, Nome, Mostra or Condizione.
bool InterrogazioneCambiata(const Definizione& salvata, const Definizione& attuale);
// A stored layout differs from the current one: nothing stored, another row
// count, or any row that differs.
bool AspettoCambiato(const Aspetto& salvato, const Aspetto& attuale);

// One entry of the history, as the list of entries shows it.
struct VoceStorico {
    ChiaveStorico chiave;
    int righe = 0;
    QStringList campi; // the main table's fields the definition uses, in order
};

// The two history tables of the query tool, STOINT (definitions, one row per
// definition row) and STOASP (layouts, one row per answer field), in the
// history database. Every statement takes the entry as parameters: Codice2
// compared as the FLOAT the column holds, whatever the locale writes. Every
// write is one short transaction, committed whole or rolled back.
class ArchivioStorico {
public:
    explicit ArchivioStorico(db::Database& database);

    // Creates the tables, with their named primary keys, when missing.
    void CreaTabelle();
    bool TabelleEsistenti();

    // The stored rows by Numero (the flags derived while loading depend on
    // the order); empty when the entry has none.
    Definizione LeggiInterrogazione(ChiaveStorico chiave);
    // Replaces the stored rows of the entry. A row whose name or condition
    // does not fit the columns is refused before anything is written,
    // naming the row; the previous rows stay whatever fails.
    void SalvaInterrogazione(ChiaveStorico chiave, const Definizione& righe);
    void EliminaInterrogazione(ChiaveStorico chiave);

    Aspetto LeggiAspetto(ChiaveStorico chiave);
    void SalvaAspetto(ChiaveStorico chiave, const Aspetto& righe);
    void EliminaAspetto(ChiaveStorico chiave);

    // The next free chain number: the highest Codice2 of Codice1 2000, + 1.
    int NumeroQuerySuccessiva();

    // The steps of a chain, each in one transaction, committed whole or not at
    // all. A new successor: its rows stored under the next free chain number
    // (the next again when another user took it meanwhile), the current
    // entry's rows saved with the "QUERY SUCCESSIVA" marker of that number
    // appended; the number.
    int CreaSuccessiva(ChiaveStorico corrente, const Definizione& righe,
                       const Definizione& successiva);
    // The successor's rows replaced and the current entry's rows saved.
    void ModificaStoQuerySucc(ChiaveStorico corrente, const Definizione& righe,
                              ChiaveStorico successiva, const Definizione& righeSuccessiva);
    // The successor's definition and layout gone, the predecessor's rows saved.
    void EliminaSuccessiva(ChiaveStorico successiva, ChiaveStorico precedente,
                           const Definizione& righePrecedente);

    // Every entry with a stored definition, by Codice1 and Codice2.
    QVector<VoceStorico> Elenco();

private:
    db::Database& database_;
};

} // namespace mavo
