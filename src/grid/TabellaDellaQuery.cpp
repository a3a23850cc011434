#include "grid/TabellaDellaQuery.h"

namespace mavo {

QString TabellaDellaQuery(const QStringList& sql) {
    QString testo = sql.join(QStringLiteral("\r\n"));
    if (const qsizetype from = testo.indexOf(QStringLiteral("FROM")); from >= 0)
        testo = testo.mid(from + 1);
    const qsizetype apertura = testo.indexOf(u'"');
    const qsizetype chiusura = apertura < 0 ? -1 : testo.indexOf(u'"', apertura + 1);
    return chiusura < 0 ? QString() : testo.mid(apertura + 1, chiusura - apertura - 1);
}

} // namespace mavo
