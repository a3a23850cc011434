#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace mavo {

namespace {

bool isSeparator(QChar c) {
    return c == u'\\' || c == u'/';
}

qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

} // namespace

QString hostDirectory() {
    QString directory = qEnvironmentVariable("MAVO_HOST_DIR");
    if (directory.isEmpty()) {
        // /proc/self/exe works before (and without) a QCoreApplication.
        directory =
            QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
    }
    if (directory.isEmpty() || !isSeparator(directory.back())) {
        directory += u'/';
    }
    return directory;
}

QString joinPath(const QString& directory, const QString& relative) {
    if (directory.isEmpty()) {
        return relative;
    }
    const bool unixStyle = directory.contains(u'/') && !directory.contains(u'\\');
    return withoutTrailingSeparator(directory) + (unixStyle ? u'/' : u'\\') + relative;
}

QString windowsDirectory() {
    const QString configured = qEnvironmentVariable("MAVO_WINDOWS_DIR");
    if (!configured.isEmpty()) {
        return withoutTrailingSeparator(configured);
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mavo");
}

QString toLocalPath(const QString& path) {
    QString local = path;
    local.replace(u'\\', u'/');
    static const QString windows = QStringLiteral("C:/WINDOWS");
    if (local.startsWith(windows, Qt::CaseInsensitive) &&
        (local.size() == windows.size() || local[windows.size()] == u'/')) {
        local.replace(0, windows.size(), windowsDirectory());
    }
    return local;
}

namespace {

// "C:\x.fdb" has its colon at 1; a server name puts it further on.
bool namesServer(const QString& path) {
    return path.indexOf(u':') > 1 && !isSeparator(path.front());
}

} // namespace

QString toDatabasePath(const QString& path) {
    return namesServer(path) ? path : toLocalPath(path);
}

bool isRemoteDatabasePath(const QString& path) {
    return path.startsWith(QStringLiteral("\\\\")) || (!path.isEmpty() && namesServer(path));
}

QString settingsFilePath() {
    const QString hostSettings = hostDirectory() + QStringLiteral("ini_log_err");
    if (QFileInfo(toLocalPath(hostSettings)).isDir()) {
        return withoutTrailingSeparator(hostDirectory()) +
               QStringLiteral("\\ini_log_err\\tervald.ini");
    }
    return QStringLiteral("c:\\windows\\tervald.ini");
}

QString directoryPart(const QString& path) {
    return path.left(lastSeparator(path) + 1);
}

QString fileNamePart(const QString& path) {
    return path.mid(lastSeparator(path) + 1);
}

QString withoutTrailingSeparator(const QString& directory) {
    QString result = directory;
    while (result.size() > 1 && isSeparator(result.back())) {
        result.chop(1);
    }
    return result;
}

void useEngineConfigurationBesideProgram() {
    if (qEnvironmentVariableIsEmpty("FIREBIRD"))
        qputenv("FIREBIRD", QDir(QCoreApplication::applicationDirPath() + "/../firebird")
                                .absolutePath()
                                .toLocal8Bit());
}

} // namespace mavo
