#include "context/PulsanteSalva.h"
#include "context/TabXForm.h"

#include "dataset/IbTable.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "platform/ErroreProgrammazione.h"
#include "platform/Interazione.h"

namespace mavo {

namespace {

db::Transaction& transazioneDi(IbQuery& DataSet) {
    db::Transaction* transazione = DataSet.transaction();
    if (!transazione)
        throw ErroreProgrammazione("Editing a dataset without a transaction");
    return *transazione;
}

// The record's key: the first field of the dataset's definition.
const Field& chiave(const IbQuery& DataSet) {
    for (int i = 0; i < DataSet.fieldCount(); ++i)
        if (DataSet.field(i)->fieldNo() == 0)
            return *DataSet.field(i);
    throw ErroreProgrammazione("Editing a dataset without fields");
}

} // namespace

void TTabXForm::segnaSalvato(PulsanteSalva& Pulsante) {
    Pulsante.Imposta(0, FileVerde);
}

void TTabXForm::segnaModificato(PulsanteSalva& Pulsante) {
    Pulsante.Imposta(1, FileRosso);
}

QVariant TTabXForm::primoValore(db::Database& database, db::Transaction& transazione,
                                const QStringList& sql, const QVariantList& parametri) {
    db::Statement istruzione(&database, &transazione);
    istruzione.setSql(sql);
    for (int i = 0; i < parametri.size(); ++i)
        istruzione.setParam(i, parametri[i]);
    istruzione.execute();
    const QVariant valore = istruzione.fetch() ? istruzione.value(0) : QVariant();
    istruzione.close();
    return valore;
}

void TTabXForm::esegui(db::Database& database, db::Transaction& transazione, const QStringList& sql,
                       const QVariantList& parametri) {
    db::Statement istruzione(&database, &transazione);
    istruzione.setSql(sql);
    for (int i = 0; i < parametri.size(); ++i)
        istruzione.setParam(i, parametri[i]);
    istruzione.execute();
}

void TTabXForm::aggiungiConChiave(IbQuery& DataSet, const QVariant& valore) {
    DataSet.append();
    DataSet.setCurrentValue(chiave(DataSet).fieldNo(), valore);
    DataSet.post();
}

void TTabXForm::AggiornaTabella(IbQuery& DataSet, Dataset::Bookmark Segnalibro, bool Valido) {
    DataSet.close();
    db::Transaction& transazione = transazioneDi(DataSet);
    if (transazione.active())
        transazione.rollback();
    transazione.start();
    if (auto* tabella = qobject_cast<IbTable*>(&DataSet)) {
        const QVector<IndexDef> indici = tabella->indexDefs();
        if (!indici.isEmpty())
            tabella->setIndexFieldNames(indici.first().fields.join(u';'));
    }
    DataSet.open();
    if (Valido)
        DataSet.gotoBookmark(Segnalibro);
}

void TTabXForm::ChiudiTransazione(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                                  PulsanteSalva& Pulsante) {
    Valido = DataSet.active();
    if (Valido) {
        if (DataSet.state() == Dataset::State::Edit || DataSet.state() == Dataset::State::Insert)
            DataSet.post();
        Segnalibro = DataSet.bookmark();
    }
    db::Transaction& transazione = transazioneDi(DataSet);
    if (transazione.active())
        transazione.commit();
    segnaSalvato(Pulsante);
}

void TTabXForm::ChiudiTransEAggiorna(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                                     PulsanteSalva& Pulsante) {
    ChiudiTransazione(DataSet, Segnalibro, Valido, Pulsante);
    AggiornaTabella(DataSet, Segnalibro, Valido);
}

void TTabXForm::NuovoIntSuLast(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                               PulsanteSalva& Pulsante) {
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    DataSet.last();
    const qint64 ultimo = DataSet.isEmpty() ? 0 : chiave(DataSet).asInteger();
    aggiungiConChiave(DataSet, ultimo + 1);
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
}

void TTabXForm::NuovoIntSuMax(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                              PulsanteSalva& Pulsante, const QString& Tabella) {
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    const QVariant massimo =
        primoValore(*DataSet.database(), transazioneDi(DataSet),
                    {"SELECT MAX(" + chiave(DataSet).fieldName() + ") FROM " + Tabella});
    aggiungiConChiave(DataSet, massimo.toLongLong() + 1);
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
}

void TTabXForm::NuovoIntSuGeneratore(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                                     PulsanteSalva& Pulsante, const QString& Generatore) {
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    aggiungiConChiave(DataSet,
                      primoValore(*DataSet.database(), transazioneDi(DataSet),
                                  {"SELECT GEN_ID(" + Generatore + ",1) FROM RDB$DATABASE"}));
    segnaModificato(Pulsante);
}

void TTabXForm::NuovoIntSuGenSQL(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                                 PulsanteSalva& Pulsante, const QString& Generatore,
                                 const QString& Tabella) {
    Valido = false;
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    db::Transaction& transazione = transazioneDi(DataSet);
    const QVariant valore = primoValore(*DataSet.database(), transazione,
                                        {"SELECT GEN_ID(" + Generatore + ",1) FROM RDB$DATABASE"});
    esegui(*DataSet.database(), transazione,
           {"INSERT INTO " + Tabella + "(" + chiave(DataSet).fieldName() + ")", "VALUES (:VALORE)"},
           {valore});
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    DataSet.first();
}

void TTabXForm::Annulla(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                        PulsanteSalva& Pulsante) {
    if (Pulsante.Tag() != 1 ||
        !port_.Conferma("Conferma l'annullamento delle modifiche apportate?"))
        return;
    segnaSalvato(Pulsante);
    DataSet.cancel();
    AggiornaTabella(DataSet, Segnalibro, Valido);
}

bool TTabXForm::Elimina(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                        PulsanteSalva& Pulsante) {
    // The record the user chose, as he saw it: the refresh may take it away.
    const QString nome = DataSet.active() ? chiave(DataSet).fieldName() : QString();
    const QVariant valore = DataSet.active() ? chiave(DataSet).value() : QVariant();
    // Pending edits are committed first: a refresh would otherwise drop them.
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    if (DataSet.isEmpty()) {
        port_.Informazione("La tabella è vuota");
        return false;
    }
    if (!port_.Conferma("Conferma la cacellazione del record?"))
        return false;
    // Another user may have deleted it since the grid was read.
    AggiornaTabella(DataSet, Segnalibro, Valido);
    if (!DataSet.locate({nome}, {valore})) {
        port_.Avviso("Questo record è già stato cancellato da un altro utente in un'altra sessione "
                     "di lavoro");
        return false;
    }
    try {
        DataSet.deleteRecord();
    } catch (const db::DatabaseError&) {
        transazioneDi(DataSet).rollback();
        port_.Avviso("Impossibile cancellare questo record, altri utenti stanno lavorando su "
                     "questo record.");
        AggiornaTabella(DataSet, Segnalibro, Valido);
        return false;
    }
    ChiudiTransazione(DataSet, Segnalibro, Valido, Pulsante);
    AggiornaTabella(DataSet, Segnalibro, Valido);
    return true;
}

void TTabXForm::Azzera(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                       PulsanteSalva& Pulsante, const QString& Tabella) {
    if (!port_.Conferma("Confermare l'azzeramento della tabella?"))
        return;
    try {
        ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
        auto* tabella = qobject_cast<IbTable*>(&DataSet);
        if (tabella)
            tabella->close();
        esegui(*DataSet.database(), transazioneDi(DataSet),
               {"DELETE FROM " + (tabella ? tabella->tableName() : Tabella)});
        ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    } catch (const db::DatabaseError&) {
        if (transazioneDi(DataSet).active())
            transazioneDi(DataSet).rollback();
        port_.Errore("Impossibile azzerare la tabella!");
        AggiornaTabella(DataSet, Segnalibro, false);
    }
}

void TTabXForm::Chiudi(IbQuery& DataSet, PulsanteSalva& Pulsante) {
    if (Pulsante.Tag() != 1 || port_.Conferma("Salvare le modifiche apportate?"))
        return;
    db::Transaction* transazione =
        DataSet.database() ? DataSet.database()->defaultTransaction() : nullptr;
    if (transazione && transazione->active()) {
        transazione->rollback();
        transazione->start();
    }
}

void TTabXForm::AggiornamentoDaPulsante(IbQuery& DataSet, Dataset::Bookmark& Segnalibro,
                                        bool& Valido, PulsanteSalva& Pulsante) {
    if (Pulsante.Tag() == 1) {
        if (port_.Conferma("Attenzione: sono state fatte delle modifiche che non sono state "
                           "ancora salvate. Prima di aggiornare la griglia si desidera salvare gli "
                           "aggiornamenti?")) {
            if (DataSet.state() == Dataset::State::Edit ||
                DataSet.state() == Dataset::State::Insert)
                DataSet.post();
            segnaSalvato(Pulsante);
        } else {
            DataSet.cancel();
            db::Transaction& transazione = transazioneDi(DataSet);
            if (transazione.active())
                transazione.rollback();
            transazione.start();
        }
    }
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
}

bool TTabXForm::EventoBeforeEditDataSet(IbQuery& DataSet, PulsanteSalva& Pulsante,
                                        const QString& Tabella) {
    const Field& campo = chiave(DataSet);
    try {
        // Changes nothing, but holds the row for this transaction.
        esegui(*DataSet.database(), transazioneDi(DataSet),
               {"UPDATE " + Tabella, "SET " + campo.fieldName() + "=:VALORE",
                "WHERE " + campo.fieldName() + "=:VALORE"},
               {campo.value()});
    } catch (const db::DatabaseError&) {
        port_.Avviso("Attenzione: altri utenti stanno lavorando su questo record. Provare ad "
                     "aggiornare la griglia. Nel caso in cui questo messaggio riapparisse, provare "
                     "ad editare il record in un secondo momento.");
        return false;
    }
    segnaModificato(Pulsante);
    return true;
}

bool TTabXForm::CreaGeneratore(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                               PulsanteSalva& Pulsante, const QString& Nome) {
    try {
        esegui(*DataSet.database(), transazioneDi(DataSet), {"CREATE GENERATOR " + Nome});
        ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
        return true;
    } catch (const db::DatabaseError&) {
        return false;
    }
}

bool TTabXForm::SetGeneratore(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                              PulsanteSalva& Pulsante, const QString& Nome, const QString& Valore) {
    bool riuscito = true;
    try {
        bool numero = false;
        const qint64 valore = Valore.trimmed().toLongLong(&numero);
        if (!numero)
            throw db::DatabaseError("Valore del generatore non numerico: " + Valore);
        esegui(*DataSet.database(), transazioneDi(DataSet),
               {"SET GENERATOR " + Nome + " TO " + QString::number(valore)});
    } catch (const db::DatabaseError&) {
        riuscito = false;
    }
    ChiudiTransEAggiorna(DataSet, Segnalibro, Valido, Pulsante);
    return riuscito;
}

bool TTabXForm::CheckGeneratore(IbQuery& DataSet, const QString& Nome) {
    return !primoValore(*DataSet.database(), transazioneDi(DataSet),
                        {"SELECT RDB$GENERATOR_NAME", "FROM RDB$GENERATORS",
                         "WHERE RDB$GENERATOR_NAME=:NOME"},
                        {Nome})
                .isNull();
}

QString TTabXForm::ValoreGeneratore(const QString& Nome) {
    IBTransaction1.ensureActive();
    return primoValore(IBDatabase1, IBTransaction1,
                       {"SELECT GEN_ID(" + Nome + ",1) FROM RDB$DATABASE"})
        .toString();
}

} // namespace mavo
