#include "dataset/LocalTableDataset.h"

namespace mavo {

namespace {

constexpr int BloccoIniziale = 1000;

} // namespace

LocalField::Type localType(FieldType type) {
    switch (type) {
    case FieldType::String:
        return LocalField::Type::String;
    case FieldType::SmallInt:
        return LocalField::Type::SmallInt;
    case FieldType::Integer:
        return LocalField::Type::Integer;
    case FieldType::LargeInt:
    case FieldType::AutoInc:
        return LocalField::Type::BigInt;
    case FieldType::Float:
        return LocalField::Type::Float;
    case FieldType::Date:
        return LocalField::Type::Date;
    case FieldType::Time:
        return LocalField::Type::Time;
    case FieldType::DateTime:
        return LocalField::Type::DateTime;
    case FieldType::Boolean:
        return LocalField::Type::Boolean;
    case FieldType::Memo:
    case FieldType::Blob:
        return LocalField::Type::Memo;
    }
    return LocalField::Type::Memo;
}

FieldType fieldType(LocalField::Type type) {
    switch (type) {
    case LocalField::Type::String:
        return FieldType::String;
    case LocalField::Type::SmallInt:
        return FieldType::SmallInt;
    case LocalField::Type::Integer:
        return FieldType::Integer;
    case LocalField::Type::BigInt:
        return FieldType::LargeInt;
    case LocalField::Type::AutoInc:
        return FieldType::AutoInc;
    case LocalField::Type::Float:
        return FieldType::Float;
    case LocalField::Type::Date:
        return FieldType::Date;
    case LocalField::Type::Time:
        return FieldType::Time;
    case LocalField::Type::DateTime:
        return FieldType::DateTime;
    case LocalField::Type::Boolean:
        return FieldType::Boolean;
    case LocalField::Type::Memo:
        return FieldType::Memo;
    }
    return FieldType::Memo;
}

LocalTableDataset::LocalTableDataset(LocalTable table, QObject* parent)
    : Dataset(parent), table_(std::move(table)) {}

LocalTableDataset::~LocalTableDataset() {
    try {
        close();
    } catch (...) {
        // Nothing is written while reading: closing cannot lose anything.
    }
}

void LocalTableDataset::doOpen() {
    QVector<FieldDef> defs;
    for (const LocalField& campo : table_.fields()) {
        FieldDef def;
        def.name = campo.name;
        def.type = fieldType(campo.type);
        def.size = campo.type == LocalField::Type::String ? campo.size : 0;
        defs << def;
    }
    defineFields(defs);
    reader_.emplace(table_.reader());
    fetchMore(BloccoIniziale);
}

void LocalTableDataset::doClose() {
    reader_.reset();
}

bool LocalTableDataset::canFetchMore() const {
    return reader_ && !reader_->atEnd();
}

int LocalTableDataset::fetchMore(int count) {
    if (!canFetchMore())
        return 0;
    std::vector<Record> block;
    for (const QVariantList& row : reader_->next(count))
        block.push_back(Record(row.begin(), row.end()));
    return addRecords(std::move(block));
}

} // namespace mavo
