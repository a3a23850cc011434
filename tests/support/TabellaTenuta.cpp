#include "TabellaTenuta.h"

#include "platform/LocalTable.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <cstdio>
#include <gtest/gtest.h>

namespace mavo::test {

namespace {

// Run in the second process: holds the table named by MAVO_TABELLA_TENUTA
// ("directory|file") until its standard input closes.
TEST(TabellaTenutaAltrove, DISABLED_TieneLaTabella) {
    const QStringList dove = qEnvironmentVariable("MAVO_TABELLA_TENUTA").split(u'|');
    ASSERT_EQ(dove.size(), 2);
    LocalTable tabella(dove[0], dove[1]);
    ASSERT_TRUE(tabella.openExclusive());
    std::puts("TABELLA TENUTA");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
}

} // namespace

TabellaTenuta::TabellaTenuta(const QString& directory, const QString& file) {
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("MAVO_TABELLA_TENUTA", directory + u'|' + file);
    processo_.setProcessEnvironment(ambiente);
    processo_.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_also_run_disabled_tests",
                     "--gtest_filter=TabellaTenutaAltrove.DISABLED_TieneLaTabella"});
    QByteArray uscita;
    while (!uscita.contains("TABELLA TENUTA") && processo_.waitForReadyRead(20000)) {
        uscita += processo_.readAllStandardOutput();
    }
    EXPECT_TRUE(uscita.contains("TABELLA TENUTA")) << uscita.constData();
}

TabellaTenuta::~TabellaTenuta() {
    processo_.closeWriteChannel();
    processo_.waitForFinished(20000);
}

} // namespace mavo::test
