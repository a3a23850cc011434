#include "ChildProcess.h"

#include "platform/IniFile.h"
#include "platform/LocalTable.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr char kRole[] = "MAVO_TEST_CHILD";
constexpr char kArguments[] = "MAVO_TEST_CHILD_ARGS";
constexpr char kSeparator = '\x1f';

void say(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int play(const QString& role, const QStringList& a) {
    using namespace mavo;
    if (role == u"write-ini") {
        return IniFile(a[0]).writeString(a[1], a[2], a[3]) ? 0 : 1;
    }
    if (role == u"read-ini") {
        say(IniFile(a[0]).readString(a[1], a[2]));
        return 0;
    }
    LocalTable table(a[0], a[1]);
    const bool opened = table.openExclusive();
    if (role == u"try-table") {
        say(opened ? QStringLiteral("opened") : QStringLiteral("busy"));
        return 0;
    }
    say(opened ? QStringLiteral("held") : QStringLiteral("busy"));
    std::string line;
    std::getline(std::cin, line);
    return 0;
}

// Decided before main(): a helper run must never start the tests.
[[maybe_unused]] const bool isChild = [] {
    if (!qEnvironmentVariableIsSet(kRole)) {
        return false;
    }
    const QStringList arguments = qEnvironmentVariable(kArguments).split(QChar(kSeparator));
    std::exit(play(qEnvironmentVariable(kRole), arguments));
}();

} // namespace

std::unique_ptr<QProcess> startChild(const QString& role, const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kRole), role);
    environment.insert(QString::fromLatin1(kArguments), arguments.join(QChar(kSeparator)));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QCoreApplication::applicationFilePath(), QStringList());
    process->waitForStarted();
    return process;
}

QString runChild(const QString& role, const QStringList& arguments) {
    const auto process = startChild(role, arguments);
    process->closeWriteChannel();
    process->waitForFinished();
    return QString::fromUtf8(process->readAllStandardOutput()).trimmed();
}
