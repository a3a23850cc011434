#include "common/Ambiente.h"
#include "platform/IoError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mavo {
namespace {

TEST(CaricaSezioniUtenti, SezioniDelFileUtentiNellOrdine) {
    QTemporaryDir host;
    ASSERT_TRUE(QDir(host.path()).mkdir("NOMIDIT"));
    QFile file(host.filePath("NOMIDIT/UTENTI.INI"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[01MARIO]\r\nPassword=x\r\n[02ANNA]\r\n[10LUCA]\r\n");
    file.close();
    const QByteArray prima = qgetenv("MAVO_HOST_DIR");
    qputenv("MAVO_HOST_DIR", host.path().toUtf8() + '/');
    const QStringList sezioni = CaricaSezioniUtenti();
    qputenv("MAVO_HOST_DIR", prima);
    EXPECT_EQ(sezioni, QStringList({"01MARIO", "02ANNA", "10LUCA"}));
}

class CreaEImpostaDirectoryTest : public testing::Test {
protected:
    ~CreaEImpostaDirectoryTest() override { QDir::setCurrent(corrente_); }

    QString corrente_ = QDir::currentPath();
    QTemporaryDir radice_;
};

TEST_F(CreaEImpostaDirectoryTest, CreaTuttiILivelliEVaLi) {
    CreaEImpostaDirectory(radice_.path() + "\\QUERY\\RISPTMP\\GRAFTMP");
    const QString attesa = QDir(radice_.filePath("QUERY/RISPTMP/GRAFTMP")).canonicalPath();
    EXPECT_FALSE(attesa.isEmpty());
    EXPECT_EQ(QDir::currentPath(), attesa);
}

TEST_F(CreaEImpostaDirectoryTest, FallimentoSollevaErroreDiIO) {
    QFile file(radice_.filePath("FILE"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_THROW(CreaEImpostaDirectory(radice_.filePath("FILE/SOTTO")), IoError);
    EXPECT_EQ(QDir::currentPath(), corrente_);
}

} // namespace
} // namespace mavo
