#pragma once

#include <QString>
#include <functional>

namespace mavo {

// What the condition of a definition row asks for. The language:
// - empty: nothing;
// - "(" first: an SQL condition as the user wrote it;
// - CALC(expression): a column computed by SQL, or, when the expression is
//   SOMMAPROG(field[,order]) AS NAME or INTEROVEK(field) AS NAME, a column
//   computed after the answer is read (running sum, integer part);
// - EXTRACT(...) without CALC: the whole condition is a computed column;
// - anything else: a search for rows whose field contains the text.
// The words are recognised only as words followed by "(" (blanks allowed),
// outside quoted literals: a search for "calce" stays a search.
struct Condizione {
    enum class Tipo { Vuota, Sql, Ricerca, Calcolata, SommaProg, InteroVek };

    Tipo tipo = Tipo::Vuota;
    QString testo; // as written
    // Calcolata: the SELECT column, and whether it groups (SUM, COUNT, MIN,
    // MAX, AVG) or holds an EXTRACT (a group of its own when grouping).
    QString espressione;
    bool aggregata = false;
    bool estrazione = false;
    // SommaProg, InteroVek: the field read, the order of a running sum
    // (empty: the answer's own), the name of the new column.
    QString campo;
    QString ordine;
    QString nome;

    bool calcolata() const {
        return tipo == Tipo::Calcolata || tipo == Tipo::SommaProg || tipo == Tipo::InteroVek;
    }
};

Condizione AnalizzaCondizione(const QString& testo);

// True when `parola` stands in `testo` as a word followed by "(" (blanks
// allowed), outside quoted literals, in any case.
bool ContieneFunzione(const QString& testo, const QString& parola);

// Calls `visita` with the position of every character outside quoted
// literals ('...' and "...", a doubled quote staying inside).
void FuoriDaiLetterali(const QString& testo, const std::function<void(qsizetype)>& visita);

// Prefixes "XX." to every whole occurrence of the identifier `campo` in an
// SQL condition, outside quoted literals and where it is not already
// qualified ("A" in "(A > 1 AND A < 9)" twice, never inside "AND").
QString PrefissaCampo(const QString& condizione, const QString& campo);

} // namespace mavo
