#include "common/ui/EditData.h"
#include "Casi.h"

#include <QTest>
#include <gtest/gtest.h>

namespace mavo {
namespace {

using test::NomeCaso;

struct CasoDigitazione {
    const char* nome;
    QString tasti; // typed one key at a time, each pressed and released
    QString testo;
    QString selezione; // empty: nothing selected and the caret at the end
};
void PrintTo(const CasoDigitazione& c, std::ostream* os) {
    *os << c.nome;
}

class EditDataTest : public testing::TestWithParam<CasoDigitazione> {};

TEST_P(EditDataTest, CompletaDigitando) {
    const CasoDigitazione& c = GetParam();
    TEditData edit;
    QTest::keyClicks(&edit, c.tasti);
    EXPECT_EQ(edit.text(), c.testo);
    EXPECT_EQ(edit.selectedText(), c.selezione);
    if (c.selezione.isEmpty()) {
        EXPECT_EQ(edit.cursorPosition(), edit.text().size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, EditDataTest,
    testing::Values(CasoDigitazione{"Giorno", "05", "05/", ""},
                    CasoDigitazione{"GiornoEMese", "0512", "05/12/", ""},
                    CasoDigitazione{"DataCompleta", "051204", "05/12/2004", ""},
                    CasoDigitazione{"GiornoConLaBarra", "5/", "05/", ""},
                    CasoDigitazione{"GiornoFuoriIntervallo", "32", "32", "32"},
                    CasoDigitazione{"GiornoZero", "00", "00", "00"},
                    CasoDigitazione{"MeseDiUnaCifra", "053/", "05/03/", ""},
                    CasoDigitazione{"MeseFuoriIntervallo", "0513", "05/13", "13"},
                    CasoDigitazione{"AnnoNovantanove", "051299", "05/12/1999", ""},
                    CasoDigitazione{"AnnoQuarantanove", "051249", "05/12/2049", ""},
                    CasoDigitazione{"AnnoCinquanta", "051250", "05/12/1950", ""},
                    CasoDigitazione{"AnnoInCorso", "051220", "05/12/20", ""},
                    CasoDigitazione{"AnnoQuattroCifre", "05122024", "05/12/2024", ""},
                    CasoDigitazione{"AnnoNonNumerico", "0512ab", "05/12/ab", "ab"},
                    CasoDigitazione{"DuePuntiNonECifra", ":5", "05/", ""},
                    CasoDigitazione{"SoloDuePunti", "::", "::", "::"}),
    NomeCaso());

TEST(EditData, FrecciaRiportaIlCursoreInFondo) {
    TEditData edit;
    QTest::keyClicks(&edit, "0512");
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_EQ(edit.text(), QStringLiteral("05/12/"));
    EXPECT_EQ(edit.cursorPosition(), 6);
    QTest::keyClick(&edit, Qt::Key_Home);
    EXPECT_EQ(edit.cursorPosition(), 6);
}

TEST(EditData, CancellareNonRimetteLaBarra) {
    TEditData edit;
    QTest::keyClicks(&edit, "05");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("05"));
    edit.clear();
    QTest::keyClicks(&edit, "0512");
    EXPECT_EQ(edit.text(), QStringLiteral("05/12/"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("05/12"));
}

} // namespace
} // namespace mavo
