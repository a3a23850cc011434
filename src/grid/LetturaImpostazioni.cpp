#include "grid/LetturaImpostazioni.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"

namespace mavo {

const db::FieldInfo* RigheImpostazioni::colonna(const QString& nome) const {
    for (const db::FieldInfo& c : colonne)
        if (c.alias.compare(nome, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

RigheImpostazioni LeggiImpostazioni(db::Database& database, const QStringList& sql, int massimo) {
    RigheImpostazioni lette;
    db::Transaction transazione(&database);
    transazione.start();
    {
        db::Statement istruzione(&database, &transazione);
        istruzione.setParamCheck(false);
        istruzione.setSql(sql);
        istruzione.execute();
        lette.colonne = istruzione.columns();
        while ((massimo < 0 || lette.righe.size() < massimo) && istruzione.fetch()) {
            QVariantHash riga;
            for (int c = 0; c < lette.colonne.size(); ++c)
                riga.insert(lette.colonne[c].alias.toUpper(), istruzione.value(c));
            lette.righe << riga;
        }
    }
    if (transazione.active())
        transazione.commit();
    return lette;
}

} // namespace mavo
