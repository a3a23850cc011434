#include "platform/Paths.h"
#include "platform/IniFile.h"

#include "support/QtPrinters.h"
#include "ScopedEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

struct PathCase {
    const char* name;
    QString input;
    QString expected;
};
void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

class ToLocalPath : public testing::TestWithParam<PathCase> {};

TEST_P(ToLocalPath, Converts) {
    ScopedEnv windows("MAVO_WINDOWS_DIR", "/tmp/win");
    EXPECT_EQ(toLocalPath(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToLocalPath,
    testing::Values(
        PathCase{"host_relative", "/opt/host/user\\user.fdb", "/opt/host/user/user.fdb"},
        PathCase{"windows_dir", "C:\\WINDOWS\\tervald.ini", "/tmp/win/tervald.ini"},
        PathCase{"windows_dir_lower_case", "c:\\windows\\tervald.ini", "/tmp/win/tervald.ini"},
        PathCase{"windows_dir_alone", "C:\\Windows", "/tmp/win"},
        PathCase{"windows_dir_with_slash", "c:/windows/x.ini", "/tmp/win/x.ini"},
        PathCase{"similar_name_is_not_windows", "C:\\WINDOWSX\\a", "C:/WINDOWSX/a"},
        PathCase{"other_drive", "D:\\ARCHIVI\\x.fdb", "D:/ARCHIVI/x.fdb"},
        PathCase{"linux_path_unchanged", "/srv/data/x.fdb", "/srv/data/x.fdb"},
        PathCase{"mixed_settings_path", "/opt/host\\ini_log_err\\tervald.ini",
                 "/opt/host/ini_log_err/tervald.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

class ToDatabasePath : public testing::TestWithParam<PathCase> {};

TEST_P(ToDatabasePath, Converts) {
    EXPECT_EQ(toDatabasePath(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToDatabasePath,
    testing::Values(PathCase{"server_and_windows_path", "SERVER:C:\\ARCHIVI\\x.fdb",
                             "SERVER:C:\\ARCHIVI\\x.fdb"},
                    PathCase{"server_and_linux_path", "host:/srv/x.fdb", "host:/srv/x.fdb"},
                    PathCase{"server_with_port", "host/3051:/srv/x.fdb", "host/3051:/srv/x.fdb"},
                    PathCase{"local_windows_style", "/opt/host/user\\user.fdb",
                             "/opt/host/user/user.fdb"},
                    PathCase{"local_drive_letter", "C:\\ARCHIVI\\x.fdb", "C:/ARCHIVI/x.fdb"},
                    PathCase{"local_linux", "/srv/db/x.fdb", "/srv/db/x.fdb"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RemoteCase {
    const char* name;
    QString path;
    bool remote;
};

// Only a file on this machine can be looked for before connecting.
TEST(IsRemoteDatabasePath, Table) {
    const RemoteCase cases[] = {
        {"drive_letter", "C:\\x.fdb", false},
        {"linux_path", "/srv/x.fdb", false},
        {"linux_path_with_colon", "/srv/a:b.fdb", false},
        {"empty", "", false},
        {"server_and_path", "srv:/x.fdb", true},
        {"server_with_port", "localhost/3055:/x.fdb", true},
        {"server_and_windows_path", "SRV:C:\\ARCHIVI\\x.fdb", true},
        {"network_share", "\\\\SRV\\share\\x.fdb", true},
    };
    for (const RemoteCase& c : cases)
        EXPECT_EQ(isRemoteDatabasePath(c.path), c.remote) << c.name;
}

struct SplitCase {
    const char* name;
    QString path;
    QString directory;
    QString file;
};
void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class SplitPath : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitPath, Splits) {
    EXPECT_EQ(directoryPart(GetParam().path), GetParam().directory);
    EXPECT_EQ(fileNamePart(GetParam().path), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitPath,
                         testing::Values(SplitCase{"windows", "C:\\A\\b.ini", "C:\\A\\", "b.ini"},
                                         SplitCase{"linux", "/opt/h/x.fdb", "/opt/h/", "x.fdb"},
                                         SplitCase{"mixed", "/opt/h\\user\\user.fdb",
                                                   "/opt/h\\user\\", "user.fdb"},
                                         SplitCase{"file_only", "x.fdb", "", "x.fdb"},
                                         SplitCase{"directory_only", "C:\\A\\", "C:\\A\\", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST(Paths, HostDirectoryIsTheExecutablesDirectoryByDefault) {
    ScopedEnv unset("MAVO_HOST_DIR");
    EXPECT_EQ(hostDirectory(), QCoreApplication::applicationDirPath() + u'/');
}

TEST(Paths, HostDirectoryFromTheEnvironmentGetsItsTrailingSeparator) {
    ScopedEnv host("MAVO_HOST_DIR", "/opt/host");
    EXPECT_EQ(hostDirectory(), "/opt/host/");
    EXPECT_EQ(toLocalPath(hostDirectory() + "user\\user.fdb"), "/opt/host/user/user.fdb");
}

TEST(Paths, WindowsDirectoryDefaultsToTheUsersConfigDirectory) {
    ScopedEnv unset("MAVO_WINDOWS_DIR");
    ScopedEnv config("XDG_CONFIG_HOME", "/tmp/config-home");
    EXPECT_EQ(toLocalPath("C:\\WINDOWS\\tervald.ini"), "/tmp/config-home/mavo/tervald.ini");
}

TEST(Paths, SettingsFileMovesIntoIniLogErrWhenTheHostHasIt) {
    QTemporaryDir host;
    QTemporaryDir windows;
    ScopedEnv hostEnv("MAVO_HOST_DIR", host.path().toUtf8());
    ScopedEnv windowsEnv("MAVO_WINDOWS_DIR", windows.path().toUtf8());

    EXPECT_EQ(settingsFilePath(), "c:\\windows\\tervald.ini");
    EXPECT_EQ(IniFile(settingsFilePath()).path(), windows.path() + "/tervald.ini");

    ASSERT_TRUE(QDir(host.path()).mkdir("ini_log_err"));
    EXPECT_EQ(settingsFilePath(), host.path() + "\\ini_log_err\\tervald.ini");
    ASSERT_TRUE(IniFile(settingsFilePath()).writeString("DITTA", "RigheStampaQuery", "50"));
    EXPECT_TRUE(QFile::exists(host.path() + "/ini_log_err/tervald.ini"));
    EXPECT_FALSE(QFile::exists(windows.path() + "/tervald.ini"));
}
