#include "platform/ui/QtInterazione.h"

#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

// Runs `act` on the next message box once it is on screen (it is modal, so the
// call that opens it returns only after `act` closes it).
void onNextBox(std::function<void(QMessageBox*)> act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start(10);
}

struct Seen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

struct BoxCase {
    const char* name;
    void (QtInterazione::*call)(const QString&);
    QMessageBox::Icon icon;
    QString title;
};
void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class QtMessage : public testing::TestWithParam<BoxCase> {};

TEST_P(QtMessage, ShowsAPlainTextBoxOfItsKind) {
    QWidget owner;
    QtInterazione port(&owner);
    auto seen = std::make_shared<Seen>();
    onNextBox([seen](QMessageBox* box) {
        *seen = {box->icon(), box->windowTitle(), box->text(), box->textFormat()};
        box->button(QMessageBox::Ok)->click();
    });
    (port.*GetParam().call)("Attenzione: <b>il listone</b> non è stato trovato.\r\nImpossibile "
                            "procedere");
    EXPECT_EQ(seen->icon, GetParam().icon);
    EXPECT_EQ(seen->title, GetParam().title);
    EXPECT_EQ(seen->text,
              "Attenzione: <b>il listone</b> non è stato trovato.\nImpossibile procedere");
    EXPECT_EQ(seen->format, Qt::PlainText);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QtMessage,
    testing::Values(BoxCase{"warning", &QtInterazione::Avviso, QMessageBox::Warning, "Attenzione"},
                    BoxCase{"error", &QtInterazione::Errore, QMessageBox::Critical, "Errore"},
                    BoxCase{"information", &QtInterazione::Informazione, QMessageBox::Information,
                            "Informazione"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ConfirmCase {
    const char* name;
    std::function<void(QMessageBox*)> answer;
    bool expected;
};
void PrintTo(const ConfirmCase& c, std::ostream* os) {
    *os << c.name;
}

class QtConfirm : public testing::TestWithParam<ConfirmCase> {};

TEST_P(QtConfirm, IsTrueOnlyForYes) {
    QtInterazione port;
    onNextBox(GetParam().answer);
    EXPECT_EQ(port.Conferma("Confermi?"), GetParam().expected);
}

QAbstractButton* buttonCalled(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == text) {
            return button;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return box->buttons().first();
}

INSTANTIATE_TEST_SUITE_P(
    Table, QtConfirm,
    testing::Values(
        ConfirmCase{"si", [](QMessageBox* box) { buttonCalled(box, "Sì")->click(); }, true},
        ConfirmCase{"no", [](QMessageBox* box) { buttonCalled(box, "No")->click(); }, false},
        ConfirmCase{"escape", [](QMessageBox* box) { box->reject(); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
