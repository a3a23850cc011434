#include "netprices/FileFornitore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mavo {
namespace {

struct LetturaFile {
    const char* caso;
    QByteArray contenuto;
    qint64 righe; // -1: refused as binary
    QStringList lette;
};
void PrintTo(const LetturaFile& c, std::ostream* os) {
    *os << c.caso;
}

class FileFornitoreTest : public ::testing::TestWithParam<LetturaFile> {
protected:
    QString scrivi(const QByteArray& contenuto) {
        const QString percorso = dir_.filePath("f.csv");
        QFile file(percorso);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contenuto);
        return percorso;
    }
    QTemporaryDir dir_;
};

QStringList leggiTutto(FileFornitore& file) {
    QStringList righe;
    file.LeggiRighe([&](QStringView riga) { righe << riga.toString(); });
    return righe;
}

TEST_P(FileFornitoreTest, ContaELeggeLeRigheDopoLIntestazione) {
    const LetturaFile& caso = GetParam();
    FileFornitore file(scrivi(caso.contenuto));
    ASSERT_TRUE(file.Apri());
    ASSERT_EQ(file.ContaRighe(), caso.righe);
    if (caso.righe >= 0) {
        EXPECT_EQ(leggiTutto(file), caso.lette);
    }
}

// A line of nearly a block's length, so that the next characters straddle the
// boundary between the first and the second block.
QByteArray aCavallo(const QByteArray& coda) {
    return "H\n" + QByteArray((1 << 20) - 3, 'x') + coda;
}

INSTANTIATE_TEST_SUITE_P(
    Casi, FileFornitoreTest,
    ::testing::Values(
        LetturaFile{"FineRigaCrLf", "H\r\nA\r\nB\r\n", 2, {"A", "B"}},
        LetturaFile{"FineRigaLf", "H\nA\nB\n", 2, {"A", "B"}},
        LetturaFile{"UltimaRigaSenzaFine", "H\r\nA\r\nB", 2, {"A", "B"}},
        LetturaFile{"RigaVuotaConta", "H\r\nA\r\n\r\nB\r\n", 3, {"A", "", "B"}},
        LetturaFile{"FileVuoto", "", 0, {}}, LetturaFile{"SoloIntestazione", "H\r\n", 0, {}},
        LetturaFile{"CtrlZChiudeIlFile",
                    "H\r\nA\r\nB\x1A"
                    "C\r\nD\r\n",
                    2,
                    {"A", "B"}},
        LetturaFile{"CrIsolatoRestaNellaRiga", "H\nA\rB\n", 1, {"A\rB"}},
        LetturaFile{"Windows1252",
                    "H\n\x80 1,00;Caff\xE8;l\xB4"
                    "a\n",
                    1,
                    {QString::fromUtf8("€ 1,00;Caffè;l´a")}},
        LetturaFile{"Utf8ConBom",
                    "\xEF\xBB\xBFH\nCaff\xC3\xA8;\xE2\x82\xAC\n",
                    1,
                    {QString::fromUtf8("Caffè;€")}},
        LetturaFile{"ByteNulloRifiutato", QByteArray("H\r\nA;\0;1\r\n", 10), -1, {}},
        LetturaFile{"ByteNulloDopoCtrlZIgnorato", QByteArray("H\r\nA\x1A\0", 7), 1, {"A"}},
        LetturaFile{"RigaACavalloDiDueBlocchi",
                    aCavallo("yz\nB\n"),
                    2,
                    {QString((1 << 20) - 3, u'x') + "yz", "B"}},
        LetturaFile{
            "CrLfACavalloDiDueBlocchi", aCavallo("\r\nB"), 2, {QString((1 << 20) - 3, u'x'), "B"}}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST_F(FileFornitoreTest, Utf8SpezzatoTraDueBlocchiSiRicompone) {
    // "è" is two bytes in UTF-8: the first ends the first block, the second
    // starts the next one.
    const QByteArray riga = QByteArray((1 << 20) - 6, 'x') + "\xC3\xA8"
                                                             "fine";
    FileFornitore file(scrivi("\xEF\xBB\xBFH\n" + riga + "\n"));
    ASSERT_TRUE(file.Apri());
    ASSERT_EQ(file.ContaRighe(), 1);
    EXPECT_EQ(leggiTutto(file), QStringList{QString::fromUtf8(riga)});
}

TEST_F(FileFornitoreTest, RigaDiMoltiMegabyte) {
    const QByteArray lunga(8 << 20, 'a');
    FileFornitore file(scrivi("H\r\n" + lunga + "\r\nB\r\n"));
    ASSERT_TRUE(file.Apri());
    ASSERT_EQ(file.ContaRighe(), 2);
    QList<qsizetype> lunghezze;
    file.LeggiRighe([&](QStringView riga) { lunghezze << riga.size(); });
    EXPECT_EQ(lunghezze, (QList<qsizetype>{lunga.size(), 1}));
}

TEST_F(FileFornitoreTest, IlFileSiRileggeAncheSeRimossoDopoIlConteggio) {
    const QString percorso = scrivi("H\nA\nB\n");
    FileFornitore file(percorso);
    ASSERT_TRUE(file.Apri());
    ASSERT_EQ(file.ContaRighe(), 2);
    ASSERT_TRUE(QFile::remove(percorso));
    EXPECT_EQ(leggiTutto(file), (QStringList{"A", "B"}));
}

} // namespace
} // namespace mavo
