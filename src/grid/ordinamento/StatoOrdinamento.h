#pragma once

#include "grid/Colore.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVector>
#include <utility>

namespace mavo {

// One key of a sort on several columns.
struct ChiaveOrdinamento {
    QString Nome;        // field name, upper case
    QString Espressione; // SQL expression sorted on
    int Colonna = -1;
    int Verso = 1; // 1 ascending, 2 descending
};

// The column whose title was double-clicked.
struct ColonnaTitolo {
    QString nome;        // field name
    QString espressione; // EspressioneCampo() of the field
    int colonna = -1;
};

// A grid's sort: one key, or (with Ctrl) several keys in order.
struct StatoOrdinamento {
    int ModoOrdinamento = 0;  // 0 not yet known, 1 single key, 2 several keys
    QString CampoOrdinamento; // upper case
    QString EspressioneOrdinamento;
    int ColonnaOrdinamento = -1;
    int VersoOrdinamento = 1; // 1 ascending, 2 descending
    QVector<ChiaveOrdinamento> ChiaviOrdinamento;

    // Back to "no sort, mode not yet known".
    void Azzera();

    // A double-click on a column title. Without Ctrl the column becomes the
    // only key (a second click on it flips the direction); with Ctrl it joins
    // the keys, or flips its direction when it is one of them already.
    void DoppioClicTitolo(const ColonnaTitolo& colonna, bool ctrl);

    // Whether anything is to be sorted on.
    bool HaChiavi() const;

    // The ORDINAMENTO value stored on the layout row of a field: single key
    // 1 or 2; several keys +10*(k+1) ascending, -10*(k+1) descending for the
    // key at position k; null for a field that is not a key.
    QVariant ValoreOrdinamento(const QString& nomeCampo) const;

    // The key names, each followed by ';' (how a table or a memory dataset is sorted).
    QString ListaChiavi() const;

    // What a table or a memory dataset is sorted on: the single key, or the
    // key list; one direction for all, the (first) key's.
    QString CampiOrdinamento() const;
    bool Discendente() const;

    // The title colour of each sorted column below `colonne`: the (first) key
    // gets `coloreCampoOrdinato`, the second light red, the later ones light orange.
    QList<std::pair<int, TColor>> ColoriTitoli(TColor coloreCampoOrdinato, int colonne) const;

private:
    void chiaveSingola(const ColonnaTitolo& colonna);
    void chiaveMultipla(const ColonnaTitolo& colonna);
};

} // namespace mavo
