#pragma once

#include <QChar>
#include <QDate>
#include <QString>

// How values and names are written into SQL text, in one place: every
// statement the system builds as text goes through these.
namespace mavo::sql {

// The character stored where a code, description or stored text had an
// apostrophe: the host's archives hold it so, and their programs look for it.
inline constexpr QChar Acuto = u'\u00B4';

// "L'A" -> "L´A", as stored data is written.
QString conAcuto(const QString& testo);

// "L'A" -> "L''A": an apostrophe inside a literal being assembled can no
// longer end it.
QString apiciRaddoppiati(const QString& valore);

// "L'A" -> "'L''A'": a complete text literal.
QString letterale(const QString& valore);
// The literal, or NULL for an empty value.
QString letteraleONull(const QString& valore);

// A date as SQL text wants it, whatever the display format: "12/25/2023"
// (without apostrophes, for literals and for conditions typed by users).
QString data(const QDate& giorno);

// A name between double quotation marks, inner ones doubled: "MY ""T""".
QString identificatore(const QString& nome);

} // namespace mavo::sql
