#pragma once

#include "query/motore/Definizione.h"

#include <QString>
#include <optional>

namespace mavo {

class Interazione;

// The lock of a query is one row of its definition, so that it is stored
// and loaded with it: Nome "QUERY BLOCCATA", Mostra 7, Condizione empty for
// a simple lock or the scrambled key.
enum class TipoBlocco { Nessuno, Semplice, ConChiave };

inline constexpr int LunghezzaChiave = 6;

// The key as stored queries hold it: each byte the complement of the bits
// 10100110 of the character before it (the last for the first) and 01011001
// of its own, written as decimal numbers separated by blanks. This keeps
// keys compatible with queries stored by the Windows programs; it is no
// protection: anyone with the stored text can find a key that opens it.
QString CriptaChiave(const QString& chiave);

// Why a key typed for a new lock cannot be taken (none: it can).
std::optional<QString> ChiaveNonAccettabile(const QString& chiave);

// The position of the lock row: the first row with Mostra 7 (-1: none).
int RigaBlocco(const Definizione& righe);

// The lock dialog's work without its window: what it finds at opening, the
// key typed to unlock, the transition on OK. Messages go to the port.
class BloccoQuery {
public:
    BloccoQuery(Interazione& port, bool bloccata, const Definizione& righe);

    TipoBlocco TipoAttuale() const { return tipo_; }
    bool ChiaveValida() const { return chiaveValida_; }

    // "&Accetta chiave": the key of a keyed lock must match; any other kind
    // takes a new key. False (after telling why) when it is not taken.
    bool AccettaChiave(const QString& chiave);

    // OK with the kind the checkboxes ask for and the key typed: the lock
    // row appended, changed or removed and `bloccata` following it. False
    // (after telling why, rows untouched) when the change needs a key it
    // has not been given; true also when there is nothing to change.
    bool Applica(TipoBlocco nuovo, const QString& chiave, Definizione& righe, bool& bloccata);

private:
    Interazione& port_;
    TipoBlocco tipo_ = TipoBlocco::Nessuno;
    QString chiaveSalvata_;
    bool chiaveValida_ = false;
};

} // namespace mavo
