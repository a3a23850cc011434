#pragma once

#include "dataset/Dataset.h"
#include "platform/LocalTable.h"

#include <optional>

namespace mavo {

// A local work table seen as a dataset: its fields, its rows in table order,
// read in blocks as navigation or a view needs them. The table must be open;
// the dataset owns it from then on.
class LocalTableDataset : public Dataset {
    Q_OBJECT
public:
    explicit LocalTableDataset(LocalTable table, QObject* parent = nullptr);
    ~LocalTableDataset() override;

    QString className() const override { return QStringLiteral("TTable"); }
    const LocalTable& table() const { return table_; }

    bool canFetchMore() const override;
    int fetchMore(int count) override;

protected:
    void doOpen() override;
    void doClose() override;

private:
    LocalTable table_;
    std::optional<LocalTable::Reader> reader_;
};

// The field type a local table keeps for a dataset field, and back.
LocalField::Type localType(FieldType type);
FieldType fieldType(LocalField::Type type);

} // namespace mavo
