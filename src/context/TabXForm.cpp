#include "context/TabXForm.h"

#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"

#include <QDir>

namespace mavo {

namespace {

void collega(db::Database& database, db::Transaction& transazione) {
    transazione.setDefaultDatabase(&database);
    database.setDefaultTransaction(&transazione);
}

// Without a window nobody can name a server: the dialog counts as closed.
RispostaServer senzaDialogo(const QString&, const QString&) {
    return {};
}

} // namespace

TTabXForm::TTabXForm(Interazione& port, quint8 modo, QObject* parent,
                     FunzioneDialogoServer dialogoServer)
    : QObject(parent), DialogoServer(dialogoServer ? std::move(dialogoServer) : &senzaDialogo),
      ModoUtenti(modo), port_(port) {
    collega(IBDatabase1, IBTransaction1);
    IBTransaction1.setParams({"isc_tpb_concurrency", "isc_tpb_nowait"});
    collega(IBDatabase2, IBTransaction2);
    collega(IBDatabase3, IBTransaction3);
    collega(IBDatabase4, IBTransaction4);
    collega(IBDatabase5, IBTransaction5);
    collega(IBDatabaseUser, TransazioneUser);
    QueryTervald.setDatabase(&IBDatabaseUser);
    QueryTervald.setTransaction(&TransazioneUser);
    QueryTervald.setBlockSize(1000);

    MemTabX.addFieldDef("Codice", FieldType::AutoInc);
    MemTabX.addFieldDef("Tipo", FieldType::String, 10);
    MemTabX.addFieldDef("Nome", FieldType::String, 64);
    MemTabX.addFieldDef("Numero", FieldType::LargeInt);
    MemTabX.addFieldDef("Testo", FieldType::String, 128);
    MemTabX.addFieldDef("Data", FieldType::Date);
    MemTabX.addFieldDef("Memo", FieldType::Memo);
    MemTabX.addFieldDef("Livello1", FieldType::SmallInt);
    MemTabX.addFieldDef("Livello2", FieldType::SmallInt);
    MemTabX.addFieldDef("Utente", FieldType::SmallInt);

    if (ModoUtenti != ModoNessuno) {
        FileVerde = hostDirectory() + "Grafica\\Verde.bmp";
        FileRosso = hostDirectory() + "Grafica\\Rosso.bmp";
        apriDatabaseUtenti();
    }
    MemTabX.open();
}

TTabXForm::~TTabXForm() = default;

QStringList TTabXForm::IstruzioneCreaTabScript() {
    return {"CREATE TABLE TABSCRIPT(",
            "PROGETTO VARCHAR(15) NOT NULL,",
            "SCRIPTFORM VARCHAR(15) NOT NULL,",
            "CONTESTO SMALLINT NOT NULL,",
            "UTENTE VARCHAR(15) NOT NULL,",
            "DESCRIZIONESITUAZIONE BLOB,",
            "SCRIPT BLOB,",
            "MODIFICATODAUTENTE SMALLINT,",
            "DATAULTIMAMODIFICA DATE,",
            "STATUS SMALLINT,",
            "CONSTRAINT PIMTAB_CHIAVEPRIMARIA PRIMARY KEY (PROGETTO,SCRIPTFORM,CONTESTO,UTENTE));"};
}

void TTabXForm::apriDatabaseUtenti() {
    const QString directory = hostDirectory() + "user\\";
    QDir().mkpath(toLocalPath(directory));
    if (!ApriOCreaDatabase(IBDatabaseUser, directory, "user.fdb", QString(), QString())) {
        // Without the users database every user lookup reads as empty.
        port_.Errore("Errore inizializzazione database utenti");
        return;
    }
    creaTabScriptSeManca();
}

void TTabXForm::creaTabScriptSeManca() {
    if (!primoValoreUtenti(
             {"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS", "WHERE RDB$RELATION_NAME='TABSCRIPT'"})
             .isNull())
        return;
    try {
        db::Statement crea(&IBDatabaseUser, &TransazioneUser);
        crea.setParamCheck(false);
        crea.setSql(IstruzioneCreaTabScript());
        crea.execute();
        TransazioneUser.commit();
    } catch (const db::DatabaseError&) {
        port_.Errore("Errore interno di CREATE: impossibile creare la tabella TABSCRIPT");
    }
}

QVariant TTabXForm::primoValoreUtenti(const QStringList& sql) {
    if (!IBDatabaseUser.connected())
        return {};
    QueryTervald.close();
    QueryTervald.setSql(sql);
    QueryTervald.open();
    const QVariant valore = QueryTervald.isEmpty() ? QVariant() : QueryTervald.field(0)->value();
    QueryTervald.close();
    return valore;
}

void TTabXForm::ricominciaTransazioneUtenti() {
    if (TransazioneUser.active())
        TransazioneUser.rollback();
    TransazioneUser.start();
}

} // namespace mavo
