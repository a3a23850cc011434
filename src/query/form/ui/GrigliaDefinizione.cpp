#include "query/form/ui/GrigliaDefinizione.h"

#include "dataset/Dataset.h"
#include "query/form/ui/ModelliQuery.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace mavo {

GrigliaDefinizione::GrigliaDefinizione(ModelloDefinizione* modello, QWidget* parent)
    : GrigliaCampi(modello, parent) {
    // A click never opens a cell: a double-click is the form's, and typing or
    // F2 is how a condition is written.
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setUltimaColonnaEstesa(true);
}

ModelloDefinizione& GrigliaDefinizione::definizione() const {
    return static_cast<ModelloDefinizione&>(modello());
}

int GrigliaDefinizione::colonnaCondizione() const {
    const Dataset* dati = dataset();
    const Field* campo = dati ? dati->findField(QStringLiteral("Condizione")) : nullptr;
    return campo ? campo->index() : -1;
}

int GrigliaDefinizione::RigaCorrente() const {
    if (modello().rowCount() == 0)
        return -1;
    return currentIndex().isValid() ? currentIndex().row() : 0;
}

void GrigliaDefinizione::SelezionaRiga(int riga) {
    const int colonna = currentIndex().isValid() ? currentIndex().column() : colonnaCondizione();
    if (riga >= 0 && riga < modello().rowCount())
        setCurrentIndex(modello().index(riga, std::max(colonna, 0)));
}

void GrigliaDefinizione::Posta() {
    if (state() != QAbstractItemView::EditingState)
        return;
    // The editor is the widget being typed in, on the grid's viewport.
    QWidget* editor = QApplication::focusWidget();
    if (editor && editor->parentWidget() == viewport()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void GrigliaDefinizione::ScriviCondizione(int riga) {
    const QModelIndex cella = modello().index(riga, colonnaCondizione());
    if (!cella.isValid())
        return;
    setCurrentIndex(cella);
    edit(cella);
    if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        editor && editor->parentWidget() == viewport()) {
        editor->deselect();
        editor->end(false);
    }
}

void GrigliaDefinizione::keyPressEvent(QKeyEvent* event) {
    // Only the condition takes typing: a key typed on the name goes there.
    const int condizione = colonnaCondizione();
    if (state() != QAbstractItemView::EditingState && !event->text().isEmpty() &&
        event->text().at(0).isPrint() && currentIndex().isValid() &&
        currentIndex().column() != condizione && condizione >= 0)
        setCurrentIndex(modello().index(currentIndex().row(), condizione));
    GrigliaCampi::keyPressEvent(event);
}

void GrigliaDefinizione::mouseDoubleClickEvent(QMouseEvent* event) {
    GrigliaCampi::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        Q_EMIT doppioClic();
}

} // namespace mavo
