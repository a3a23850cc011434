#pragma once

#include "query/stampa/ReportLst.h"

#include <QDialog>
#include <QVector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace mavo {

class Interazione;

// "Edita report": the columns of a report project's list (title, width,
// alignment, the expression they print), its text objects (title, notes,
// page number) and the page orientation. "Salva" writes the project back,
// changing only the lines edited; "Annulla" leaves the file as it was.
class TDesignerReport : public QDialog {
public:
    TDesignerReport(const QString& file, ReportLst progetto, Interazione& port,
                    QWidget* owner = nullptr);

    const ReportLst& Progetto() const { return progetto_; }

    // Columns: "Titolo", "Larghezza (mm)" (a spin box), "Allineamento" (a
    // combo box), "Espressione" (read-only).
    QTableWidget* GrigliaColonne = nullptr;
    QPushButton* ButtonSu = nullptr;
    QPushButton* ButtonGiu = nullptr;
    QLabel* LabelLarghezza = nullptr;
    // One for each text object of the project, in file order.
    QVector<QLineEdit*> EditTesti;
    QButtonGroup* Orientamento = nullptr;
    QPushButton* ButtonSalva = nullptr;
    QPushButton* ButtonAnnulla = nullptr;

private:
    void mostraColonne();
    void mostraLarghezza();
    void sposta(int passo);
    void salva();

    QString file_;
    ReportLst progetto_;
    QVector<int> testi_; // the objects behind EditTesti
    Interazione& port_;
};

// Reads the project and shows the designer on it; true when it was saved. A
// file that cannot be read or is no report project is told through the port.
bool EditaReport(const QString& file, QWidget* owner, Interazione& port);

} // namespace mavo
