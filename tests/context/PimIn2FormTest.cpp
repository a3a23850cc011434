#include "context/ui/PimIn2Form.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

struct Chiusura {
    std::string nome;
    std::function<void(TPimIn2Form&)> azione;
    int esito;
};
void PrintTo(const Chiusura& c, std::ostream* os) {
    *os << c.nome;
}

class PimIn2Form : public ::testing::TestWithParam<Chiusura> {};

TEST_P(PimIn2Form, ResultCodeTellsHowItClosed) {
    TPimIn2Form dialogo;
    dialogo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialogo));
    EXPECT_EQ(dialogo.windowTitle(), "Dialog");
    EXPECT_EQ(dialogo.Esito, 0);
    GetParam().azione(dialogo);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(dialogo.Esito, GetParam().esito);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogo, PimIn2Form,
    ::testing::Values(
        Chiusura{"Ok", [](TPimIn2Form& d) { QTest::mouseClick(d.BitBtnOk, Qt::LeftButton); }, 1},
        Chiusura{"Cancel",
                 [](TPimIn2Form& d) { QTest::mouseClick(d.BitBtnAnnulla, Qt::LeftButton); }, 2},
        Chiusura{"ClosedOtherwise", [](TPimIn2Form& d) { d.close(); }, 0},
        Chiusura{"Escape", [](TPimIn2Form& d) { QTest::keyClick(&d, Qt::Key_Escape); }, 0}),
    [](const auto& info) { return info.param.nome; });

TEST(PimIn2FormFocus, FirstFieldHasTheFocusWhenShown) {
    TPimIn2Form dialogo;
    dialogo.show();
    dialogo.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogo));
    EXPECT_TRUE(dialogo.Edit1->hasFocus());
}

} // namespace
