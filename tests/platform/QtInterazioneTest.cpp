#include "platform/ui/QtInterazione.h"
#include "platform/ui/TraduzioniQt.h"

#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

// Runs `act` on the next modal dialog of its kind once it is on screen (the
// call that opens it returns only after `act` closes it).
template <typename Dialog> void onNext(std::function<void(Dialog*)> act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start(10);
}

void onNextBox(std::function<void(QMessageBox*)> act) {
    onNext<QMessageBox>(std::move(act));
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

TEST(QtScegliFile, OpensInTheFolderItIsGiven) {
    QTemporaryDir cartella;
    QtInterazione port;
    QString aperta, titolo;
    onNext<QFileDialog>([&](QFileDialog* dialogo) {
        aperta = dialogo->directory().absolutePath();
        titolo = dialogo->windowTitle();
        dialogo->reject();
    });
    EXPECT_EQ(port.ScegliFile("Selezione file", cartella.path()), QString());
    EXPECT_EQ(titolo, "Selezione file");
    EXPECT_EQ(aperta, cartella.path());
}

// Replaces Qt's texts, as a host with a translation of its own would.
class TraduzioneOspite : public QTranslator {
public:
    QString translate(const char* contesto, const char* testo, const char*, int) const override {
        return QByteArray(contesto) == "QFileDialog" && QByteArray(testo) == "Look in:"
                   ? QStringLiteral("Suchen in:")
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

// Counts the translations installed in the application.
class ContaCambiLingua : public QObject {
public:
    ContaCambiLingua() { qApp->installEventFilter(this); }
    ~ContaCambiLingua() override { qApp->removeEventFilter(this); }
    int cambi = 0;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        cambi += oggetto == qApp && evento->type() == QEvent::LanguageChange;
        return false;
    }
};

QString testoCercaIn() {
    return QCoreApplication::translate("QFileDialog", "Look in:");
}

// One test, in this order: the translation is installed once per process.
TEST(TraduzioniQt, StandardDialogsInItalianUnlessTheHostTranslatesQt) {
    ASSERT_EQ(testoCercaIn(), "Look in:") << "another test installed a translation";
    const QString cartellaQt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    ContaCambiLingua conta;

    TraduzioneOspite ospite;
    QCoreApplication::installTranslator(&ospite);
    EXPECT_FALSE(InstallaTraduzioniQt(cartellaQt));
    EXPECT_EQ(testoCercaIn(), "Suchen in:");
    QCoreApplication::removeTranslator(&ospite);
    conta.cambi = 0;

    QTemporaryDir senzaTraduzioni;
    EXPECT_FALSE(InstallaTraduzioniQt(senzaTraduzioni.path()));
    EXPECT_EQ(testoCercaIn(), "Look in:");

    InstallaTraduzioniQt();
    InstallaTraduzioniQt();
    EXPECT_EQ(conta.cambi, 1);

    QFileDialog dialogo;
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    EXPECT_EQ(dialogo.findChild<QLabel*>("lookInLabel")->text(), "Cerca in:");
    EXPECT_EQ(
        dialogo.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->text(),
        "&Apri");
}

} // namespace
