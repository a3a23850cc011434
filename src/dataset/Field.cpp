#include "dataset/Field.h"

#include "dataset/Dataset.h"

#include <QDateTime>

namespace mavo {

namespace {

QDate parseDate(const QString& text) {
    for (const char* format : {"dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(text.trimmed(), QString::fromLatin1(format));
        if (d.isValid())
            return d;
    }
    return {};
}

double parseNumber(const QString& text, bool* ok) {
    QString t = text.trimmed();
    t.replace(',', '.');
    return t.toDouble(ok);
}

int defaultWidth(const FieldDef& def) {
    switch (def.type) {
    case FieldType::String: return def.size > 0 ? def.size : 20;
    case FieldType::Date: return 10;
    case FieldType::DateTime: return 18;
    case FieldType::Memo:
    case FieldType::Blob: return 10;
    default: return 10;
    }
}

} // namespace

Field::Field(Dataset* dataset, const FieldDef& def, int fieldNo)
    : dataset_(dataset), def_(def), fieldNo_(fieldNo), displayWidth_(defaultWidth(def)) {}

bool Field::isNumeric() const {
    switch (def_.type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::AutoInc:
    case FieldType::Float: return true;
    default: return false;
    }
}

int Field::index() const {
    for (int i = 0; i < dataset_->fieldCount(); ++i)
        if (dataset_->field(i) == this)
            return i;
    return -1;
}

void Field::setIndex(int index) {
    dataset_->moveField(this, index);
}

void Field::setDisplayLabel(const QString& label) {
    label_ = label;
    dataset_->fieldLayoutChanged();
}

void Field::setDisplayWidth(int width) {
    displayWidth_ = width;
    dataset_->fieldLayoutChanged();
}

void Field::setVisible(bool visible) {
    visible_ = visible;
    dataset_->fieldLayoutChanged();
}

QVariant Field::value() const {
    return dataset_->currentValue(fieldNo_);
}

void Field::setValue(const QVariant& value) {
    dataset_->setCurrentValue(fieldNo_, coerce(value));
}

bool Field::isNull() const {
    return value().isNull();
}

QString Field::asString() const {
    const QVariant v = value();
    if (v.isNull())
        return {};
    switch (def_.type) {
    case FieldType::Float: return QString::number(v.toDouble(), 'g', 15).replace('.', ',');
    case FieldType::Date: return v.toDate().toString("dd/MM/yyyy");
    case FieldType::DateTime: return v.toDateTime().toString("dd/MM/yyyy hh:mm:ss");
    case FieldType::Boolean: return v.toBool() ? "True" : "False";
    default: return v.toString();
    }
}

qint64 Field::asInteger() const {
    return value().toLongLong();
}

double Field::asFloat() const {
    return value().toDouble();
}

QDate Field::asDate() const {
    const QVariant v = value();
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
}

QVariant Field::coerce(const QVariant& value) const {
    if (value.isNull() || !value.isValid())
        return {};
    const bool text = value.typeId() == QMetaType::QString;
    const QString s = text ? value.toString() : QString();
    if (text && s.isEmpty() && def_.type != FieldType::String && def_.type != FieldType::Memo)
        return {};
    bool ok = true;
    switch (def_.type) {
    case FieldType::String: {
        const QString v = value.toString();
        return def_.size > 0 ? v.left(def_.size) : v;
    }
    case FieldType::Memo: return value.toString();
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: {
        const int v = text ? s.trimmed().toInt(&ok) : value.toInt(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case FieldType::LargeInt: {
        const qint64 v = text ? s.trimmed().toLongLong(&ok) : value.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case FieldType::Float: {
        const double v = text ? parseNumber(s, &ok) : value.toDouble(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case FieldType::Date: {
        const QDate d = text ? parseDate(s)
                             : (value.typeId() == QMetaType::QDateTime ? value.toDateTime().date()
                                                                        : value.toDate());
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Time: return value.toTime();
    case FieldType::DateTime:
        return text ? QVariant(parseDate(s).startOfDay()) : QVariant(value.toDateTime());
    case FieldType::Boolean: return value.toBool();
    case FieldType::Blob: return value.toByteArray();
    }
    return value;
}

} // namespace mavo
