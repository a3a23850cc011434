#include "grid/IntestazioneGriglia.h"

#include <QMouseEvent>
#include <QStyleOptionHeader>

namespace mavo {

IntestazioneGriglia::IntestazioneGriglia(ColoreSezione colore, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), colore_(std::move(colore)) {
    // The header tells a title from a border between two: only a title is passed on.
    connect(this, &QHeaderView::sectionDoubleClicked, this,
            [this](int logicalIndex) { Q_EMIT doppioClicTitolo(logicalIndex, ctrl_); });
}

void IntestazioneGriglia::initStyleOptionForIndex(QStyleOptionHeader* option,
                                                  int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    const QColor colore = colore_(logicalIndex);
    if (colore.isValid()) {
        // Styles paint a section with the button brush, some with the window one.
        option->palette.setColor(QPalette::Button, colore);
        option->palette.setColor(QPalette::Window, colore);
    }
}

void IntestazioneGriglia::mouseDoubleClickEvent(QMouseEvent* event) {
    ctrl_ = event->modifiers().testFlag(Qt::ControlModifier);
    QHeaderView::mouseDoubleClickEvent(event);
}

} // namespace mavo
