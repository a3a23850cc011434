#pragma once

#include <QDialog>

namespace mavo {

// The warning shown before "Aspetto Base" throws the user's layout away:
// only "OK" goes on.
class TAvVEKGrForm : public QDialog {
    Q_OBJECT
public:
    explicit TAvVEKGrForm(QWidget* parent = nullptr);
};

// Shows the warning modally; true only when it ends with "OK".
bool ConfermaAspettoBase(QWidget* parent);

} // namespace mavo
