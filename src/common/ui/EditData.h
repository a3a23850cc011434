#pragma once

#include <QLineEdit>

namespace mavo {

// A single-line edit that completes a date dd/mm/yyyy as it is typed: the
// slashes, the leading zero of a one-digit month and the century are added
// when a key is released; a day, month or year that cannot be right is
// selected instead.
class TEditData : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditData(QWidget* parent = nullptr);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Completes `testo`; false when the wrong part was selected instead.
    bool completa(QString& testo);
};

} // namespace mavo
