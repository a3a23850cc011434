#include "query/risposta/TabellaRisposta.h"

#include "dataset/Dataset.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/SqlTesto.h"
#include "query/motore/ColonneCalcolate.h"
#include "query/risposta/Risposta.h"

namespace mavo {

bool TabellaEsiste(db::Database& database, db::Transaction& t, const QString& tabella) {
    db::Statement domanda(&database, &t);
    domanda.setSql({"SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = :NOME"});
    domanda.setParam(QStringLiteral("NOME"), tabella);
    domanda.execute();
    return domanda.fetch();
}

bool TabellaEsiste(db::Database& database, const QString& tabella) {
    db::Transaction t(&database);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    return TabellaEsiste(database, t, tabella);
}

QStringList ColonneTabellaRisposta(Risposta& risposta, db::Transaction& t) {
    const Dataset& dati = risposta.Dati();
    QStringList nomi(dati.fieldCount());
    for (int i = 0; i < dati.fieldCount(); ++i) {
        const QString n = dati.field(i)->fieldName().trimmed();
        const int posizione = dati.field(i)->fieldNo();
        if (posizione >= 0 && posizione < nomi.size())
            nomi[posizione] = n;
    }
    for (int i = 0; i < nomi.size(); ++i)
        if (nomi[i].isEmpty())
            nomi[i] = QStringLiteral("CAMPO%1").arg(i + 1);
    nomi = NomiDistinti(nomi);
    db::Statement descrizione(risposta.Query().database(), &t);
    descrizione.setParamCheck(false);
    descrizione.setSql(risposta.Query().sql());
    descrizione.prepare();
    QStringList colonne;
    for (int i = 0; i < nomi.size(); ++i)
        colonne << sql::identificatore(nomi[i]) + u' ' +
                       (i < descrizione.columnCount() ? descrizione.columnType(i)
                                                      : QStringLiteral("DOUBLE PRECISION"));
    return colonne;
}

QStringList InserisciRisposta(Risposta& risposta, db::Transaction& t, const QString& tabella,
                              const QStringList& sql, int colonne) {
    db::Database* archivio = risposta.Query().database();
    QStringList istruzione;
    if (!risposta.Calcolata()) {
        istruzione << "INSERT INTO " + tabella << sql;
        db::Statement copia(archivio, &t);
        copia.setParamCheck(false);
        copia.setSql(istruzione);
        copia.execute();
        return istruzione;
    }
    // The computed rows live in a local table: inserted one by one.
    QStringList parametri;
    for (int i = 0; i < colonne; ++i)
        parametri << QStringLiteral(":P%1").arg(i);
    istruzione << "INSERT INTO " + tabella + " VALUES (" + parametri.join(u',') + ")";
    db::Statement inserisci(archivio, &t);
    inserisci.setSql(istruzione);
    inserisci.prepare();
    risposta.Scorri([&](const QVariantList& valori) {
        for (int i = 0; i < colonne; ++i)
            inserisci.setParam(i, valori.value(i));
        inserisci.execute();
    });
    return istruzione;
}

} // namespace mavo
