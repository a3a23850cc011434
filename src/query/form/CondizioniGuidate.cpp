#include "query/form/CondizioniGuidate.h"

#include "platform/Formats.h"
#include "platform/SqlTesto.h"
#include "query/motore/CostruttoreSql.h"

#include <QRegularExpression>

namespace mavo {

namespace {

// A half of a range or a value: numbers bare, anything else quoted.
QString confronto(const QString& nome, const QString& operatore, int tipo, const QString& valore) {
    if (tipo_campo::Numerico(tipo))
        return u'(' + nome + operatore + NumeroPerSql(valore) + u')';
    return u'(' + nome + operatore + u'\'' + sql::apiciRaddoppiati(valore) + QStringLiteral("')");
}

QString intervallo(const QString& nome, int tipo, const QString& da, const QString& a) {
    if (!da.isEmpty() && !a.isEmpty())
        return confronto(nome, QStringLiteral(">="), tipo, da) + QStringLiteral("AND") +
               confronto(nome, QStringLiteral("<="), tipo, a);
    if (!da.isEmpty())
        return confronto(nome, QStringLiteral(">="), tipo, da);
    return confronto(nome, QStringLiteral("<="), tipo, a);
}

} // namespace

Parentesi MettiParentesi(const QString& condizione) {
    if (condizione.isEmpty())
        return {QStringLiteral("("), true};
    if (condizione.startsWith(u'('))
        return {condizione + u')', false};
    return {u'(' + condizione, true};
}

QString InserisciNomeCampo(const QString& condizione, const QString& nome) {
    return condizione + nome;
}

std::optional<QString> TestoRange(const QString& nome, int tipo, const ValoriRange& valori) {
    std::optional<QString> testo;
    if (!valori.Data1.isEmpty() || !valori.Data2.isEmpty())
        testo = tipo_campo::Temporale(tipo) || tipo == tipo_campo::Ora
                    ? intervallo(nome, tipo_campo::Data, valori.Data1, valori.Data2)
                    : QString();
    if (!valori.Valore1.isEmpty() || !valori.Valore2.isEmpty())
        testo = intervallo(nome, tipo, valori.Valore1, valori.Valore2);
    return testo;
}

QString TestoFormula(const QString& formula, const QString& nomeRisposta) {
    QString testo = QStringLiteral("(CALC (") + formula + u')';
    if (!nomeRisposta.isEmpty())
        testo += QStringLiteral(" AS ") + nomeRisposta;
    return testo + u')';
}

QString TestoValore(const QString& nome, int tipo, const QString& valore) {
    return confronto(nome, QStringLiteral("="), tipo, valore);
}

QString TestoSommaRaggruppata(const QString& campo, const QString& nomeRisposta) {
    return QStringLiteral("(Calc (Sum(") + campo + QStringLiteral(")) as ") + nomeRisposta + u')';
}

QString CondizioneDaEditor(const QString& testo) {
    static const QRegularExpression acapo(QStringLiteral("\r\n|\r|\n"));
    return QString(testo).replace(acapo, QStringLiteral(" "));
}

QString NumeroPerSql(const QString& valore) {
    if (!textToFloat(valore))
        return valore;
    return valore.trimmed().replace(formatSettings().decimalSeparator, u'.');
}

} // namespace mavo
