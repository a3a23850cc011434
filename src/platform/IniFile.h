#pragma once

#include <QString>
#include <QStringList>

namespace mavo {

// A settings file with the semantics of the Windows profile calls: section and
// key names compare without regard to case, a missing file, section or key
// reads as the default, and a write changes only its own line, keeping
// comments, other sections and the order of keys. Every call reads the file
// afresh and every write reaches the disk at once, so processes sharing a file
// see each other's values. The file is Windows-1252, without a byte-order mark.
class IniFile {
public:
    // The path as the system stores it (Windows-style or local).
    explicit IniFile(const QString& path);

    // The local path of the file.
    const QString& path() const { return path_; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;

    // Creates the file (and its directory) when missing. False when the file
    // cannot be written. A value is one line: line breaks become blanks.
    bool writeString(const QString& section, const QString& key, const QString& value);

    // Section names in file order, each once.
    QStringList sections() const;

    // Key names of a section in file order, each once.
    QStringList keys(const QString& section) const;

private:
    QString path_;
};

} // namespace mavo
