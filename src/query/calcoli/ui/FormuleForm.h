#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace mavo {

class Interazione;

// "Inserisci Formule": a formula over the definition's fields (picked from
// a list and added at the end, or typed) and the name of its column, with a
// panel of the operators and functions the query understands.
class TFormuleForm : public QDialog {
    Q_OBJECT
public:
    // `nomi`: the names of the definition's field rows; `corrente`: the
    // current row's, shown first.
    TFormuleForm(const QStringList& nomi, const QString& corrente, Interazione& port,
                 QWidget* owner = nullptr);

    int Esito = 2; // 1 confirmed with a formula

    QComboBox* EditNomiCampi;
    QPushButton* ButtonAggiungi;
    QLineEdit* EditFormula;
    QLineEdit* EditNomeCampoRisposta;
    QWidget* PanelAiuto;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void conferma();
    Interazione& port_;
};

} // namespace mavo
