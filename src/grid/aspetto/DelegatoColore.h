#pragma once

#include <QStyledItemDelegate>

namespace mavo {

// Paints a cell holding a TColor as a swatch of that colour, without the
// number; 0 or empty is the system window colour.
class DelegatoColore : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace mavo
