#include "grid/aspetto/DelegatoColore.h"

#include "grid/Colore.h"

#include <QPainter>

namespace mavo {

void DelegatoColore::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const TColor colore = TColorDaValore(index.data(Qt::EditRole));
    painter->fillRect(option.rect, ColoreQt(colore == 0 ? clWindow : colore, option.palette));
}

} // namespace mavo
