#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace mavo {

class Dataset;

enum class FieldType {
    String,   // text of at most size() characters
    SmallInt, // 16-bit integer
    Integer,  // 32-bit integer
    LargeInt, // 64-bit integer
    AutoInc,  // integer assigned by the dataset on insert
    Float,    // double; scale() > 0 for fixed-point columns
    Date,
    Time,
    DateTime,
    Boolean,
    Memo, // unbounded text
    Blob  // bytes
};

// Definition of a field before the dataset opens.
struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;       // characters, for String
    int scale = 0;      // decimals, for fixed-point Float
    QString origin;     // "RELATION.FIELD" for database columns, else empty
    bool required = false;
};

// One field of an open dataset: metadata the grid shows and the value of the
// dataset's current record.
class Field {
public:
    Field(Dataset* dataset, const FieldDef& def, int fieldNo);

    const QString& fieldName() const { return def_.name; }
    FieldType dataType() const { return def_.type; }
    int size() const { return def_.size; }
    int scale() const { return def_.scale; }
    const QString& origin() const { return def_.origin; }
    bool required() const { return def_.required; }
    const FieldDef& def() const { return def_; }
    bool isNumeric() const;
    bool isText() const { return def_.type == FieldType::String || def_.type == FieldType::Memo; }

    // Slot of the field in a record (fixed); index() is its position among the
    // dataset's fields, which the grid changes to reorder columns.
    int fieldNo() const { return fieldNo_; }
    int index() const;
    void setIndex(int index);

    QString displayLabel() const { return label_.isEmpty() ? def_.name : label_; }
    void setDisplayLabel(const QString& label);
    int displayWidth() const { return displayWidth_; }
    void setDisplayWidth(int width);
    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // Value of the current record (of the edit buffer while editing).
    QVariant value() const;
    void setValue(const QVariant& value); // only while editing or inserting
    void clear() { setValue(QVariant()); }
    bool isNull() const;
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    QDate asDate() const;

    // Converts a value to this field's type (a String keeps its first size() characters).
    QVariant coerce(const QVariant& value) const;

private:
    Dataset* dataset_;
    FieldDef def_;
    int fieldNo_;
    QString label_;
    int displayWidth_;
    bool visible_ = true;
};

} // namespace mavo
