#include "query/form/ui/GrigliaCampi.h"

#include "dataset/Dataset.h"
#include "dataset/DatasetModel.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace mavo {

namespace {
constexpr int margineColonna = 6;
}

GrigliaCampi::GrigliaCampi(DatasetModel* modello, QWidget* parent)
    : QTableView(parent), modello_(modello) {
    modello_->setParent(this);
    setModel(modello_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Fixed rows: a view over a long answer never measures them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setHighlightSections(false);
    connect(modello_, &QAbstractItemModel::modelReset, this, &GrigliaCampi::applicaCampi);
    connect(modello_, &QAbstractItemModel::headerDataChanged, this, &GrigliaCampi::applicaCampi);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &GrigliaCampi::sezioneRidimensionata);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &GrigliaCampi::sezioneSpostata);
}

void GrigliaCampi::setDataset(Dataset* dataset) {
    modello_->setDataset(dataset);
}

Dataset* GrigliaCampi::dataset() const {
    return modello_->dataset();
}

Field* GrigliaCampi::CampoColonna(int colonna) const {
    return modello_->fieldAt(colonna);
}

int GrigliaCampi::ColonnaSelezionata() const {
    if (currentIndex().isValid())
        return currentIndex().column();
    return modello_->columnCount() > 0 ? 0 : -1;
}

int GrigliaCampi::LarghezzaCarattere() const {
    return std::max(1, fontMetrics().horizontalAdvance(u'0'));
}

void GrigliaCampi::setTitoliSpostabili(bool spostabili) {
    horizontalHeader()->setSectionsMovable(spostabili);
}

void GrigliaCampi::setUltimaColonnaEstesa(bool estesa) {
    horizontalHeader()->setStretchLastSection(estesa);
}

void GrigliaCampi::applicaCampi() {
    if (ridimensionando_)
        return;
    applicando_ = true;
    for (int c = 0; c < modello_->columnCount(); ++c) {
        const Field* campo = CampoColonna(c);
        horizontalHeader()->setSectionHidden(c, !campo->visible());
        // As wide as the field's width in digits, or as its title when wider.
        const int titolo =
            horizontalHeader()->fontMetrics().horizontalAdvance(campo->displayLabel()) +
            2 * margineColonna;
        if (campo->visible())
            horizontalHeader()->resizeSection(
                c, std::max(campo->displayWidth() * LarghezzaCarattere() + margineColonna, titolo));
    }
    applicando_ = false;
}

void GrigliaCampi::sezioneRidimensionata(int colonna, int, int nuova) {
    // Hiding a column shrinks its section to nothing: that is not its width.
    Field* campo = CampoColonna(colonna);
    if (applicando_ || !campo || !campo->visible() || nuova <= 0)
        return;
    const int caratteri =
        std::max(1, (nuova - margineColonna + LarghezzaCarattere() / 2) / LarghezzaCarattere());
    if (caratteri == campo->displayWidth())
        return;
    // The field tells its change to the grid, which must not snap the column
    // the user is dragging.
    ridimensionando_ = true;
    campo->setDisplayWidth(caratteri);
    ridimensionando_ = false;
}

void GrigliaCampi::sezioneSpostata(int colonna, int vecchiaPosizione, int nuovaPosizione) {
    // Columns are the fields in the dataset's order: a dragged title moves its
    // field instead; the model's reset then brings the columns in line.
    Field* campo = CampoColonna(colonna);
    if (!campo)
        return;
    {
        const QSignalBlocker silenzio(horizontalHeader());
        horizontalHeader()->moveSection(nuovaPosizione, vecchiaPosizione);
    }
    campo->setIndex(nuovaPosizione);
}

} // namespace mavo
