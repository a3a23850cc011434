#include "netprices/Catalogo.h"

#include "db/Statement.h"
#include "db/Transaction.h"

namespace mavo {

namespace {

// The count of the statement's first column is zero.
bool nessuno(db::Database& archivio, const QStringList& sql, const QStringList& valori) {
    db::Transaction lettura(&archivio);
    lettura.setParams({"isc_tpb_read_committed", "isc_tpb_rec_version", "isc_tpb_read"});
    db::Statement conteggio(&archivio, &lettura);
    conteggio.setSql(sql);
    for (int i = 0; i < valori.size(); ++i)
        conteggio.setParam(i, valori[i]);
    conteggio.execute();
    return conteggio.fetch() && conteggio.value(0).toLongLong() == 0;
}

} // namespace

bool SenzaTrigger(db::Database& archivio, const QString& tabella) {
    return nessuno(archivio,
                   {"SELECT", "  COUNT(*)", "FROM", "  RDB$TRIGGERS", "WHERE",
                    "  RDB$RELATION_NAME=:TABELLA", "  AND COALESCE(RDB$TRIGGER_INACTIVE, 0)=0"},
                   {tabella});
}

bool ColonnaUnivoca(db::Database& archivio, const QString& tabella, const QString& colonna) {
    return !nessuno(archivio,
                    {"SELECT", "  COUNT(*)", "FROM", "  RDB$INDICES I",
                     "  JOIN RDB$INDEX_SEGMENTS S", "    ON S.RDB$INDEX_NAME=I.RDB$INDEX_NAME",
                     "WHERE", "  I.RDB$RELATION_NAME=:TABELLA", "  AND I.RDB$UNIQUE_FLAG=1",
                     "  AND COALESCE(I.RDB$INDEX_INACTIVE, 0)=0", "  AND I.RDB$SEGMENT_COUNT=1",
                     "  AND I.RDB$EXPRESSION_BLR IS NULL", "  AND S.RDB$FIELD_NAME=:COLONNA"},
                    {tabella, colonna});
}

} // namespace mavo
