#include "query/form/ui/ModelliQuery.h"

#include "dataset/Dataset.h"
#include "grid/Colore.h"
#include "query/form/AspettoRisposta.h"
#include "query/motore/Definizione.h"
#include "query/risposta/CodiciVisualizzazione.h"

#include <QApplication>
#include <QPalette>

namespace mavo {

namespace {

// The background of a row by its kind; invalid: the grid's own.
QColor coloreRiga(int codice) {
    switch (codice) {
    case mostra::Mostrato:
        return ColoreQt(clSfondo, QApplication::palette());
    case mostra::TestataRight:
    case mostra::TestataLeft:
        return ColoreQt(0x0000FF, {});
    case mostra::Chiave:
        return ColoreQt(0x00FFFF, {});
    case mostra::MarcatoreCatena:
    case mostra::Marcatore:
        return ColoreQt(0xFF00FF, {});
    case mostra::Congelato:
        return ColoreQt(0xFFFF00, {});
    case mostra::Grigio:
        return ColoreQt(0x808080, {});
    default:
        return {};
    }
}

} // namespace

ModelloDefinizione::ModelloDefinizione(std::function<bool()> modificaInterna, QObject* parent)
    : DatasetModel(parent), modificaInterna_(std::move(modificaInterna)) {}

int ModelloDefinizione::Mostra(int riga) const {
    const Dataset* dati = dataset();
    const Field* mostra = dati ? dati->findField(QStringLiteral("Mostra")) : nullptr;
    return mostra ? dati->valueAt(riga, mostra).toInt() : mostra::Nascosto;
}

QVariant ModelloDefinizione::data(const QModelIndex& index, int role) const {
    if (index.isValid() && (role == Qt::BackgroundRole || role == Qt::ForegroundRole)) {
        const QColor colore = coloreRiga(Mostra(index.row()));
        if (!colore.isValid())
            return {};
        return role == Qt::BackgroundRole ? QVariant(colore) : QVariant(QColor(Qt::black));
    }
    return DatasetModel::data(index, role);
}

bool ModelloDefinizione::Modificabile(const QModelIndex& index) const {
    const Field* campo = fieldAt(index.column());
    if (!campo)
        return false;
    if (modificaInterna_ && modificaInterna_())
        return true;
    return campo->fieldName() == u"Condizione" && mostra::Campo(Mostra(index.row()));
}

Qt::ItemFlags ModelloDefinizione::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = DatasetModel::flags(index);
    if (index.isValid() && Modificabile(index))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModelloDefinizione::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !Modificabile(index))
        return false;
    Dataset& dati = *dataset();
    Field* campo = fieldAt(index.column());
    dati.moveTo(index.row());
    if (dati.valueAt(index.row(), campo) == campo->coerce(value))
        return true;
    dati.edit();
    campo->setValue(value);
    dati.post();
    return true;
}

void ModelloRisposta::setCodici(const CodiciVisualizzazione* codici) {
    codici_ = codici;
    codiciCambiati();
}

void ModelloRisposta::codiciCambiati() {
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::DisplayRole});
}

QVariant ModelloRisposta::data(const QModelIndex& index, int role) const {
    if (role == Qt::DisplayRole && codici_ && index.isValid() && index.row() < rowCount()) {
        if (const Field* campo = fieldAt(index.column());
            campo && campo->dataType() == FieldType::Float)
            return TestoRisposta(*campo, dataset()->valueAt(index.row(), campo),
                                 codici_->TipoRaggruppamento(campo->fieldNo()));
    }
    return DatasetModel::data(index, role);
}

QVariant ModelloRisposta::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole)
        if (const Field* campo = fieldAt(section))
            return campo->fieldName();
    return DatasetModel::headerData(section, orientation, role);
}

} // namespace mavo
