#pragma once

#include <QString>

namespace mavo::db {

enum class SqlType {
    Text,      // CHAR
    Varying,   // VARCHAR
    SmallInt,
    Integer,
    BigInt,
    Float,
    Double,
    Date,
    Time,
    Timestamp,
    Blob,
    Boolean,
    Unknown
};

// Description of one column of an answer or one parameter of a statement.
struct FieldInfo {
    QString name;     // column name as defined in its relation
    QString alias;    // name in the answer (what the grid and datasets use)
    QString relation; // relation it comes from, empty for expressions
    SqlType type = SqlType::Unknown;
    int subType = 0; // blob sub type (1 = text)
    int size = 0;    // characters for strings, bytes otherwise
    int scale = 0;   // 0 or negative: digits after the decimal point are -scale
    bool nullable = true;

    // "RELATION.FIELD" in upper case, empty for computed columns.
    QString origin() const {
        return relation.isEmpty() || name.isEmpty() ? QString() : (relation + "." + name).toUpper();
    }
    bool isNumeric() const {
        return type == SqlType::SmallInt || type == SqlType::Integer || type == SqlType::BigInt ||
               type == SqlType::Float || type == SqlType::Double;
    }
    bool isTextBlob() const { return type == SqlType::Blob && subType == 1; }
};

} // namespace mavo::db
