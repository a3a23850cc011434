#include "platform/LocalTable.h"
#include "platform/IoError.h"

#include "ChildProcess.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mavo;
using Type = LocalField::Type;

namespace {

const QList<LocalField> kFields = {
    {"Codice", Type::AutoInc},  {"Pagina", Type::SmallInt}, {"Riga", Type::Float},
    {"Testo", Type::String, 5}, {"Note", Type::Memo},       {"Data", Type::Date},
    {"Totale", Type::BigInt},   {"Quanti", Type::Integer},  {"Fatto", Type::Boolean},
};

class LocalTableTest : public testing::Test {
protected:
    LocalTable table(const QString& fileName = "RISPTMP.DB") const {
        return LocalTable(dir_.path() + "\\", fileName);
    }
    QString directory() const { return dir_.path(); }

    QTemporaryDir dir_;
};

// A second process holding the table until it is let go.
class Holder {
public:
    Holder(const QString& directory, const QString& fileName)
        : process_(startChild("hold-table", {directory, fileName})) {
        process_->waitForReadyRead(10000);
        answer_ = QString::fromUtf8(process_->readLine()).trimmed();
    }
    ~Holder() { release(); }
    const QString& answer() const { return answer_; }
    void release() {
        if (process_->state() == QProcess::NotRunning) {
            return;
        }
        process_->write("\n");
        process_->closeWriteChannel();
        process_->waitForFinished();
    }

private:
    std::unique_ptr<QProcess> process_;
    QString answer_;
};

} // namespace

TEST_F(LocalTableTest, CreatedTableKeepsTypedRowsInIndexOrder) {
    LocalTable t = table();
    EXPECT_FALSE(t.exists());
    t.create(kFields, {"Pagina", "Riga"});
    EXPECT_TRUE(t.exists());
    EXPECT_EQ(t.filePath(), directory() + "/RISPTMP.DB");

    t.insert({QVariant(), 2, 1.5, "abcdefgh", "lunga è", QDate(2024, 3, 5), 1LL << 40, 7, true});
    t.insert({QVariant(), 1, 2.0, "x"});
    t.insert({10, 1, 1.0});
    t.insert({QVariant(), 3, 0.5});
    t.close();

    ASSERT_TRUE(t.openExclusive());
    EXPECT_EQ(t.fields(), kFields);
    const QList<QVariantList> rows = t.rows();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], QVariantList({10LL, 1LL, 1.0, {}, {}, {}, {}, {}, {}}));
    EXPECT_EQ(rows[1], QVariantList({2LL, 1LL, 2.0, "x", {}, {}, {}, {}, {}}));
    EXPECT_EQ(rows[2], QVariantList({1LL, 2LL, 1.5, "abcde", "lunga è", QDate(2024, 3, 5),
                                     qlonglong(1LL << 40), 7LL, true}));
    EXPECT_EQ(rows[3][0], 11LL) << "the next number follows the highest";
}

TEST_F(LocalTableTest, WithoutIndexRowsComeInInsertionOrder) {
    LocalTable t = table();
    t.create({{"Nome", Type::String, 10}});
    for (const char* name : {"c", "a", "b"}) {
        t.insert({name});
    }
    EXPECT_EQ(t.rows(), QList<QVariantList>({{"c"}, {"a"}, {"b"}}));
    t.empty();
    EXPECT_TRUE(t.rows().isEmpty());
}

TEST_F(LocalTableTest, LeavesNoOtherFileBesideTheTable) {
    LocalTable t = table();
    t.create({{"Nome", Type::String, 10}});
    t.insert({"a"});
    EXPECT_EQ(QDir(directory()).entryList(QDir::Files), QStringList({"RISPTMP.DB"}));
}

TEST_F(LocalTableTest, OnlyOneHolderInTheProcess) {
    LocalTable first = table();
    first.create({{"Nome", Type::String, 10}});
    LocalTable second = table();
    EXPECT_FALSE(second.openExclusive());
    EXPECT_FALSE(second.remove());
    EXPECT_TRUE(first.exists());
    EXPECT_THROW(second.create({{"Altro", Type::Integer}}), IoError);

    first.close();
    EXPECT_TRUE(second.openExclusive());
    EXPECT_FALSE(first.openExclusive());
}

TEST_F(LocalTableTest, AnotherProcessHoldingTheTableKeepsUsOut) {
    table().create({{"Nome", Type::String, 10}});
    LocalTable mine = table();
    {
        Holder other(directory(), "RISPTMP.DB");
        ASSERT_EQ(other.answer(), "held");
        EXPECT_FALSE(mine.openExclusive());
        EXPECT_FALSE(mine.remove());
        other.release();
        EXPECT_TRUE(mine.openExclusive());
    }
    EXPECT_EQ(runChild("try-table", {directory(), "RISPTMP.DB"}), "busy");
    mine.close();
    EXPECT_EQ(runChild("try-table", {directory(), "RISPTMP.DB"}), "opened");
}

TEST_F(LocalTableTest, RemoveDeletesTheFile) {
    LocalTable t = table();
    EXPECT_TRUE(t.remove()) << "no file, nothing to do";
    t.create({{"Nome", Type::String, 10}});
    EXPECT_TRUE(t.remove());
    EXPECT_FALSE(t.isOpen());
    EXPECT_FALSE(t.exists());
}

TEST_F(LocalTableTest, FileThatIsNoTableCannotBeOpened) {
    QFile junk(directory() + "/RISPTMP.DB");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    LocalTable t = table();
    EXPECT_TRUE(t.exists());
    EXPECT_FALSE(t.openExclusive());
    EXPECT_FALSE(t.isOpen());
}

TEST_F(LocalTableTest, SetFileNameClosesAndPointsAtAnotherFile) {
    LocalTable t = table();
    t.create({{"Nome", Type::String, 10}});
    t.setFileName("RISPT01.DB");
    EXPECT_FALSE(t.isOpen());
    EXPECT_FALSE(t.exists());
    EXPECT_FALSE(t.openExclusive());
    EXPECT_TRUE(table().openExclusive()) << "the first table was released";
}
