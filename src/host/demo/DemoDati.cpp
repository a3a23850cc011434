#include "host/demo/DemoEnvironment.h"
#include "host/demo/DemoSql.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QDateTime>
#include <functional>

namespace mavo {

namespace {

bool tabellaVuota(db::Database& database, const QString& tabella) {
    return scalareDemo(database, {"SELECT COUNT(*) FROM " + tabella}).toInt() == 0;
}

// One prepared insert for all the articles, in one transaction.
void riempi(db::Database& database, const QStringList& sql, int articoli,
            const std::function<void(db::Statement&, const ArticoloDemo&)>& imposta) {
    db::Transaction transazione(&database);
    db::Statement inserisci(&database, &transazione);
    inserisci.setSql(sql);
    for (int i = 1; i <= articoli; ++i) {
        inserisci.setParam("ID", i);
        imposta(inserisci, articoloDemo(i));
        inserisci.execute();
    }
    transazione.commit();
}

} // namespace

void AggiungiUtente(db::Database& utenti, int codice, const QString& nome, const QString& ditta,
                    const QString& password) {
    if (!scalareDemo(utenti, {"SELECT CODICE FROM UTENTI WHERE CODICE=:CODICE"},
                     {{"CODICE", codice}})
             .isNull())
        return;
    eseguiDemo(utenti,
               {"INSERT INTO UTENTI (CODICE,NOMEUTENTE,PWDUTENTE,DITTA,PROFILOSICUREZZA)",
                "VALUES (:CODICE,:NOME,:PASSWORD,:DITTA,0)"},
               {{"CODICE", codice},
                {"NOME", nome},
                {"PASSWORD", password.isEmpty() ? QVariant() : QVariant(password)},
                {"DITTA", ditta}});
}

void AggiungiImpostazione(db::Database& utenti, int utente, const QString& ditta,
                          const QString& chiave, const QString& valore) {
    const QVariantHash chiavi = {{"UTENTE", utente}, {"DITTA", ditta}, {"CHIAVE", chiave}};
    if (!scalareDemo(utenti,
                     {"SELECT PROGRESSIVO FROM TABTERVALD",
                      "WHERE UTENTE=:UTENTE AND INTESTAZIONE=:DITTA AND PARAMETRO=:CHIAVE"},
                     chiavi)
             .isNull())
        return;
    const int progressivo =
        scalareDemo(utenti, {"SELECT MAX(PROGRESSIVO) FROM TABTERVALD WHERE UTENTE=:UTENTE"},
                    {{"UTENTE", utente}})
            .toInt() +
        1;
    QVariantHash valori = chiavi;
    valori.insert("VALORE", valore);
    valori.insert("PROGRESSIVO", progressivo);
    eseguiDemo(utenti,
               {"INSERT INTO TABTERVALD (UTENTE,INTESTAZIONE,PARAMETRO,VALORE,PROGRESSIVO)",
                "VALUES (:UTENTE,:DITTA,:CHIAVE,:VALORE,:PROGRESSIVO)"},
               valori);
}

int RegistraAperturaFinestra(db::Database& utenti, int utente, const QString& funzione) {
    const int id =
        scalareDemo(utenti, {"SELECT GEN_ID(ZENTRILOGFUNZ_GEN,1) FROM RDB$DATABASE"}).toInt();
    eseguiDemo(utenti,
               {"INSERT INTO ZENTRILOGFUNZ (IDFINESTRA,UTENTE,FUNZIONE,DATAORA)",
                "VALUES (:ID,:UTENTE,:FUNZIONE,:DATAORA)"},
               {{"ID", id},
                {"UTENTE", utente},
                {"FUNZIONE", funzione},
                {"DATAORA", QDateTime::currentDateTime()}});
    return id;
}

void RiempiAnagrafica(db::Database& archivio, int articoli) {
    if (!tabellaVuota(archivio, "ANAMAG"))
        return;
    riempi(archivio,
           {"INSERT INTO ANAMAG (ID,FORNITORE,ESTENSIONE,CODICE,DESCRIZIONE,UNITAMISURA,",
            "ALIQUOTAIVA,GIACENZA,PREZZOLISTINOFORNITORE,PREZZOACQUISTONETTO,NETTOPIUONERI,",
            "PREZZOVENDITA,PERCRICARICOVENDITA)",
            "VALUES (:ID,:FORNITORE,:ESTENSIONE,:CODICE,:DESCRIZIONE,'PZ',22,:GIACENZA,",
            ":PREZZO,:PREZZO,:PREZZO,:VENDITA,40)"},
           articoli, [](db::Statement& inserisci, const ArticoloDemo& articolo) {
               inserisci.setParam("FORNITORE", articolo.fornitore);
               inserisci.setParam("ESTENSIONE", articolo.estensione);
               inserisci.setParam("CODICE", articolo.codice);
               inserisci.setParam("DESCRIZIONE", articolo.descrizione);
               inserisci.setParam("GIACENZA", articolo.codice.size() * 3 % 40);
               inserisci.setParam("PREZZO", articolo.prezzoListino);
               inserisci.setParam("VENDITA", articolo.prezzoVendita());
           });
}

void RiempiListino(db::Database& listino, int articoli) {
    // The host's own rows may be there already, after the articles' IDs.
    if (scalareDemo(listino, {"SELECT COUNT(*) FROM LISTINO WHERE ID<=:ARTICOLI"},
                    {{"ARTICOLI", articoli}})
            .toInt() > 0)
        return;
    riempi(listino,
           {"INSERT INTO LISTINO (ID,CODICEFORN,CODICE,DESCRIZIONE,PRLISTINO,PRACQNETTO,",
            "NETPIUONER,PREZZOVEN,PERCRICVEN)",
            "VALUES (:ID,:FORNITORE,:CODICE,:DESCRIZIONE,:PREZZO,:PREZZO,:PREZZO,:VENDITA,40)"},
           articoli, [](db::Statement& inserisci, const ArticoloDemo& articolo) {
               inserisci.setParam("FORNITORE", articolo.fornitore);
               inserisci.setParam("CODICE", articolo.codice);
               inserisci.setParam("DESCRIZIONE", articolo.descrizione);
               inserisci.setParam("PREZZO", articolo.prezzoListino);
               inserisci.setParam("VENDITA", articolo.prezzoVendita());
           });
}

} // namespace mavo
