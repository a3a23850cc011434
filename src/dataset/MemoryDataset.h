#pragma once

#include "dataset/Dataset.h"

namespace mavo {

// An in-memory dataset with typed fields: a String field of N characters keeps
// the first N; AutoInc fields are numbered 1, 2, 3... on insert.
class MemoryDataset : public Dataset {
    Q_OBJECT
public:
    explicit MemoryDataset(QObject* parent = nullptr);

    QString className() const override { return QStringLiteral("TRxMemoryData"); }

    // Field definitions, set while closed.
    void addFieldDef(const QString& name, FieldType type, int size = 0);
    void clearFieldDefs() { defs_.clear(); }
    const QVector<FieldDef>& fieldDefs() const { return defs_; }

    void emptyTable();

    enum SortOption { SortCaseInsensitive = 1, SortDescending = 2 };
    // Sorts on the named fields (';'-separated), with the options applying to all of them.
    void sortOnFields(const QString& names, int options = 0);

protected:
    void doOpen() override;
    void assignAutoValues(Record& record) override;

private:
    QVector<FieldDef> defs_;
    qint64 nextAutoInc_ = 1;
};

} // namespace mavo
