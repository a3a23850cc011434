#include "netprices/TabellaManutenzione.h"

#include "context/TabXForm.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "netprices/AnnullamentoMantenuto.h"
#include "platform/Interazione.h"

namespace mavo {

bool PreparaTabellaManutenzione(TTabXForm& contesto, bool azzera) {
    db::Transaction& transazione = contesto.IBTransaction1;
    transazione.ensureActive();
    AnnullamentoMantenuto annullamento(transazione);
    db::Statement istruzione(&contesto.IBDatabase1, &transazione);
    istruzione.setParamCheck(false);
    istruzione.setSql({"SELECT", "  COUNT(*) AS TOT", "FROM", "  RDB$RELATIONS", "WHERE",
                       "  RDB$RELATION_NAME='MANUTENZIONENETTI'"});
    istruzione.execute();
    const bool esiste = istruzione.fetch() && istruzione.value(0).toLongLong() > 0;
    istruzione.close();

    // DDL is carried out at commit, so the commit belongs to the step it completes.
    const auto esegui = [&](const QStringList& sql, const QString& errore) {
        try {
            istruzione.setSql(sql);
            istruzione.execute();
            transazione.commitRetaining();
            return true;
        } catch (const db::DatabaseError& e) {
            contesto.interazione().Errore(errore + '\r' + e.message());
            return false;
        }
    };
    if (!esiste)
        return esegui({"CREATE TABLE MANUTENZIONENETTI(",
                       "CODICE VARCHAR(30) NOT NULL PRIMARY KEY,", "DESCRIZIONE VARCHAR(50),",
                       "PREZZO DECIMAL(15,2)", ")"},
                      "Errore interno durante la creazione della tabella MANUTENZIONI:");
    if (azzera)
        return esegui({"DELETE FROM MANUTENZIONENETTI"},
                      "Errore interno durante l'azzeramento della tabella MANUTENZIONI:");
    transazione.commitRetaining();
    return true;
}

} // namespace mavo
