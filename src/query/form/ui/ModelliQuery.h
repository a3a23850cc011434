#pragma once

#include "dataset/DatasetModel.h"

#include <functional>

namespace mavo {

class CodiciVisualizzazione;

// The definition list as the query form's grid shows it: each row on the
// colour of its kind (Mostra), and only the condition of a field row open to
// the user. Everything else changes only while `modificaInterna` says the
// form itself is rewriting rows; a user's attempt is dropped without a word.
class ModelloDefinizione : public DatasetModel {
    Q_OBJECT
public:
    ModelloDefinizione(std::function<bool()> modificaInterna, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    int Mostra(int riga) const;
    bool Modificabile(const QModelIndex& index) const;

private:
    std::function<bool()> modificaInterna_;
};

// The answer as its grid shows it: floating-point columns in their grouping
// display (the field's display code), full field names as title tips.
class ModelloRisposta : public DatasetModel {
    Q_OBJECT
public:
    using DatasetModel::DatasetModel;

    // Codes of the dataset shown; none for a dataset that is not the answer.
    void setCodici(const CodiciVisualizzazione* codici);
    // Draws again after a display code changed.
    void codiciCambiati();

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const CodiciVisualizzazione* codici_ = nullptr;
};

} // namespace mavo
