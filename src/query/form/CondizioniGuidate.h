#pragma once

#include <QString>
#include <optional>

namespace mavo {

// The texts the condition builders of the query form write into a
// definition row, from the row's field name and type code (tipo_campo) and
// what the user chose in their dialogs.

// F4: an empty condition opens a bracket, one that opens with a bracket gets
// it closed, any other is put after an opening one. `scrivere`: the user goes
// on typing in the cell.
struct Parentesi {
    QString testo;
    bool scrivere = false;
};
Parentesi MettiParentesi(const QString& condizione);

// F5: the field's own name after the condition.
QString InserisciNomeCampo(const QString& condizione, const QString& nome);

// F6: what the range dialog holds: two values, or two dates (dd/mm/yyyy).
struct ValoriRange {
    QString Valore1, Valore2;
    QString Data1, Data2;
};
// The range as a condition, "(IMPORTO>=10)AND(IMPORTO<=20)"; an end left
// empty drops its half; dates on a field that holds none give an empty
// condition. None when nothing was filled.
std::optional<QString> TestoRange(const QString& nome, int tipo, const ValoriRange& valori);

// F7: "(CALC (A*B) AS TOT)"; without a name, "(CALC (A*B))".
QString TestoFormula(const QString& formula, const QString& nomeRisposta);

// F10: "(COD=12)" for numbers, "(NOME='ROSSI')" for anything else.
QString TestoValore(const QString& nome, int tipo, const QString& valore);

// "Inserisci somma con raggruppamento corrente": "(Calc (Sum(IMPORTO)) as Tot)".
QString TestoSommaRaggruppata(const QString& campo, const QString& nomeRisposta);

// F9: the editor's text as one line; each line break becomes one blank, so
// that the words on either side stay apart.
QString CondizioneDaEditor(const QString& testo);

// A number typed with the decimal comma ("10,5") as SQL wants it ("10.5");
// a text that is no number comes back as typed.
QString NumeroPerSql(const QString& valore);

} // namespace mavo
