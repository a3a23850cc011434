#include "common/ui/PosizioneForm.h"

#include "common/Aggiornamento.h"
#include "common/ui/AspettoDialogo.h"
#include "db/Transaction.h"

#include <QRect>
#include <QWidget>

namespace mavo {

namespace {

const QString kTabella = QStringLiteral("STOPOS1");

QStringList chiave(int utente, int situazione, int progetto) {
    return {QStringLiteral("WHERE (CodiceSituazione=%1)").arg(situazione),
            QStringLiteral("AND (CodiceUtente=%1)").arg(utente),
            QStringLiteral("AND (CodiceProgetto=%1)").arg(progetto)};
}

// Opens the window's row (if any) in `query`, inside `transazione`.
void apriPosizione(IbQuery& query, db::Database& database, db::Transaction& transazione, int utente,
                   int situazione, int progetto) {
    query.setDatabase(&database);
    query.setTransaction(&transazione);
    query.setParamCheck(false);
    query.setSql(QStringList{QStringLiteral("SELECT * FROM \"%1\"").arg(kTabella)} +
                 chiave(utente, situazione, progetto));
    query.open();
}

QRect posizioneSalvata(const IbQuery& query) {
    return QRect(
        int(query.fieldByName("PosX")->asInteger()), int(query.fieldByName("PosY")->asInteger()),
        int(query.fieldByName("DimX")->asInteger()), int(query.fieldByName("DimY")->asInteger()));
}

void concludi(IbQuery& query, db::Transaction& transazione) {
    query.close();
    if (transazione.active()) {
        transazione.commit();
    }
}

} // namespace

void SalvaPosizioneForm(const QWidget& finestra, int utente, int situazione, int progetto,
                        db::Database& database) {
    db::Transaction transazione(&database);
    IbQuery query;
    apriPosizione(query, database, transazione, utente, situazione, progetto);
    const QRect geometria = finestra.geometry();
    const bool esiste = !query.isEmpty();
    if (esiste && posizioneSalvata(query) == geometria) {
        concludi(query, transazione);
        return;
    }
    UpdateSql aggiornamento;
    GeneraSQLAggiornamento(query, kTabella, TipoAggiornamento::Update, aggiornamento);
    GeneraSQLAggiornamento(query, kTabella, TipoAggiornamento::Insert, aggiornamento);
    aggiornamento.modifySql += chiave(utente, situazione, progetto);
    query.setUpdateObject(&aggiornamento);
    if (esiste) {
        query.edit();
    } else {
        query.append();
        query.fieldByName("CodiceProgetto")->setValue(progetto);
        query.fieldByName("CodiceSituazione")->setValue(situazione);
        query.fieldByName("CodiceUtente")->setValue(utente);
    }
    query.fieldByName("PosX")->setValue(geometria.x());
    query.fieldByName("PosY")->setValue(geometria.y());
    query.fieldByName("DimX")->setValue(geometria.width());
    query.fieldByName("DimY")->setValue(geometria.height());
    query.post();
    concludi(query, transazione);
}

void CaricaPosizioneForm(QWidget& finestra, int utente, int situazione, int progetto,
                         db::Database& database) {
    db::Transaction transazione(&database);
    IbQuery query;
    apriPosizione(query, database, transazione, utente, situazione, progetto);
    if (!query.isEmpty()) {
        finestra.setGeometry(posizioneSalvata(query));
    }
    concludi(query, transazione);
    // Stored on another desktop, or designed for a larger one.
    PortaSulloSchermo(finestra);
}

} // namespace mavo
