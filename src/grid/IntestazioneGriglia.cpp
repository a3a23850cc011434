#include "grid/IntestazioneGriglia.h"

#include <QStyleOptionHeader>

namespace mavo {

IntestazioneGriglia::IntestazioneGriglia(ColoreSezione colore, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), colore_(std::move(colore)) {}

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

} // namespace mavo
