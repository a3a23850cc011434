#include "platform/SqlTesto.h"

namespace mavo::sql {

QString conAcuto(const QString& testo) {
    return QString(testo).replace(u'\'', Acuto);
}

QString apiciRaddoppiati(const QString& valore) {
    return QString(valore).replace(u'\'', QStringLiteral("''"));
}

QString letterale(const QString& valore) {
    return u'\'' + apiciRaddoppiati(valore) + u'\'';
}

QString letteraleONull(const QString& valore) {
    return valore.isEmpty() ? QStringLiteral("NULL") : letterale(valore);
}

QString data(const QDate& giorno) {
    return giorno.toString(u"MM/dd/yyyy");
}

QString identificatore(const QString& nome) {
    return u'"' + QString(nome).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace mavo::sql
