#pragma once

#include "query/calcoli/OrdineETotali.h"

#include <QDialog>

class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace mavo {

class CodiciVisualizzazione;
class Dataset;
class Interazione;

// "Ordinamento e Totali": the answer's sort keys (moved with a double-click
// or Enter between the available fields and the key), the direction, and the
// numeric fields with a total at the end of a printed report. "&Aggiorna"
// rewrites the display codes; "Ch&iudi" leaves them as they were.
class TOrdETotForm : public QDialog {
    Q_OBJECT
public:
    TOrdETotForm(Dataset& risposta, CodiciVisualizzazione& codici, const QString& ditta,
                 Interazione& port, QWidget* owner = nullptr);

    int Esito = 2; // 1 after "&Aggiorna"

    QListWidget* ListBox1; // Campi disponibili
    QListWidget* ListBox2; // Chiave
    QListWidget* ListBox3; // Campi numerici
    QListWidget* ListBox4; // Campi con totali
    QGroupBox* RadioGroup1;
    QRadioButton* Crescente;
    QRadioButton* Decrescente;
    QPushButton* ButtonAggiorna;
    QPushButton* ButtonChiudi;

private:
    void sposta(QListWidget* da, QListWidget* a);
    void aggiorna();

    QVector<CampoRisposta> campi_;
    CodiciVisualizzazione& codici_;
    Interazione& port_;
};

} // namespace mavo
