#pragma once

#include <QTableView>

namespace mavo {

class Dataset;
class DatasetModel;
class Field;

// A grid over a dataset of the query tool: column i is field i of the
// dataset's order; a column is as wide as its field's display width in
// characters and hidden with its field. Resizing a column sets the field's
// width, dragging a title (where allowed) moves the field, so that whoever
// reads the fields (the layout table, export, printing) sees what the user sees.
class GrigliaCampi : public QTableView {
    Q_OBJECT
public:
    // The grid takes the model.
    GrigliaCampi(DatasetModel* modello, QWidget* parent = nullptr);

    DatasetModel& modello() const { return *modello_; }
    void setDataset(Dataset* dataset);
    Dataset* dataset() const;

    Field* CampoColonna(int colonna) const;
    // The current cell's column, -1 without columns.
    int ColonnaSelezionata() const;
    // Pixels of one character of display width.
    int LarghezzaCarattere() const;

    void setTitoliSpostabili(bool spostabili);
    // The last column fills what the others leave.
    void setUltimaColonnaEstesa(bool estesa);

    // Widths and visibility from the fields again.
    void applicaCampi();

private:
    void sezioneRidimensionata(int colonna, int vecchia, int nuova);
    void sezioneSpostata(int colonna, int vecchiaPosizione, int nuovaPosizione);

    DatasetModel* modello_;
    bool applicando_ = false;
    bool ridimensionando_ = false;
};

} // namespace mavo
