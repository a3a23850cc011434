#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Readable Qt values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& lines, std::ostream* out) {
    *out << '{';
    for (const QString& line : lines)
        *out << "\n  \"" << line.toStdString() << '"';
    *out << "\n}";
}
