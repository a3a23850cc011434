#include "support/Gesti.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace mavo::test {

void tasto(QWidget& widget, Qt::Key tasto) {
    // Keys reach a widget only while it has the focus in the active window.
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    widget.setFocus();
    QTest::keyClick(&widget, tasto);
}

void doppioClicTitolo(QTableView& vista, int colonna, bool ctrl) {
    QHeaderView* titoli = vista.horizontalHeader();
    const int ultima = titoli->count() - 1;
    const int x = colonna >= 0
                      ? titoli->sectionViewportPosition(colonna) + titoli->sectionSize(colonna) / 2
                      : titoli->sectionViewportPosition(ultima) + titoli->sectionSize(ultima) + 20;
    QTest::mouseDClick(titoli->viewport(), Qt::LeftButton,
                       ctrl ? Qt::ControlModifier : Qt::NoModifier, {x, titoli->height() / 2});
}

bool conDialogo(const std::function<void(QDialog&)>& passo, const std::function<void()>& azione) {
    bool aperto = false;
    QTimer attesa; // looks for the dialog whenever events run, until it shows
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        attesa.stop();
        aperto = true;
        passo(*dialogo);
        // A step that failed half-way must not leave the test waiting.
        if (dialogo->isVisible())
            dialogo->reject();
    });
    attesa.start(5);
    azione();
    return aperto;
}

} // namespace mavo::test
