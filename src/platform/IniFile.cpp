#include "platform/IniFile.h"

#include "platform/Cp1252.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace mavo {

namespace {

struct Content {
    QStringList lines;
    QString newline = QStringLiteral("\r\n"); // the file's own, kept on rewrite
};

struct Entry {
    QString key;
    QString value;
};

// Lines of one section: the header line and the line after its last one.
struct Section {
    qsizetype header;
    qsizetype end;
};

Content load(const QString& path) {
    Content content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return content;
    }
    const QString text = fromCp1252(file.readAll());
    if (text.isEmpty()) {
        return content;
    }
    if (!text.contains(u"\r\n") && text.contains(u'\n')) {
        content.newline = QStringLiteral("\n");
    }
    content.lines = text.split(u'\n');
    if (content.lines.back().isEmpty()) {
        content.lines.removeLast();
    }
    for (QString& line : content.lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return content;
}

std::optional<QString> sectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(u']');
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

std::optional<Entry> entry(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) {
        return std::nullopt;
    }
    const QString key = line.left(equals).trimmed();
    if (key.isEmpty() || key.startsWith(u';')) {
        return std::nullopt;
    }
    return Entry{key, line.mid(equals + 1).trimmed()};
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The first section of that name, as Windows reads only the first one.
std::optional<Section> findSection(const QStringList& lines, const QString& name) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto found = sectionName(lines[i]);
        if (!found || !sameName(*found, name)) {
            continue;
        }
        qsizetype end = i + 1;
        while (end < lines.size() && !sectionName(lines[end])) {
            ++end;
        }
        return Section{i, end};
    }
    return std::nullopt;
}

// A value written between matching quotes reads without them.
QString unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

QString oneLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

bool save(const QString& path, const Content& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(toCp1252(content.lines.join(content.newline) + content.newline));
    return file.commit();
}

} // namespace

IniFile::IniFile(const QString& path) : path_(toLocalPath(path)) {}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const Content content = load(path_);
    if (const auto found = findSection(content.lines, section)) {
        for (qsizetype i = found->header + 1; i < found->end; ++i) {
            const auto e = entry(content.lines[i]);
            if (e && sameName(e->key, key)) {
                return unquoted(e->value);
            }
        }
    }
    return defaultValue;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    Content content = load(path_);
    const QString line = oneLine(key) + u'=' + oneLine(value);
    const auto found = findSection(content.lines, section);
    if (!found) {
        content.lines << u'[' + oneLine(section) + u']' << line;
        return save(path_, content);
    }
    qsizetype insertAt = found->header + 1;
    for (qsizetype i = found->header + 1; i < found->end; ++i) {
        const auto e = entry(content.lines[i]);
        if (!e) {
            continue;
        }
        if (sameName(e->key, key)) {
            content.lines[i] = e->key + u'=' + oneLine(value);
            return save(path_, content);
        }
        insertAt = i + 1;
    }
    content.lines.insert(insertAt, line);
    return save(path_, content);
}

QStringList IniFile::sections() const {
    QStringList names;
    for (const QString& line : load(path_).lines) {
        const auto name = sectionName(line);
        if (name && !names.contains(*name, Qt::CaseInsensitive)) {
            names << *name;
        }
    }
    return names;
}

QStringList IniFile::keys(const QString& section) const {
    const Content content = load(path_);
    QStringList names;
    if (const auto found = findSection(content.lines, section)) {
        for (qsizetype i = found->header + 1; i < found->end; ++i) {
            const auto e = entry(content.lines[i]);
            if (e && !names.contains(e->key, Qt::CaseInsensitive)) {
                names << e->key;
            }
        }
    }
    return names;
}

} // namespace mavo
