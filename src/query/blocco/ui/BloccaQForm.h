#pragma once

#include "query/blocco/Blocco.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace mavo {

// "Blocca/Sblocca Query": locks the query simply or with a six-character
// key, or unlocks it (a keyed lock only with its key). OK applies the change
// to `righe` and `bloccata`; Cancel leaves both alone.
class TBloccaQForm : public QDialog {
    Q_OBJECT
public:
    TBloccaQForm(bool& bloccata, const QString& ditta, Definizione& righe, Interazione& port,
                 QWidget* owner = nullptr);

    QCheckBox* CheckBloccata;
    QCheckBox* CheckChiave;
    QWidget* PanelChiave;
    QLineEdit* EditChiave;
    QPushButton* ButtonAccettaChiave;
    QPushButton* ButtonOk;
    QPushButton* ButtonAnnulla;

private:
    void accettaChiave();
    void ok();

    bool& bloccata_;
    Definizione& righe_;
    BloccoQuery blocco_;
};

} // namespace mavo
