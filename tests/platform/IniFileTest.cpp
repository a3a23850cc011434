#include "platform/IniFile.h"

#include "ChildProcess.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kSample = "; impostazioni\r\n"
                           "[Sezione]\r\n"
                           "Chiave=valore\r\n"
                           "  Spazi  =  con spazi  \r\n"
                           "Virgolette=\"  tra virgolette  \"\r\n"
                           "Vuota=\r\n"
                           ";Commentata=no\r\n"
                           "\r\n"
                           "[sezione]\r\n"
                           "Chiave=seconda\r\n"
                           "[Altra]\r\n"
                           "Chiave=altra\r\n";

class IniFileTest : public testing::Test {
protected:
    void SetUp() override { writeBytes(path(), kSample); }
    QString path() const { return dir_.filePath("tervald.ini"); }

    QTemporaryDir dir_;
};

struct ReadCase {
    const char* name;
    QString section;
    QString key;
    QString expected;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class IniRead : public IniFileTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(IniRead, ReadsLikeWindows) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniFile(path()).readString(c.section, c.key, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniRead,
    testing::Values(ReadCase{"exact", "Sezione", "Chiave", "valore"},
                    ReadCase{"names_ignore_case", "SEZIONE", "chiave", "valore"},
                    ReadCase{"blanks_around_key_and_value", "Sezione", "spazi", "con spazi"},
                    ReadCase{"quotes_removed", "Sezione", "Virgolette", "  tra virgolette  "},
                    ReadCase{"empty_value_is_not_the_default", "Sezione", "Vuota", ""},
                    ReadCase{"comment_is_no_key", "Sezione", "Commentata", "<default>"},
                    ReadCase{"first_of_repeated_sections", "sezione", "Chiave", "valore"},
                    ReadCase{"other_section", "Altra", "Chiave", "altra"},
                    ReadCase{"missing_key", "Altra", "Nessuna", "<default>"},
                    ReadCase{"missing_section", "Nessuna", "Chiave", "<default>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFileTest, ListsSectionsOnceInFileOrderAndKeysOfTheFirstSection) {
    const IniFile ini(path());
    EXPECT_EQ(ini.sections(), QStringList({"Sezione", "Altra"}));
    EXPECT_EQ(ini.keys("SEZIONE"), QStringList({"Chiave", "Spazi", "Virgolette", "Vuota"}));
    EXPECT_EQ(ini.keys("Nessuna"), QStringList());
}

TEST_F(IniFileTest, MissingFileReadsAsDefaultsAndIsCreatedOnWrite) {
    IniFile ini(dir_.filePath("nuova/dati.ini"));
    EXPECT_EQ(ini.readString("CONFIG", "Nome Server", "x"), "x");
    EXPECT_EQ(ini.sections(), QStringList());
    ASSERT_TRUE(ini.writeString("CONFIG", "Nome Server", "SRV"));
    EXPECT_EQ(readBytes(ini.path()), QByteArray("[CONFIG]\r\nNome Server=SRV\r\n"));
}

TEST_F(IniFileTest, WritingChangesOnlyTheLineOfTheKey) {
    IniFile ini(path());
    // A key that differs only in case is the same key, in the first section.
    ASSERT_TRUE(ini.writeString("SEZIONE", "CHIAVE", "nuovo"));
    QByteArray expected = kSample;
    expected.replace("Chiave=valore", "Chiave=nuovo");
    EXPECT_EQ(readBytes(path()), expected);
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
    ASSERT_TRUE(IniFile(path()).writeString("sezione", "Nuova", "1"));
    QByteArray expected = kSample;
    expected.replace("Vuota=\r\n", "Vuota=\r\nNuova=1\r\n");
    EXPECT_EQ(readBytes(path()), expected);
}

TEST_F(IniFileTest, NewSectionGoesAtTheEnd) {
    ASSERT_TRUE(IniFile(path()).writeString("Terza", "k", "v"));
    EXPECT_EQ(readBytes(path()), kSample + "[Terza]\r\nk=v\r\n");
}

TEST_F(IniFileTest, FileWithLineFeedsKeepsThem) {
    writeBytes(path(), "[A]\nk=1\n");
    ASSERT_TRUE(IniFile(path()).writeString("A", "j", "2"));
    EXPECT_EQ(readBytes(path()), QByteArray("[A]\nk=1\nj=2\n"));
}

TEST_F(IniFileTest, TextIsWindows1252OnDisk) {
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString("Perché", "Prezzo", "€ 1´2"));
    EXPECT_TRUE(readBytes(path()).endsWith("[Perch\xE9]\r\nPrezzo=\x80 1\xB4"
                                           "2\r\n"));
    EXPECT_EQ(ini.readString("PERCHÉ", "prezzo"), "€ 1´2");
}

TEST_F(IniFileTest, LineBreaksInAValueCannotAddLines) {
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString("Altra", "Note", "riga\r\n[Sezione]\nChiave=rubata"));
    EXPECT_EQ(ini.readString("Altra", "Note"), "riga  [Sezione] Chiave=rubata");
    EXPECT_EQ(ini.readString("Sezione", "Chiave"), "valore");
}

TEST_F(IniFileTest, AnotherProcessSeesTheValueAtOnce) {
    ASSERT_EQ(runChild("write-ini", {path(), "altra", "CHIAVE", "dal figlio è"}), QString());
    EXPECT_EQ(IniFile(path()).readString("Altra", "Chiave"), "dal figlio è");

    ASSERT_TRUE(IniFile(path()).writeString("Sezione", "Chiave", "dal padre"));
    EXPECT_EQ(runChild("read-ini", {path(), "sezione", "chiave"}), "dal padre");
}

} // namespace
