#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

namespace mavo {

// A value of a report expression.
struct ValoreReport {
    enum class Tipo { Vuoto, Testo, Numero, Data, Booleano };
    Tipo tipo = Tipo::Vuoto;
    QString testo;
    double numero = 0;
    QDate data;
    bool vero = false;

    static ValoreReport Testo(const QString& t) { return {Tipo::Testo, t, 0, {}, false}; }
    static ValoreReport Numero(double n) { return {Tipo::Numero, {}, n, {}, false}; }
    static ValoreReport Data(const QDate& d) { return {Tipo::Data, {}, 0, d, false}; }
    static ValoreReport Booleano(bool b) { return {Tipo::Booleano, {}, 0, {}, b}; }

    // As printed: numbers with ',' and as many decimals as they have, dates
    // dd/mm/yyyy, booleans "True"/"False".
    QString Stampabile() const;
    bool Vero() const;
};

// The names an expression may use: fields and variables (looked up without
// regard to case, names written in upper case here) and the page number.
struct ContestoReport {
    const QHash<QString, ValoreReport>* Nomi = nullptr;
    const QHash<QString, ValoreReport>* AltriNomi = nullptr;
    int Pagina = 1;
};

// An expression of the report projects, in the part of the language the
// projects this tool writes use: names of fields and variables (also with
// dots, "Totale.IMPORTO"), numbers, texts in double or single quotes, + - * /,
// the comparisons = <> < > <= >=, and, or, not, parentheses and the
// functions Fstr$, Str$, Page, Upper$, Lower$, Len, Left$, Right$, Mid$.
class EspressioneReport {
public:
    EspressioneReport();
    ~EspressioneReport();
    EspressioneReport(EspressioneReport&&) noexcept;
    EspressioneReport& operator=(EspressioneReport&&) noexcept;

    static EspressioneReport Compila(const QString& testo);

    const QString& Testo() const { return testo_; }
    // Empty when it compiled; else what is wrong (an unknown function, a
    // syntax error).
    const QString& Errore() const { return errore_; }
    bool Valida() const { return errore_.isEmpty(); }
    // The names of fields and variables it reads (as written).
    const QStringList& Nomi() const { return nomi_; }

    // An invalid expression, or one reading an unknown name, gives Vuoto.
    ValoreReport Valuta(const ContestoReport& contesto) const;

    struct Nodo;

private:
    QString testo_;
    QString errore_;
    QStringList nomi_;
    std::unique_ptr<Nodo> radice_;
};

// Fstr$: a number written after a picture of '-' and '#' (a digit, blank when
// it leads; the first leading '-' takes a minus sign), '&' (a digit, always),
// ',' (thousands separator) and '.' (decimal separator): "---,--&.##" writes
// -1234.5 as "-1.234,50". A number too long for the picture fills it with
// '#'. Leading blanks are dropped.
QString FormattaFstr(double numero, const QString& figura);

} // namespace mavo
