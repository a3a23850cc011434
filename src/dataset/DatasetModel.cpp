#include "dataset/DatasetModel.h"

#include "dataset/Dataset.h"
#include "db/DatabaseError.h"

#include <QDateTime>

namespace mavo {

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset* dataset) {
    if (dataset_)
        disconnect(dataset_, nullptr, this, nullptr);
    dataset_ = dataset;
    if (dataset_) {
        connect(dataset_, &Dataset::opened, this, &DatasetModel::reset);
        connect(dataset_, &Dataset::closed, this, &DatasetModel::reset);
        connect(dataset_, &Dataset::recordsReset, this, &DatasetModel::reset);
        connect(dataset_, &Dataset::recordsAppended, this, &DatasetModel::appended);
        connect(dataset_, &Dataset::fieldsChanged, this, &DatasetModel::fieldsChanged);
        connect(dataset_, &Dataset::recordChanged, this, [this](int row) {
            if (row >= 0 && row < rows_)
                Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
        });
        connect(dataset_, &QObject::destroyed, this, &DatasetModel::reset);
    }
    reset();
}

void DatasetModel::reset() {
    // Views react to a change synchronously; no fetching until it is over.
    changing_ = true;
    beginResetModel();
    fetchFailed_ = false;
    columns_.clear();
    rows_ = 0;
    if (dataset_ && dataset_->active()) {
        for (int i = 0; i < dataset_->fieldCount(); ++i)
            columns_.push_back(dataset_->field(i));
        rows_ = dataset_->recordCount();
    }
    endResetModel();
    changing_ = false;
}

void DatasetModel::appended(int first, int last) {
    if (first != rows_ || last < first) {
        reset();
        return;
    }
    changing_ = true;
    beginInsertRows({}, first, last);
    rows_ = last + 1;
    endInsertRows();
    changing_ = false;
}

void DatasetModel::fieldsChanged() {
    std::vector<Field*> order;
    if (dataset_ && dataset_->active())
        for (int i = 0; i < dataset_->fieldCount(); ++i)
            order.push_back(dataset_->field(i));
    if (order != columns_) {
        reset();
        return;
    }
    if (!columns_.empty())
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, static_cast<int>(columns_.size()) - 1);
}

Field* DatasetModel::fieldAt(int column) const {
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        return nullptr;
    return columns_[static_cast<size_t>(column)];
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString DatasetModel::displayText(const Field* field, const QVariant& value) {
    if (value.isNull())
        return {};
    switch (field->dataType()) {
    case FieldType::Float:
        if (field->scale() > 0)
            return QString::number(value.toDouble(), 'f', field->scale()).replace('.', ',');
        return QString::number(value.toDouble(), 'g', 15).replace('.', ',');
    case FieldType::Date:
        return value.toDate().toString("dd/MM/yyyy");
    case FieldType::DateTime:
        return value.toDateTime().toString("dd/MM/yyyy hh:mm:ss");
    case FieldType::Time:
        return value.toTime().toString("hh:mm:ss");
    case FieldType::Boolean:
        return value.toBool() ? "True" : "False";
    case FieldType::Blob:
        return QStringLiteral("(BLOB)");
    case FieldType::Memo:
        return value.toString().section('\n', 0, 0);
    default:
        return value.toString();
    }
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole)
        return {};
    if (!index.isValid() || !dataset_ || index.row() >= rows_)
        return {};
    const Field* f = fieldAt(index.column());
    if (!f)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((f->isNumeric() ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    const QVariant v = dataset_->valueAt(index.row(), f);
    return role == Qt::EditRole ? v : QVariant(displayText(f, v));
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const Field* f = fieldAt(section);
    return f ? QVariant(f->displayLabel()) : QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !changing_ && !fetchFailed_ && dataset_ && dataset_->active() &&
           dataset_->canFetchMore();
}

void DatasetModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    // Called from inside the view's scrolling: nothing may unwind through it.
    try {
        dataset_->fetchMore(blockSize_);
    } catch (const db::DatabaseError& e) {
        fetchFailed_ = true;
        Q_EMIT fetchFailed(e.message());
    } catch (const std::exception& e) {
        fetchFailed_ = true;
        Q_EMIT fetchFailed(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace mavo
