#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace mavo {

class Interazione;
class TEditData;

// "Range Valori": the two ends of a range, as values ("Valore") or as dates
// ("Data", with the date edits). OK checks them and closes either way; the
// caller builds the condition when Esito is 1.
class TRangeForm : public QDialog {
    Q_OBJECT
public:
    explicit TRangeForm(Interazione& port, QWidget* owner = nullptr);

    // "Data" or "Valore", set before the dialog shows.
    QString TipoIntervallo = QStringLiteral("Valore");
    int Esito = 0; // 1 confirmed, 2 cancelled

    QLabel* LabelTipo;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    TEditData* EditData1;
    TEditData* EditData2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void conferma();
    Interazione& port_;
};

} // namespace mavo
