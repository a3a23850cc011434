#include "grid/aspetto/RipristinoAspetto.h"
#include "platform/SqlTesto.h"

#include "db/Statement.h"
#include "db/Transaction.h"
#include "grid/LetturaImpostazioni.h"

namespace mavo {

namespace {

void esegui(db::Database& database, db::Transaction& transazione, const QStringList& sql) {
    db::Statement istruzione(&database, &transazione);
    istruzione.setParamCheck(false);
    istruzione.setSql(sql);
    istruzione.execute();
}

} // namespace

void EliminaAspetto(db::Database& database, const QString& tabellaAspetto,
                    const QString& tabellaPosizioni, const ChiaviGriglia& chiavi) {
    db::Transaction transazione(&database);
    transazione.start();
    esegui(database, transazione,
           QStringList{QStringLiteral("DELETE FROM ") + sql::identificatore(tabellaAspetto)} +
               RigheChiave(chiavi));
    esegui(database, transazione,
           {QStringLiteral("DELETE FROM ") + tabellaPosizioni, QStringLiteral("WHERE"),
            QStringLiteral("  CODICESITUAZIONE=%1").arg(chiavi.situazione), QStringLiteral("  AND"),
            QStringLiteral("  CODICEUTENTE=%1").arg(chiavi.utente), QStringLiteral("  AND"),
            QStringLiteral("  CODICEPROGETTO=%1").arg(chiavi.progetto)});
    transazione.commit();
}

} // namespace mavo
