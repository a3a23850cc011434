#include "grid/aspetto/ModelloAspetto.h"

#include "dataset/Dataset.h"
#include "context/EseguiProtetto.h"

namespace mavo {

namespace {

const QStringList kCampiModificabili{QStringLiteral("NOMECOLONNA"), QStringLiteral("VISIBILE")};

} // namespace

ModelloAspetto::ModelloAspetto(Interazione& interazione, QObject* parent)
    : DatasetModel(parent), interazione_(interazione) {}

Qt::ItemFlags ModelloAspetto::flags(const QModelIndex& index) const {
    const Field* campo = fieldAt(index.column());
    if (campo && kCampiModificabili.contains(campo->fieldName(), Qt::CaseInsensitive))
        return DatasetModel::flags(index) | Qt::ItemIsEditable;
    return DatasetModel::flags(index);
}

bool ModelloAspetto::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    return ScriviCampo(index.row(), fieldAt(index.column())->fieldName(), value);
}

bool ModelloAspetto::ScriviCampo(int riga, const QString& campo, const QVariant& valore) {
    Dataset* dati = dataset();
    if (!dati || riga < 0 || riga >= rowCount())
        return false;
    bool scritto = false;
    EseguiProtetto(interazione_, [&] {
        dati->moveTo(riga);
        dati->edit();
        try {
            dati->fieldByName(campo)->setValue(valore);
            dati->post();
        } catch (...) {
            dati->cancel();
            throw;
        }
        scritto = true;
    });
    return scritto;
}

} // namespace mavo
