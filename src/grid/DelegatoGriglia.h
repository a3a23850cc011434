#pragma once

#include <QColor>
#include <QStyledItemDelegate>
#include <functional>

namespace mavo {

// Paints the cells of each column on the column's own background (an invalid
// colour keeps the view's).
class DelegatoGriglia : public QStyledItemDelegate {
    Q_OBJECT
public:
    using ColoreColonna = std::function<QColor(int column)>;

    DelegatoGriglia(ColoreColonna colore, QObject* parent);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    ColoreColonna colore_;
};

} // namespace mavo
