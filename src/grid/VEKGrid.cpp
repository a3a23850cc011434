#include "grid/VEKGrid.h"

#include "context/EseguiProtetto.h"
#include "dataset/DatasetModel.h"
#include "dataset/IbTable.h"
#include "dataset/MemoryDataset.h"
#include "grid/CampiTrascinati.h"
#include "grid/DelegatoGriglia.h"
#include "grid/IntestazioneGriglia.h"
#include "platform/ui/QtInterazione.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace mavo {

TVEKGrid::TVEKGrid(QWidget* parent)
    : QTableView(parent), modello_(new DatasetModel(this)), menuProprio_(new QMenu(this)),
      interazioneQt_(std::make_unique<QtInterazione>(this)) {
    auto* titoli =
        new IntestazioneGriglia([this](int colonna) { return coloreIntestazione(colonna); }, this);
    setHorizontalHeader(titoli);
    horizontalHeader()->setSectionsMovable(true);
    // Stored widths are shown as they are, however narrow.
    horizontalHeader()->setMinimumSectionSize(0);
    // The vertical header is the record indicator: narrow, fixed rows, no text,
    // so that a view over a large answer never measures its rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(12);
    setItemDelegate(
        new DelegatoGriglia([this](int colonna) { return coloreCelle(colonna); }, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setModel(modello_);

    // The header keeps sizes and hidden sections by position, and forgets them
    // when the number of columns changes: the grid keeps them by field and
    // puts them back after every reset of the model.
    connect(modello_, &QAbstractItemModel::modelReset, this, &TVEKGrid::applicaColonne);
    // Said once the view's scrolling is over, not from inside it.
    connect(
        modello_, &DatasetModel::fetchFailed, this,
        [this](const QString& messaggio) {
            interazione().Errore("Errore durante la lettura dei dati\r" + messaggio);
        },
        Qt::QueuedConnection);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &TVEKGrid::sezioneRidimensionata);
    CampiTrascinati(horizontalHeader(), [this](int colonna) { return CampoColonna(colonna); });
    connect(titoli, &IntestazioneGriglia::doppioClicTitolo, this, [this](int colonna, bool ctrl) {
        EseguiProtetto(interazione(), [&] { doppioClicTitolo(colonna, ctrl); });
    });
}

TVEKGrid::~TVEKGrid() {
    // The dataset may outlive the grid: it must not call handlers of a grid that is gone.
    restituisciGestori();
}

void TVEKGrid::setDataset(Dataset* dataset) {
    if (Dataset* vecchio = modello_->dataset())
        disconnect(vecchio, nullptr, this, nullptr);
    colonne_.clear();
    modello_->setDataset(dataset);
    // Fields die with the answer that defined them, and their columns with them.
    if (dataset) {
        connect(dataset, &Dataset::closed, this, [this] { colonne_.clear(); });
        connect(dataset, &QObject::destroyed, this, [this] { colonne_.clear(); });
    }
}

Dataset* TVEKGrid::dataset() const {
    return modello_->dataset();
}

Interazione& TVEKGrid::interazione() const {
    return interazione_ ? *interazione_ : *interazioneQt_;
}

void TVEKGrid::Loaded() {
    costruisciMenu();
    Ordinamento.Azzera();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int TVEKGrid::Situazione() const {
    return std::abs(situazione_);
}

void TVEKGrid::SetSorgenteDati(Dataset* dataset) {
    if (dataset)
        sorgente_ = dataset;
    restituisciGestori();
    riconosciTipo();
    if (legato_) {
        vecchioAfterOpen_ = legato_->afterOpen();
        legato_->setAfterOpen([this](Dataset& d) { afterOpen(d); });
        vecchioBeforeOpen_ = legato_->beforeOpen();
        legato_->setBeforeOpen([this](Dataset& d) { beforeOpen(d); });
    }
    if (TabellaAspettoGriglia.isEmpty())
        TabellaAspettoGriglia = QStringLiteral("STOASP1");
    if (TabellaPosizioneFinestre.isEmpty())
        TabellaPosizioneFinestre = QStringLiteral("STOPOS1");
    if (TabellaAspettoGriglie.isEmpty())
        TabellaAspettoGriglie = QStringLiteral("SETGRID");
    if (db::Database* database = databaseImpostazioni()) {
        leggiImpostazioni(*database);
        leggiMemoriaAspetto(*database);
    }
}

void TVEKGrid::restituisciGestori() {
    if (legato_) {
        legato_->setAfterOpen(vecchioAfterOpen_);
        legato_->setBeforeOpen(vecchioBeforeOpen_);
    }
    legato_ = nullptr;
    query_ = nullptr;
    tabella_ = nullptr;
    memoria_ = nullptr;
    vecchioAfterOpen_ = nullptr;
    vecchioBeforeOpen_ = nullptr;
}

void TVEKGrid::riconosciTipo() {
    if (!sorgente_)
        return;
    // By the exact class name: a class of its own (even derived from a
    // query) is not one of the kinds the grid knows how to hook.
    const QString classe = sorgente_->className();
    if (classe == u"TIBQuery" && (query_ = dynamic_cast<IbQuery*>(sorgente_.data())))
        tipoTabella_ = TipoQuery;
    else if (classe == u"TIBTable" && (tabella_ = dynamic_cast<IbTable*>(sorgente_.data())))
        tipoTabella_ = TipoTabellaDb;
    else if (classe == u"TRxMemoryData" &&
             (memoria_ = dynamic_cast<MemoryDataset*>(sorgente_.data())))
        tipoTabella_ = TipoMemoria;
    else
        return;
    legato_ = sorgente_;
}

void TVEKGrid::beforeOpen(Dataset& dataset) {
    // A copy: the host's handler may rebind the grid while it runs.
    if (const Dataset::Handler precedente = vecchioBeforeOpen_)
        precedente(dataset);
    ordinamentoMemorizzato();
}

void TVEKGrid::afterOpen(Dataset& dataset) {
    if (const Dataset::Handler precedente = vecchioAfterOpen_)
        precedente(dataset);
    const bool database = tipoTabella_ == TipoQuery || tipoTabella_ == TipoTabellaDb;
    if (database)
        CaricaAspetto();
    if (!CampoRicerca.isEmpty())
        if (const Field* campo = dataset.findField(CampoRicerca))
            SelezionaColonna(campo->index());
    if (tipoTabella_ == TipoTabellaDb)
        ricostruisciCampiIndicizzati();
    if (database)
        coloraTitoli();
    // Layout memory switched off: from the first opening on, the grid works on
    // the rows of the negative code, rewritten with the current layout.
    if (memoriaAspettoDisabilitata_ && situazione_ > 0) {
        situazione_ = -situazione_;
        SalvaAspetto();
    }
}

bool TVEKGrid::event(QEvent* event) {
    // Shortcuts reach the entries without the menu popping up: bring their
    // state up to date before the key is matched.
    if (event->type() == QEvent::ShortcutOverride && !vociDaAbilitare_.isEmpty())
        abilitaVoci();
    return QTableView::event(event);
}

void TVEKGrid::mousePressEvent(QMouseEvent* event) {
    posizioneMouse_ = event->position().toPoint();
    QTableView::mousePressEvent(event);
}

void TVEKGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (popupMenu_)
        popupMenu_->popup(event->globalPos());
}

} // namespace mavo
