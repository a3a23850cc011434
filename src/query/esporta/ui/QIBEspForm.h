#pragma once

#include "query/esporta/OpzioniEsportazione.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mavo {

class Interazione;

// "Esporta - Ditta: ...": where and how to export the answer. Reads its
// settings from the company's section when created and writes them back on
// "OK" and "Apri Excel"; the folder chosen is written at once.
class TQIBEspForm : public QDialog {
    Q_OBJECT
public:
    TQIBEspForm(const ContestoEsportazione& contesto, Interazione& port, QWidget* parent = nullptr);

    // The user's choices; Esito 1 (OK), 2 (cancel), 8 ("Apri Excel"), 0 (closed).
    OpzioniEsportazione Risultato() const;
    int Esito() const { return esito_; }

    // The folder and file choosers (the standard dialogs unless replaced):
    // the choice, empty when the user cancels.
    std::function<QString(const QString& iniziale)> ScegliCartella;
    std::function<QString(const QString& titolo, const QString& filtro, const QString& iniziale)>
        ScegliFile;

    // Ids 0-5 in the order of TipoExport.
    QButtonGroup* const EditTipoExport;
    QPushButton* const ButtonNomeFile;
    QLineEdit* const EditNomeFile;
    QPushButton* const ButtonSelezPercorso;
    QLineEdit* const EditPercorso;
    QPushButton* const ButtonSeparatore;
    QLineEdit* const EditSeparatore;
    QCheckBox* const ButtonLunghezzaFissa;
    QCheckBox* const CheckStampaMemoEstesi;
    QCheckBox* const CheckRTFInChiaro;
    QCheckBox* const CheckSaltaIntestazioni;
    QLabel* const LabelTag;
    QLineEdit* const EditTagSostRitornoCapo;
    QPushButton* const ButtonEseguibileExcel;
    QLineEdit* const EditEseguibileExcel;
    QPushButton* const ButtonExcelPreimpostato;
    QLineEdit* const EditExcelPreimpostato;
    QPushButton* const OKBtn;
    QPushButton* const CancelBtn;
    QPushButton* const BitBtnApriExcel;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    TipoExport tipo() const;
    void tipoCambiato();
    void lunghezzaFissaCambiata(bool fissa);
    void memoCambiati();
    void selezionaPercorso();
    void scegliEseguibile();
    void scegliPreimpostato();
    void salvaImpostazioni();
    void chiudi(int esito);

    ContestoEsportazione contesto_;
    Interazione& port_;
    QString nomeRicordato_;
    int esito_ = 0;
};

} // namespace mavo
