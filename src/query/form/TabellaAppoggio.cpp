#include "query/form/TabellaAppoggio.h"

#include "dataset/IbTable.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/SqlTesto.h"

#include <algorithm>

namespace mavo {

namespace {

// The fields in the order of their definitions, whatever the columns show.
QVector<const Field*> campiDefiniti(const Dataset& dati) {
    QVector<const Field*> campi;
    for (int i = 0; i < dati.fieldCount(); ++i)
        campi << dati.field(i);
    std::sort(campi.begin(), campi.end(),
              [](const Field* a, const Field* b) { return a->fieldNo() < b->fieldNo(); });
    return campi;
}

} // namespace

void RiempiTabellaAppoggio(const Dataset& sorgente, IbTable& appoggio) {
    appoggio.close();
    db::Database* database = appoggio.database();
    const QString tabella = sql::identificatore(appoggio.tableName().toUpper());
    // Until the commit, whoever reads the table keeps seeing the old rows.
    db::Transaction scrittura(database);
    scrittura.start();

    db::Statement descrizione(database, &scrittura);
    descrizione.setParamCheck(false);
    descrizione.setSql({"SELECT * FROM " + tabella});
    descrizione.prepare();
    const QVector<const Field*> campi = campiDefiniti(sorgente);
    const int colonne = int(std::min<qsizetype>(campi.size(), descrizione.columnCount()));

    db::Statement svuota(database, &scrittura);
    svuota.setParamCheck(false);
    svuota.setSql({"DELETE FROM " + tabella});
    svuota.execute();

    if (colonne == 0) {
        scrittura.commit();
        appoggio.open();
        return;
    }
    QStringList nomi, parametri;
    for (int i = 0; i < colonne; ++i) {
        nomi << sql::identificatore(descrizione.columns()[i].name);
        parametri << QStringLiteral(":V%1").arg(i);
    }
    db::Statement inserisci(database, &scrittura);
    inserisci.setSql({"INSERT INTO " + tabella + " (" + nomi.join(u',') + ")",
                      "VALUES (" + parametri.join(u',') + ")"});
    inserisci.prepare();
    for (int riga = 0; riga < sorgente.recordCount(); ++riga) {
        for (int i = 0; i < colonne; ++i)
            inserisci.setParam(i, sorgente.valueAt(riga, campi[i]));
        inserisci.execute();
    }
    scrittura.commit();
    appoggio.open();
}

} // namespace mavo
