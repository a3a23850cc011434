#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mavo {

class Interazione;

// "Estrazione anni e mesi": the year or the month of a date field as a
// column of its own. OK stays open until the field, the part and the
// column's name are all given.
class TRaggMesiForm : public QDialog {
    Q_OBJECT
public:
    TRaggMesiForm(const QStringList& campiData, Interazione& port, QWidget* owner = nullptr);

    int Esito = 2;     // 1 confirmed
    QString Risultato; // the condition to write

    QPushButton* ButtonCampo;
    QComboBox* EditNomiCampi;
    QRadioButton* Anno;
    QRadioButton* Mese;
    QLineEdit* EditNomeCampoRisposta;

private:
    void conferma();
    Interazione& port_;
};

} // namespace mavo
