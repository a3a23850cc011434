#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace mavo {

class Dataset;
class Field;

// A table model over any dataset: one column per field in the dataset's
// order, records brought in blocks as the view scrolls.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QObject* parent = nullptr);

    void setDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }
    void setBlockSize(int rows) { blockSize_ = rows; }
    Field* fieldAt(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    static QString displayText(const Field* field, const QVariant& value);

Q_SIGNALS:
    // A block could not be read while the view scrolled: the rows already
    // shown stay, no more are fetched until the dataset is reopened, and this
    // is said once with the server's message.
    void fetchFailed(const QString& message);

private:
    void reset();
    void appended(int first, int last);
    void fieldsChanged();

    QPointer<Dataset> dataset_;
    std::vector<Field*> columns_;
    int rows_ = 0;
    int blockSize_ = 1000;
    bool changing_ = false;
    bool fetchFailed_ = false;
};

} // namespace mavo
