#pragma once

#include <QDialog>
#include <QTableView>
#include <functional>

namespace mavo::test {

// What a user does, as real input events: a key on a widget of the active
// window; a double-click on a column title, with Ctrl when asked (`colonna`
// -1: right of the last one).
void tasto(QWidget& widget, Qt::Key tasto);
void doppioClicTitolo(QTableView& vista, int colonna, bool ctrl = false);
// Runs `passo` on the modal dialog `azione` opens; false when none opened.
bool conDialogo(const std::function<void(QDialog&)>& passo, const std::function<void()>& azione);

} // namespace mavo::test
