#include "query/motore/DescrizioneTabella.h"

#include "dataset/IbQuery.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/SqlTesto.h"

namespace mavo {

QVector<FieldDef> DescriviTabella(db::Database& database, const QString& tabella) {
    db::Transaction lettura(&database);
    lettura.setParams({"isc_tpb_read", "isc_tpb_read_committed", "isc_tpb_rec_version"});
    db::Statement descrizione(&database, &lettura);
    descrizione.setParamCheck(false);
    descrizione.setSql({"SELECT * FROM " + sql::identificatore(tabella)});
    descrizione.prepare();
    QVector<FieldDef> campi;
    for (const db::FieldInfo& colonna : descrizione.columns())
        campi << toFieldDef(colonna);
    return campi;
}

} // namespace mavo
