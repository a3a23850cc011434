#include "dataset/IbTable.h"
#include "platform/SqlTesto.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"

namespace mavo {

namespace {} // namespace

IbTable::IbTable(QObject* parent) : IbQuery(parent) {}

void IbTable::doOpen() {
    QStringList lines{"SELECT * FROM " + sql::identificatore(tableName_.toUpper())};
    QStringList order;
    for (const QString& name : indexFieldNames_.split(';', Qt::SkipEmptyParts))
        order << sql::identificatore(name.trimmed().toUpper());
    if (!order.isEmpty())
        lines << "ORDER BY " + order.join(',');
    setParamCheck(false);
    setSql(lines);
    IbQuery::doOpen();
}

QVector<IndexDef> IbTable::indexDefs() {
    QVector<IndexDef> out;
    db::Transaction t(database());
    db::Statement s(database(), &t);
    s.setSql({"SELECT I.RDB$INDEX_NAME, S.RDB$FIELD_NAME, I.RDB$UNIQUE_FLAG,",
              "  (SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS C",
              "   WHERE C.RDB$INDEX_NAME=I.RDB$INDEX_NAME",
              "   AND C.RDB$CONSTRAINT_TYPE='PRIMARY KEY') AS PK", "FROM RDB$INDICES I",
              "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME=I.RDB$INDEX_NAME",
              "WHERE I.RDB$RELATION_NAME=:TABELLA",
              "ORDER BY 4 DESC, I.RDB$INDEX_NAME, S.RDB$FIELD_POSITION"});
    s.setParam("TABELLA", tableName_.toUpper());
    s.execute();
    while (s.fetch()) {
        const QString name = s.value(0).toString().trimmed();
        if (out.isEmpty() || out.last().name != name) {
            IndexDef def;
            def.name = name;
            def.unique = s.value(2).toInt() == 1;
            def.primary = s.value(3).toInt() > 0;
            out << def;
        }
        out.last().fields << s.value(1).toString().trimmed();
    }
    t.commit();
    return out;
}

} // namespace mavo
