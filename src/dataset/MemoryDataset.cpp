#include "dataset/MemoryDataset.h"

#include <QDateTime>
#include <algorithm>

namespace mavo {

namespace {

int compareValues(const QVariant& a, const QVariant& b, bool caseInsensitive) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    switch (a.typeId()) {
    case QMetaType::QString:
        return a.toString().compare(b.toString(),
                                    caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime: {
        const auto order = QVariant::compare(a, b);
        return order == QPartialOrdering::Less ? -1 : order == QPartialOrdering::Greater ? 1 : 0;
    }
    default: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    }
}

} // namespace

MemoryDataset::MemoryDataset(QObject* parent) : Dataset(parent) {}

void MemoryDataset::addFieldDef(const QString& name, FieldType type, int size) {
    FieldDef def;
    def.name = name;
    def.type = type;
    def.size = type == FieldType::String ? size : 0;
    defs_ << def;
}

void MemoryDataset::doOpen() {
    defineFields(defs_);
    nextAutoInc_ = 1;
}

void MemoryDataset::assignAutoValues(Record& record) {
    for (const auto& f : allFields())
        if (f->dataType() == FieldType::AutoInc && record.value(f->fieldNo()).isNull())
            record[f->fieldNo()] = static_cast<int>(nextAutoInc_++);
}

void MemoryDataset::emptyTable() {
    if (!active())
        return;
    cancel();
    resetRecords();
    Q_EMIT recordsReset();
}

void MemoryDataset::sortOnFields(const QString& names, int options) {
    if (!active())
        return;
    cancel();
    QVector<int> slots;
    for (const QString& name : names.split(';', Qt::SkipEmptyParts))
        slots << fieldByName(name.trimmed())->fieldNo();
    const bool insensitive = options & SortCaseInsensitive;
    const bool descending = options & SortDescending;
    std::stable_sort(records().begin(), records().end(), [&](const Record& a, const Record& b) {
        for (int slot : slots) {
            const int c = compareValues(a.value(slot), b.value(slot), insensitive);
            if (c != 0)
                return descending ? c > 0 : c < 0;
        }
        return false;
    });
    rebuildView();
    positionAtStart();
    Q_EMIT recordsReset();
}

} // namespace mavo
