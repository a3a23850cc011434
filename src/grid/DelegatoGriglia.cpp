#include "grid/DelegatoGriglia.h"

namespace mavo {

DelegatoGriglia::DelegatoGriglia(ColoreColonna colore, QObject* parent)
    : QStyledItemDelegate(parent), colore_(std::move(colore)) {}

void DelegatoGriglia::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QColor colore = colore_(index.column());
    if (colore.isValid())
        option->backgroundBrush = colore;
}

} // namespace mavo
