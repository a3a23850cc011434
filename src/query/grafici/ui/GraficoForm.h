#pragma once

#include "query/grafici/TabellaGrafico.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace mavo {

class FinestraGrafico;
class GruppoOpzioni;
class Interazione;
class Risposta;

// "Elaborazione grafici": turns the open answer into charts. The user picks
// the column of the x descriptions, the value column and, optionally,
// further value columns as additional series, the captions, the chart type,
// the orientation and the order; each "&Visualizza" refills the chart table
// and opens a chart window. Messages go through the port.
class TGraficoForm : public QDialog {
    Q_OBJECT
public:
    // The company code is kept, not used; the bin directory too, since the
    // charts are drawn here and read no report file.
    TGraficoForm(QWidget* owner, Interazione& port, const QString& ditta,
                 const QString& directoryBin, const QString& directoryLavoro, Risposta& risposta);
    // Deletes the chart table's numbered alternative; the chart windows still
    // open stay with the owner.
    ~TGraficoForm() override;

    QComboBox* const EditDescrizione1;
    QComboBox* const EditValore;
    QPushButton* const ButtonCampiAggiunti;
    QListWidget* const ListBox1;
    QListWidget* const ListBox2;
    QPushButton* const ButtonTitolo;
    QLineEdit* const EditTitolo;
    QPushButton* const ButtonDescrAsseX;
    QLineEdit* const EditDescrAsseX;
    QPushButton* const ButtonDescrAsseY;
    QLineEdit* const EditDescrAsseY;
    QPushButton* const ButtonDescrAsseZ;
    QLineEdit* const EditDescrAsseZ;
    GruppoOpzioni* const RadioGroup1;
    GruppoOpzioni* const RadioGroup2;
    GruppoOpzioni* const RadioGroup3;
    GruppoOpzioni* const RadioGroup4;
    QPushButton* const ButtonVisualizza;
    QPushButton* const ButtonChiudi;
    QPushButton* const ButtonOK;
    QPushButton* const ButtonCancel;

    const QString Ditta;
    const QString DirectoryBin;
    const QString DirectoryLavoro;

    // The chart windows opened here and still open, oldest first.
    QList<FinestraGrafico*> Finestre() const;
    TabellaGrafico& Tabella() { return tabella_; }

private:
    void campoXScelto();
    void campoValoriScelto();
    void lasciaSerieAggiunte();
    void campiAggiunti();
    void confermaSerie();
    void scegliSerie(bool scelta);
    void visualizza();

    Interazione& port_;
    Risposta& risposta_;
    TabellaGrafico tabella_;
    QList<QPointer<FinestraGrafico>> finestre_;
    QList<QWidget*> righeNormali_;
};

// What the query form's "&Grafico" button does: the chart dialog over the
// open answer, in the owner's font, modal, freed on return. Failures are
// told through the port.
void MostraGrafici(QWidget* owner, Interazione& port, const QString& ditta,
                   const QString& directoryBin, const QString& directoryLavoro, Risposta& risposta);

} // namespace mavo
