#include "common/TabelleTemp.h"

#include <algorithm>

namespace mavo {

namespace {

// Opens the table for this user alone and empties it; false when someone else
// holds it.
bool apriVuota(LocalTable& tabella) {
    tabella.close();
    if (!tabella.openExclusive()) {
        return false;
    }
    tabella.empty();
    return true;
}

bool tutteCifre(QStringView testo) {
    return !testo.isEmpty() &&
           std::all_of(testo.begin(), testo.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString PreparaTabellaTemp(LocalTable& tabella) {
    if (!tabella.exists()) {
        return QStringLiteral("Non Esiste");
    }
    if (apriVuota(tabella)) {
        return QStringLiteral("Esiste Libera");
    }
    do {
        tabella.setFileName(NomeTabellaSuccessivo(tabella.fileName()));
    } while (tabella.exists() && !apriVuota(tabella));
    return QStringLiteral("Esiste Occupata");
}

QString NomeTabellaSuccessivo(const QString& nomeFile) {
    QString nome = nomeFile.toUpper();
    if (nome.endsWith(QLatin1String(".DB"))) {
        nome.chop(3);
    }
    const QString ultime = nome.right(2);
    if (ultime.size() == 2 && tutteCifre(ultime)) {
        nome.chop(2);
        return nome + QStringLiteral("%1.DB").arg(ultime.toInt() + 1, 2, 10, QLatin1Char('0'));
    }
    return nome.left(5) + QStringLiteral("01.DB");
}

bool EliminaTabellaTemp(LocalTable& tabella, const QString& nomeBase) {
    if (tabella.fileName().compare(nomeBase, Qt::CaseInsensitive) == 0) {
        return true;
    }
    tabella.close();
    return tabella.remove();
}

} // namespace mavo
