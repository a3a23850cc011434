#pragma once

#include "dataset/IbQuery.h"

namespace mavo {

struct IndexDef {
    QString name;
    QStringList fields;
    bool primary = false;
    bool unique = false;
};

// A whole table of a Firebird database, ordered by its index field names.
class IbTable : public IbQuery {
    Q_OBJECT
public:
    explicit IbTable(QObject* parent = nullptr);

    QString className() const override { return QStringLiteral("TIBTable"); }

    void setTableName(const QString& name) { tableName_ = name; }
    const QString& tableName() const { return tableName_; }
    // ';'-separated field names giving the order; applied at the next opening.
    void setIndexFieldNames(const QString& names) { indexFieldNames_ = names; }
    const QString& indexFieldNames() const { return indexFieldNames_; }

    // The table's indexes as the database describes them, primary key first.
    QVector<IndexDef> indexDefs();

protected:
    void doOpen() override;

private:
    QString tableName_;
    QString indexFieldNames_;
};

} // namespace mavo
