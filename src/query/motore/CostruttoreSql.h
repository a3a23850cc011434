#pragma once

#include "query/motore/Condizione.h"
#include "query/motore/Definizione.h"

#include <QStringList>
#include <functional>

namespace mavo {

// Field type codes as the tool's dialogs know them.
namespace tipo_campo {
inline constexpr int Sconosciuto = 0;
inline constexpr int Stringa = 1;
inline constexpr int Intero16 = 2;
inline constexpr int Intero = 3;
inline constexpr int Word = 4;
inline constexpr int Logico = 5;
inline constexpr int Virgola = 6;
inline constexpr int Bcd = 8;
inline constexpr int Data = 9;
inline constexpr int Ora = 10;
inline constexpr int DataOra = 11;
inline constexpr int Blob = 15;
inline constexpr int Memo = 16;
inline constexpr int Intero64 = 25;

inline bool Numerico(int t) {
    return t == Intero16 || t == Intero || t == Word || t == Virgola || t == Bcd || t == Intero64;
}
inline bool Temporale(int t) {
    return t == Data || t == DataOra;
}
} // namespace tipo_campo

// What the builder needs to know of a field named as in the definition
// ("FIELD" of the main table, "L.FIELD" of a linked one).
struct InfoCampo {
    int tipo = tipo_campo::Sconosciuto;
    int lunghezza = 0; // characters of a text field
};
using TipoDelCampo = std::function<InfoCampo(const QString& nome)>;

// A column the answer gets after it is read: a running sum or an integer part.
struct ColonnaCalcolata {
    Condizione::Tipo tipo = Condizione::Tipo::SommaProg;
    QString campo;
    QString ordine;
    QString nome;
};

struct IstruzioneQuery {
    QStringList sql; // one element per line
    QVector<ColonnaCalcolata> calcolate;
};

// The statement of the definition rows whose Numero lies between `primo` and
// `ultimo`: SELECT list, FROM with the linked tables nested from the left,
// WHERE, GROUP BY. The main table carries the alias XX.
IstruzioneQuery Interroga(const Definizione& definizione, int primo, int ultimo,
                          const QString& tabella, const TipoDelCampo& tipoCampo);

// The side-by-side members of a definition: ranges of Numero, each closed by
// its marker row, a member's header row left out.
QVector<std::pair<int, int>> SegmentiUnione(const Definizione& definizione);

// The statement as text to paste into a quoted string: apostrophes doubled.
QStringList TestoPerAppunti(const QStringList& sql);

} // namespace mavo
