#include "grid/ricerca/StatoRicerca.h"
#include "platform/SqlTesto.h"

#include "common/Aggiornamento.h"
#include "db/Transaction.h"
#include "grid/LetturaImpostazioni.h"

namespace mavo {

namespace {

// Opens the row of the keys (if any) in `query`, inside `transazione`.
void apri(IbQuery& query, db::Database& database, db::Transaction& transazione,
          const QString& tabella, const ChiaviGriglia& chiavi) {
    query.setDatabase(&database);
    query.setTransaction(&transazione);
    query.setParamCheck(false);
    query.setSql(QStringList{QStringLiteral("SELECT * FROM ") + sql::identificatore(tabella)} +
                 RigheChiave(chiavi));
    query.open();
}

StatoDialogoRicerca letto(const IbQuery& query) {
    const auto intero = [&query](const char* nome) {
        return int(query.fieldByName(QLatin1String(nome))->asInteger());
    };
    return {QPoint(intero("PosX"), intero("PosY")), intero("Info3"), intero("Info1"),
            intero("Info4") == 1};
}

} // namespace

std::optional<StatoDialogoRicerca> LeggiStatoRicerca(db::Database& database, const QString& tabella,
                                                     const ChiaviGriglia& chiavi) {
    db::Transaction transazione(&database);
    IbQuery query;
    apri(query, database, transazione, tabella, chiavi);
    std::optional<StatoDialogoRicerca> stato;
    if (!query.isEmpty())
        stato = letto(query);
    query.close();
    transazione.commit();
    return stato;
}

void SalvaStatoRicerca(db::Database& database, const QString& tabella, const ChiaviGriglia& chiavi,
                       const StatoDialogoRicerca& stato) {
    db::Transaction transazione(&database);
    IbQuery query;
    apri(query, database, transazione, tabella, chiavi);
    const bool esiste = !query.isEmpty();
    if (!esiste || letto(query) != stato) {
        UpdateSql aggiornamento;
        GeneraSQLAggiornamento(query, tabella, TipoAggiornamento::Update, aggiornamento);
        GeneraSQLAggiornamento(query, tabella, TipoAggiornamento::Insert, aggiornamento);
        aggiornamento.modifySql += RigheChiave(chiavi);
        query.setUpdateObject(&aggiornamento);
        if (esiste) {
            query.edit();
        } else {
            query.append();
            query.fieldByName(QStringLiteral("CodiceProgetto"))->setValue(chiavi.progetto);
            query.fieldByName(QStringLiteral("CodiceSituazione"))->setValue(chiavi.situazione);
            query.fieldByName(QStringLiteral("CodiceUtente"))->setValue(chiavi.utente);
        }
        query.fieldByName(QStringLiteral("PosX"))->setValue(stato.posizione.x());
        query.fieldByName(QStringLiteral("PosY"))->setValue(stato.posizione.y());
        query.fieldByName(QStringLiteral("Info3"))->setValue(stato.tipo);
        query.fieldByName(QStringLiteral("Info1"))->setValue(stato.ordinamento);
        query.fieldByName(QStringLiteral("Info4"))->setValue(stato.upper ? 1 : 0);
        query.post();
    }
    query.close();
    transazione.commit();
}

} // namespace mavo
