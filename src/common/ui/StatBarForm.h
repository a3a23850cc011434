#pragma once

#include <QDialog>

class QProgressBar;

namespace mavo {

// A progress gauge filling a 640 x 52 window without title-bar buttons, shown
// non-modally while a long job runs; the caller sets the caption and advances
// `Gauge1` (0 to 100).
class TStatBarForm : public QDialog {
    Q_OBJECT
public:
    explicit TStatBarForm(QWidget* parent = nullptr);

    QProgressBar* const Gauge1;
};

} // namespace mavo
