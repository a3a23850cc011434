#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace mavo::db {

// A statement text with its named parameters replaced by '?'.
struct ParsedSql {
    QString text;
    QStringList names;          // distinct names (upper case), in order of first use
    QVector<QVector<int>> slots; // for each name, the positions of its '?'
};

// Finds ":NAME" parameters outside string literals, quoted identifiers and
// comments. Without parameter checking the text is kept and each '?' is a
// parameter of its own.
ParsedSql parseSql(const QString& sql, bool paramCheck);

// The text with `suffix` after the name of every parameter (":CODICE" becomes
// ":CODICE#" for "#"), so that one statement can be repeated with variables
// of its own.
QString suffixParams(const QString& sql, const QString& suffix);

} // namespace mavo::db
