#pragma once

#include "query/stampa/Stampa.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QWidget;

namespace mavo {

class Interazione;

// The print-title dialog: report kind, title, notes, report file, rows per
// page and options. Its results are read with Scelte() once it closes.
class TTitStForm : public QDialog {
public:
    TTitStForm(const ScelteTitolo& iniziali, GestoriTitolo gestori, Interazione& port,
               QWidget* owner = nullptr);

    ScelteTitolo Scelte() const;

    QButtonGroup* TipoReport = nullptr;
    QButtonGroup* Orientamento = nullptr;
    QLineEdit* EditTitolo = nullptr;
    QLineEdit* EditNote = nullptr;
    QLineEdit* EditNomeReport = nullptr;
    QLineEdit* EditRighe = nullptr;
    QLabel* LabelRighe = nullptr;
    QCheckBox* CheckNumeraPagine = nullptr;
    QCheckBox* CheckMemoEstesi = nullptr;
    QPushButton* ButtonSfoglia = nullptr;
    QPushButton* ButtonFont = nullptr;
    QPushButton* ButtonEditaReport = nullptr;
    QWidget* GruppoOrientamento = nullptr;

private:
    void cambiaTipo(int tipo);
    void sfoglia();
    void scegliFont();

    ScelteTitolo scelte_;
    GestoriTitolo gestori_;
    Interazione& port_;
};

// The windows of the print in the query form: this dialog, the designer,
// the printer's options and the preview (QPrintPreviewDialog, whose print
// button prints on the printer the options set up).
DialoghiStampa DialoghiStampaFinestre(QWidget* owner, Interazione& port);

// "Configurazione parametri di stampa" (QPrintDialog) on a printer; false
// when cancelled.
bool ConfiguraStampante(QPrinter& stampante, QWidget* owner);

// The preview of a print, titled as the print asks, on the printer the
// options set up or, without one, on a printer of the print's own paper.
void MostraAnteprima(const LavoroStampa& lavoro, QWidget* owner, Interazione& port,
                     QPrinter* configurata = nullptr);

} // namespace mavo
