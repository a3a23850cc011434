#include "query/catena/QueryCollegate.h"

#include "db/Database.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/Interazione.h"
#include "query/catena/Catena.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "query/risposta/TabellaRisposta.h"
#include "query/storico/Storico.h"

namespace mavo {

namespace {

const QString ErroreCollegate = QStringLiteral("Errore di esecuzione query collegate");

// A stored query that links itself, or a ring of them, would never end.
constexpr int MassimoAnnidamento = 8;

// The main table of stored query `codice`; empty when the register has none.
QString tabellaPrincipale(db::Database& database, int codice) {
    if (!TabellaEsiste(database, QStringLiteral("STOQUER")))
        return {};
    db::Transaction t(&database);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    db::Statement riga(&database, &t);
    riga.setSql({"SELECT TABELLA FROM STOQUER WHERE CODICE=:CODICE"});
    riga.setParam(QStringLiteral("CODICE"), codice);
    riga.execute();
    return riga.fetch() ? riga.value(0).toString().trimmed() : QString();
}

bool controlla(const TIBFQuerForm::Impostazioni& impostazioni, db::Database& database,
               const Definizione& righe, Interazione& port, int annidamento);

void installa(TIBFQuerForm& motore, db::Database& database, Interazione& port, int annidamento) {
    motore.TestQueryCollegate = [impostazioni = motore.impostazioni(), &database, &port,
                                 annidamento](const Definizione& righe) {
        return controlla(impostazioni, database, righe, port, annidamento);
    };
}

// The table of one linked stored query made from its chain's last answer.
bool materializza(const TIBFQuerForm::Impostazioni& impostazioni, db::Database& database,
                  const QString& tabella, Interazione& port, int annidamento) {
    bool numero = false;
    const int codice = tabella.toInt(&numero);
    const QString principale = numero ? tabellaPrincipale(database, codice) : QString();
    if (principale.isEmpty()) {
        port.Errore("Query collegata " + tabella + " non trovata in STOQUER");
        return false;
    }
    TIBFQuerForm::Impostazioni sue = impostazioni;
    sue.TabellaPrincipale = principale;
    sue.Livello = 0;
    sue.RadiceRisposte = QStringLiteral("RCOLL");
    TIBFQuerForm motore(port, database, sue);
    installa(motore, database, port, annidamento + 1);
    ArchivioStorico storico(database);
    Risposta risposta(database);
    return OttieniUltimaRisposta(motore, storico, risposta, codice, port, tabella);
}

bool controlla(const TIBFQuerForm::Impostazioni& impostazioni, db::Database& database,
               const Definizione& righe, Interazione& port, int annidamento) {
    for (const RigaDefinizione& riga : righe) {
        if (!TestataQueryCollegata(riga))
            continue;
        const QString tabella = TabellaTestata(riga);
        try {
            if (TabellaEsiste(database, tabella))
                continue;
            if (annidamento < MassimoAnnidamento &&
                materializza(impostazioni, database, tabella, port, annidamento))
                continue;
        } catch (const db::DatabaseError& e) {
            port.Errore(e.message());
        }
        port.Errore(ErroreCollegate);
        return false;
    }
    return true;
}

} // namespace

void InstallaTestQueryCollegate(TIBFQuerForm& motore, db::Database& database, Interazione& port) {
    installa(motore, database, port, 0);
}

} // namespace mavo
