#pragma once

#include "dataset/DatasetModel.h"

#include <QStringList>

namespace mavo {

class Interazione;

// The stored layout rows as the appearance dialog shows them: the title and
// the visibility are edited in place; every change is posted at once.
class ModelloAspetto : public DatasetModel {
    Q_OBJECT
public:
    ModelloAspetto(Interazione& interazione, QObject* parent);

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Writes `valore` into field `campo` of row `riga` and posts it; a failure
    // is shown and leaves the row as it was.
    bool ScriviCampo(int riga, const QString& campo, const QVariant& valore);

private:
    Interazione& interazione_;
};

} // namespace mavo
