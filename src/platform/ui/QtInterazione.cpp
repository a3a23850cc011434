#include "platform/ui/QtInterazione.h"

#include "platform/SilentProgress.h"
#include "platform/ui/PompaEventi.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace mavo {

namespace {

// Plain text, so that a code or description holding '<' shows as typed.
void prepare(QMessageBox& box, const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setTextFormat(Qt::PlainText);
    box.setText(plain);
    // A box narrower than its title gets the title cut by the window manager
    // ("I…" for a short sum); the rest is the frame's buttons.
    if (auto* griglia = qobject_cast<QGridLayout*>(box.layout()))
        griglia->addItem(
            new QSpacerItem(box.fontMetrics().horizontalAdvance(box.windowTitle()) + 110, 0,
                            QSizePolicy::Minimum, QSizePolicy::Minimum),
            griglia->rowCount(), 0, 1, griglia->columnCount());
}

void show(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, QString(), QMessageBox::Ok, owner);
    prepare(box, text);
    box.exec();
}

} // namespace

QtInterazione::QtInterazione(QWidget* owner) : owner_(owner) {}

void QtInterazione::Avviso(const QString& testo) {
    show(owner_, QMessageBox::Warning, QStringLiteral("Attenzione"), testo);
}

void QtInterazione::Errore(const QString& testo) {
    show(owner_, QMessageBox::Critical, QStringLiteral("Errore"), testo);
}

void QtInterazione::Informazione(const QString& testo) {
    show(owner_, QMessageBox::Information, QStringLiteral("Informazione"), testo);
}

bool QtInterazione::Conferma(const QString& domanda) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Conferma"), QString(),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    prepare(box, domanda);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtInterazione::ScegliFile(const QString& titolo, const QString& cartella) {
    // A folder that has gone away leaves the choice to the dialog itself.
    return QFileDialog::getOpenFileName(owner_, titolo, cartella);
}

std::unique_ptr<Progresso> QtInterazione::CreaProgresso(const QString& messaggio) {
    if (!fabbrica_) {
        return std::make_unique<SilentProgress>();
    }
    return fabbrica_(owner_, messaggio);
}

void QtInterazione::PompaMessaggi() {
    // Paints only: a click queued meanwhile (a second click on the button that
    // started the operation) must not start another operation inside this one.
    PompaSenzaInput();
}

void QtInterazione::PulisciRiepilogo() {
    if (memo_) {
        memo_->clear();
    }
}

void QtInterazione::AggiungiRiepilogo(const QString& riga) {
    if (memo_) {
        memo_->appendPlainText(riga);
    }
}

} // namespace mavo
