#include "common/DateSQL.h"
#include "platform/SqlTesto.h"

#include "platform/Formats.h"

namespace mavo {

namespace {

// Where the closing apostrophe and the second slash of a literal stand,
// counted from its first slash, for d/m/yy, dd/mm/yy, d/m/yyyy and dd/mm/yyyy
// months and years, in the order they are tried.
struct Chiusura {
    int apostrofo;
    int barra;
};
constexpr Chiusura kChiusure[] = {{5, 2}, {6, 3}, {7, 2}, {8, 3}};

} // namespace

QString ConvertiDateSQL(QString sql) {
    const auto is = [&sql](qsizetype i, QChar c) {
        return i >= 0 && i < sql.size() && sql[i] == c;
    };
    qsizetype i = 0;
    while (i < sql.size()) {
        if (sql[i] == u'/') {
            const qsizetype apertura = is(i - 2, u'\'') ? i - 2 : is(i - 3, u'\'') ? i - 3 : -1;
            qsizetype chiusura = -1;
            for (const Chiusura& c : kChiusure) {
                if (is(i + c.apostrofo, u'\'') && is(i + c.barra, u'/')) {
                    chiusura = i + c.apostrofo;
                    break;
                }
            }
            if (apertura >= 0 && chiusura >= 0) {
                const qsizetype n = chiusura - apertura + 1;
                sql.replace(apertura, n, ScambiaGiornoMese(sql.sliced(apertura, n)));
                i = chiusura + 1;
                continue;
            }
        }
        ++i;
    }
    return sql;
}

QString ScambiaGiornoMese(const QString& letterale) {
    const qsizetype prima = letterale.indexOf(u'/');
    const qsizetype seconda = prima < 0 ? -1 : letterale.indexOf(u'/', prima + 1);
    if (seconda < 0) {
        return letterale;
    }
    const QString giorno = letterale.mid(1, prima - 1);
    const QString mese = letterale.mid(prima + 1, seconda - prima - 1);
    return u'\'' + mese + u'/' + giorno + letterale.mid(seconda);
}

QString DataSQL(const QDate& data) {
    return sql::letterale(sql::data(data));
}

} // namespace mavo
