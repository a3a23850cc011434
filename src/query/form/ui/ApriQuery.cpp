#include "query/form/ui/ApriQuery.h"

#include "dataset/IbTable.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "grid/TabellaDellaQuery.h"
#include "grid/VEKGrid.h"
#include "platform/ErroreProgrammazione.h"
#include "platform/ui/QtInterazione.h"
#include "query/form/TabellaAppoggio.h"
#include "query/form/ui/IBLQueryForm.h"
#include "query/motore/CartelleQuery.h"

namespace mavo {

void ApriQuery(IbTable& tabella, db::Database& database, const QString& directoryBin,
               const QString& directoryLavoro, const QString& ditta, bool eseguiAllApertura,
               const QString& fileImpostazioni, int utente, Interazione* port, QWidget* owner,
               std::optional<ChiaveStorico> storico) {
    // Declared in the order they are made: they go in the reverse one.
    db::Database connessione;
    connessione.setDatabaseName(database.databaseName());
    connessione.setUser(database.effectiveUser());
    connessione.setPassword(database.effectivePassword());
    db::Transaction transazione(&connessione);
    if (const db::Transaction* originale = tabella.transaction())
        transazione.setParams(originale->params());
    connessione.setDefaultTransaction(&transazione);
    connessione.connect();
    transazione.start();

    IbTable principale;
    principale.setDatabase(&connessione);
    principale.setTransaction(&transazione);
    principale.setTableName(tabella.tableName());
    principale.open();

    const CartelleQuery cartelle =
        LeggiCartelleQuery(fileImpostazioni, ditta, directoryLavoro, directoryBin);
    {
        TIBLQueryForm form(principale, cartelle.DirectoryBin, cartelle.DirectoryLavoro, ditta,
                           connessione, utente, port, owner);
        form.EseguiAllApertura = eseguiAllApertura;
        form.FileImpostazioni = cartelle.FileImpostazioni;
        form.FileEsportazione.clear();
        if (storico) {
            form.ModoStorico = true;
            form.Codice1 = storico->Codice1;
            form.Codice2 = storico->Codice2;
        }
        form.exec();
    }
    principale.close();
    // The tool reads only; what its own operations write they commit themselves.
    if (transazione.active())
        transazione.commit();
    connessione.disconnect();
}

namespace {

// The grid's port when it is a script; boxes over the form otherwise.
Interazione* portaDellaGriglia(TVEKGrid& griglia) {
    Interazione& port = griglia.interazione();
    return dynamic_cast<QtInterazione*>(&port) ? nullptr : &port;
}

void apri(TVEKGrid& griglia, IbTable& tabella) {
    ApriQuery(tabella, *tabella.database(), griglia.DirectoryBin, griglia.DirectoryLavoro,
              griglia.SezioneImpostazioni, false, griglia.FileImpostazioni, griglia.Utente,
              portaDellaGriglia(griglia), griglia.window());
}

} // namespace

void ApriQueryDaGriglia(TVEKGrid& griglia) {
    Dataset* sorgente = griglia.SorgenteDati();
    if (!sorgente)
        return;
    switch (griglia.TipoTabella()) {
    case TVEKGrid::TipoQuery: {
        auto* query = dynamic_cast<IbQuery*>(sorgente);
        if (!query)
            throw ErroreProgrammazione("The grid's data source is not a query");
        // A table object on the query's database, for as long as the tool is open.
        IbTable tabella;
        tabella.setDatabase(query->database());
        tabella.setTransaction(query->transaction());
        tabella.setTableName(griglia.TabellaPrincipale.isEmpty()
                                 ? TabellaDellaQuery(griglia.SQLIniziale)
                                 : griglia.TabellaPrincipale);
        tabella.open();
        apri(griglia, tabella);
        return;
    }
    case TVEKGrid::TipoTabellaDb: {
        auto* tabella = dynamic_cast<IbTable*>(sorgente);
        if (!tabella)
            throw ErroreProgrammazione("The grid's data source is not a table");
        apri(griglia, *tabella);
        return;
    }
    case TVEKGrid::TipoMemoria:
        if (!griglia.TabellaAppoggio)
            throw ErroreProgrammazione("A grid over a memory dataset has no TabellaAppoggio");
        RiempiTabellaAppoggio(*sorgente, *griglia.TabellaAppoggio);
        apri(griglia, *griglia.TabellaAppoggio);
        return;
    }
}

void InstallaQueryNelleGriglie() {
    TVEKGrid::InstallaApriQuery(&ApriQueryDaGriglia);
}

} // namespace mavo
