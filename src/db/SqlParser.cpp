#include "db/SqlParser.h"

#include <QHash>

namespace mavo::db {

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == '_' || c == '$';
}

// Copies the text, handing each parameter (its upper-case name, or an empty
// name for a '?' without parameter checking) to `replace`, which gives what
// takes its place. Literals, quoted identifiers and comments stay as they are.
template <typename Replace> QString scan(const QString& sql, bool paramCheck, Replace&& replace) {
    QString out;
    out.reserve(sql.size());
    const int n = sql.size();
    int i = 0;
    auto copyUntil = [&](int end) {
        out += QStringView(sql).mid(i, end - i);
        i = end;
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c == '\'' || c == '"') {
            // Literal or quoted identifier; a doubled quote stays inside.
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            copyUntil(qMin(j + 1, n));
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            const int eol = sql.indexOf('\n', i);
            copyUntil(eol < 0 ? n : eol);
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const int end = sql.indexOf("*/", i + 2);
            copyUntil(end < 0 ? n : end + 2);
        } else if (!paramCheck && c == '?') {
            out += replace(QString());
            ++i;
        } else if (paramCheck && c == ':' && i + 1 < n && isNameChar(sql[i + 1])) {
            int j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            out += replace(sql.mid(i + 1, j - i - 1).toUpper());
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace

ParsedSql parseSql(const QString& sql, bool paramCheck) {
    ParsedSql out;
    QHash<QString, int> byName;
    int position = 0;
    out.text = scan(sql, paramCheck, [&](const QString& name) {
        if (name.isEmpty()) {
            out.names << QString::number(out.names.size() + 1);
            out.slots.append(QVector<int>{position++});
            return QStringLiteral("?");
        }
        auto it = byName.find(name);
        if (it == byName.end()) {
            it = byName.insert(name, out.names.size());
            out.names << name;
            out.slots.append(QVector<int>());
        }
        out.slots[it.value()].append(position++);
        return QStringLiteral("?");
    });
    return out;
}

QString suffixParams(const QString& sql, const QString& suffix) {
    return scan(sql, true, [&](const QString& name) { return ':' + name + suffix; });
}

} // namespace mavo::db
