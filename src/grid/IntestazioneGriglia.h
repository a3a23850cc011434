#pragma once

#include <QColor>
#include <QHeaderView>
#include <functional>

namespace mavo {

// The column titles of the grid: each title is painted on the background the
// grid gives for its column (an invalid colour keeps the standard one).
class IntestazioneGriglia : public QHeaderView {
    Q_OBJECT
public:
    using ColoreSezione = std::function<QColor(int logicalIndex)>;

    IntestazioneGriglia(ColoreSezione colore, QWidget* parent);

Q_SIGNALS:
    // A double-click on a title (not on the border between two); -1 right of
    // the last one. `ctrl`: the Ctrl key was held.
    void doppioClicTitolo(int logicalIndex, bool ctrl);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ColoreSezione colore_;
    bool ctrl_ = false; // of the double-click being handled
};

} // namespace mavo
