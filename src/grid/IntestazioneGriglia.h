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

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;

private:
    ColoreSezione colore_;
};

} // namespace mavo
