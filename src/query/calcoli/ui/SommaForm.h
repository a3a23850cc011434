#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace mavo {

class Dataset;
class Interazione;

// "Calcolo somma": the sum of a numeric column of the answer, told in a
// message, as often as the user asks; OK closes.
class TSommaForm : public QDialog {
    Q_OBJECT
public:
    TSommaForm(const QString& ditta, const QString& directoryBin, const QString& directoryLavoro,
               Dataset& risposta, Interazione& port, QWidget* owner = nullptr);

    QComboBox* EditCampi;
    QPushButton* ButtonCalcola;
    QPushButton* ButtonOk;

private:
    void calcola();

    Dataset& risposta_;
    Interazione& port_;
};

} // namespace mavo
