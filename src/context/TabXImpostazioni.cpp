#include "context/TabXForm.h"
#include "platform/SqlTesto.h"

#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "platform/IniFile.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"

namespace mavo {

namespace {

// Runs a write and commits it; a failure shows the fixed text and leaves the
// transaction to whoever commits next.
void scriviEConferma(db::Statement& istruzione, const QStringList& sql, Interazione& port,
                     const QString& errore) {
    try {
        istruzione.setSql(sql);
        istruzione.execute();
        istruzione.transaction()->commit();
    } catch (const db::DatabaseError&) {
        port.Errore(errore);
    }
}

} // namespace

QString TTabXForm::fileIniUtente(int Numero, const QString& Nome) const {
    return hostDirectory() + "NOMIDIT\\USERCFG\\" + QString::number(Numero) + ' ' + Nome + ".INI";
}

QString TTabXForm::CaricaParametro(const QString& Chiave) {
    if (ModoUtenti == ModoIni)
        return IniFile(fileIniUtente(NumUser, NomeUser)).readString(Ditta, Chiave);
    if (ModoUtenti != ModoDatabase)
        return {};
    return primoValoreUtenti({"SELECT VALORE FROM TABTERVALD WHERE",
                              "(UTENTE='" + QString::number(NumUser) + "')AND",
                              "(INTESTAZIONE=" + sql::letterale(Ditta) + ")AND",
                              "(PARAMETRO=" + sql::letterale(Chiave) + ")"})
        .toString();
}

void TTabXForm::SettaParametro(const QString& Chiave, const QString& Valore) {
    if (ModoUtenti == ModoIni)
        SettaFileIni(Ditta, Chiave, Valore);
    else if (ModoUtenti == ModoDatabase)
        ScriviParametroTervald(Ditta, Chiave, Valore);
    ScriviTervald(NumUser);
}

void TTabXForm::SettaFileIni(const QString& Sezione, const QString& Chiave, const QString& Valore) {
    IniFile(fileIniUtente(NumUser, NomeUser)).writeString(Sezione, Chiave, Valore);
}

void TTabXForm::ScriviParametroTervald(const QString& Intestazione, const QString& Chiave,
                                       const QString& Valore) {
    CaricaTervald();
    {
        db::Statement query(&IBDatabaseUser, &TransazioneUser);
        ricominciaTransazioneUtenti();
        const QString utente = "'" + QString::number(NumUser) + "'";
        const QStringList chiave = {"(UTENTE=" + utente + ")AND",
                                    "(INTESTAZIONE=" + sql::letterale(Intestazione) + ")AND",
                                    "(PARAMETRO=" + sql::letterale(Chiave) + ")"};
        query.setSql(QStringList("SELECT * FROM TABTERVALD WHERE") + chiave);
        query.execute();
        const bool presente = query.fetch();
        query.close();
        if (!presente) {
            query.setSql(
                {"SELECT MAX(PROGRESSIVO) FROM TABTERVALD", "WHERE (UTENTE=" + utente + ")"});
            query.execute();
            const int progressivo = (query.fetch() ? query.value(0).toInt() : 0) + 1;
            query.close();
            scriviEConferma(query,
                            {"INSERT INTO TABTERVALD (UTENTE,INTESTAZIONE,PARAMETRO,VALORE,",
                             "PROGRESSIVO) VALUES(", utente + ",",
                             sql::letterale(Intestazione) + ",", sql::letterale(Chiave) + ",",
                             sql::letteraleONull(Valore) + ",",
                             "'" + QString::number(progressivo) + "')"},
                            port_,
                            "Errore interno di INSERT: impossibile aggiornare la tabella dei "
                            "parametri");
        } else {
            scriviEConferma(
                query,
                QStringList{"UPDATE TABTERVALD SET",
                            Valore.isEmpty() ? "VALORE=NULL" : "VALORE=" + sql::letterale(Valore),
                            "WHERE " + chiave.first()} +
                    chiave.mid(1),
                port_,
                "Errore interno di UPDATE: impossibile aggiornare la tabella dei "
                "parametri");
        }
    }
    ScriviTervald(NumUser);
}

void TTabXForm::ScriviTervald(int Utente) {
    if (!IBDatabaseUser.connected())
        return; // no users database, no image to keep
    const QString utente = "'" + QString::number(Utente) + "'";
    QueryTervald.close();
    QueryTervald.setSql({"SELECT * FROM TABTERVALD WHERE", "(UTENTE=" + utente + ")AND",
                         "(INTESTAZIONE IS NOT NULL)", "ORDER BY INTESTAZIONE,PROGRESSIVO,UTENTE"});
    QueryTervald.open();
    QString immagine;
    QString intestazioneCorrente;
    for (QueryTervald.first(); !QueryTervald.eof(); QueryTervald.next()) {
        const QString intestazione = QueryTervald.fieldByName("INTESTAZIONE")->asString();
        const QString parametro = QueryTervald.fieldByName("PARAMETRO")->asString();
        QString riga;
        if (intestazione != intestazioneCorrente) {
            if (intestazione.isEmpty())
                continue;
            riga = '[' + intestazione + "]\n";
            intestazioneCorrente = intestazione;
        }
        if (!parametro.isEmpty())
            riga += parametro + '=' + QueryTervald.fieldByName("VALORE")->asString();
        immagine += riga + '\n';
    }
    QueryTervald.close();
    try {
        QueryTervald.setSql({immagine.isEmpty() ? "UPDATE UTENTI SET TERVALD=NULL WHERE"
                                                : "UPDATE UTENTI SET TERVALD=" +
                                                      sql::letterale(immagine) + " WHERE",
                             "CODICE=" + utente});
        QueryTervald.execSql();
        TransazioneUser.commit();
    } catch (const db::DatabaseError&) {
        port_.Errore("Errore interno di UPDATE: impossibile aggiornare i parametri tervald "
                     "dell'utente");
    }
}

} // namespace mavo
