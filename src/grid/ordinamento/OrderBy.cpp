#include "grid/ordinamento/OrderBy.h"
#include "platform/SqlTesto.h"

#include "db/Statement.h"
#include "db/Transaction.h"
#include "grid/LetturaImpostazioni.h"

namespace mavo {

namespace {

bool utilizzabile(const QString& nome, const QString& espressione, const QStringList& origini,
                  const DecodificaCampi& personalizzati) {
    return !espressione.isEmpty() &&
           (personalizzati.contiene(nome) || origini.contains(espressione));
}

QString riga(bool prima, const QString& espressione, bool discendente, bool upper) {
    QString testo = prima ? QStringLiteral("ORDER BY ") : QStringLiteral(",");
    if (upper)
        testo +=
            (prima ? QStringLiteral("UPPER(") : QStringLiteral(" UPPER(")) + espressione + u')';
    else
        testo += espressione;
    return discendente ? testo + QStringLiteral(" DESC") : testo;
}

} // namespace

QStringList RigheOrderBy(const StatoOrdinamento& stato, const QStringList& origini,
                         const DecodificaCampi& personalizzati, bool upper) {
    QVector<ChiaveOrdinamento> chiavi;
    if (stato.ModoOrdinamento == 1)
        chiavi.append({stato.CampoOrdinamento, stato.EspressioneOrdinamento,
                       stato.ColonnaOrdinamento, stato.VersoOrdinamento});
    else if (stato.ModoOrdinamento == 2)
        chiavi = stato.ChiaviOrdinamento;
    QStringList righe;
    for (const ChiaveOrdinamento& chiave : chiavi)
        if (utilizzabile(chiave.Nome, chiave.Espressione, origini, personalizzati))
            righe << riga(righe.isEmpty(), chiave.Espressione, chiave.Verso == 2, upper);
    return righe;
}

QStringList OriginiCampi(db::Database& database, const QStringList& sql) {
    db::Transaction transazione(&database);
    transazione.start();
    QStringList origini;
    {
        db::Statement istruzione(&database, &transazione);
        istruzione.setSql(sql);
        istruzione.prepare();
        for (const db::FieldInfo& colonna : istruzione.columns())
            origini << colonna.origin();
    }
    transazione.commit();
    return origini;
}

QStringList OrdinamentoQuery(db::Database& database, const QStringList& sqlIniziale,
                             const StatoOrdinamento& stato, const DecodificaCampi& personalizzati,
                             bool upper) {
    if (!stato.HaChiavi())
        return {};
    return RigheOrderBy(stato, OriginiCampi(database, sqlIniziale), personalizzati, upper);
}

QStringList RigheChiavePrimaria(db::Database& database, const QString& tabella) {
    const QString nome = sql::apiciRaddoppiati(tabella);
    const RigheImpostazioni lette =
        LeggiImpostazioni(database, {QStringLiteral("SELECT B.RDB$FIELD_NAME"),
                                     QStringLiteral("FROM RDB$RELATION_CONSTRAINTS A LEFT JOIN"),
                                     QStringLiteral("RDB$INDEX_SEGMENTS B ON"),
                                     QStringLiteral("(A.RDB$INDEX_NAME=B.RDB$INDEX_NAME)"),
                                     QStringLiteral("WHERE (A.RDB$RELATION_NAME='%1')").arg(nome),
                                     QStringLiteral("AND(A.RDB$CONSTRAINT_TYPE='PRIMARY KEY')"),
                                     QStringLiteral("ORDER BY B.RDB$FIELD_POSITION")});
    QStringList colonne;
    for (const QVariantHash& r : lette.righe)
        colonne << QString(tabella + u'.' + r.value(QStringLiteral("RDB$FIELD_NAME")).toString())
                       .remove(u' ');
    if (colonne.isEmpty())
        return {};
    return {QStringLiteral("ORDER BY ") + colonne.join(u',')};
}

} // namespace mavo
