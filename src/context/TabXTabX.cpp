#include "context/TabXForm.h"
#include "platform/SqlTesto.h"

#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"

namespace mavo {

namespace {

QString numeroSql(const QString& numero) {
    return sql::letteraleONull(QString(numero).replace(u',', u'.'));
}

// A date typed in the process format goes to SQL as "mm/dd/yyyy"; anything
// else goes as it is, for the server to refuse.
QString dataSql(const QString& data) {
    const std::optional<QDate> letta = textToDate(data);
    return sql::letteraleONull(letta ? sql::data(*letta) : data);
}

QString comeTesto(const QVariant& valore) {
    if (valore.isNull())
        return {};
    if (valore.typeId() == QMetaType::QDate)
        return dateToText(valore.toDate());
    return valore.toString();
}

} // namespace

std::optional<QVariantHash> TTabXForm::primaRigaTabX(const QStringList& sql) {
    db::Statement query(&IBDatabase1, &IBTransaction1);
    query.setSql(sql);
    query.execute();
    if (!query.fetch())
        return std::nullopt;
    QVariantHash riga;
    for (int i = 0; i < query.columnCount(); ++i)
        riga.insert(query.columns()[i].alias, query.value(i));
    query.close();
    return riga;
}

void TTabXForm::eseguiTabX(const QStringList& sql) {
    db::Statement istruzione(&IBDatabase1, &IBTransaction1);
    istruzione.setSql(sql);
    istruzione.execute();
}

QStringList TTabXForm::chiaveTabX(const QString& CodProgetto, const QString& CodSituazione,
                                  const QString& Nome) const {
    return {"(CODPROGETTO=" + sql::letterale(CodProgetto) + ")AND",
            "(CODSITUAZIONE=" + sql::letterale(CodSituazione) + ")AND",
            "(NOME=" + sql::letterale(Nome) + ")AND",
            "(UTENTE='" + QString::number(NumUser) + "')"};
}

void TTabXForm::AggiornaParametriTabX() {
    db::Statement query(&IBDatabase1, &IBTransaction1);
    query.setSql({"SELECT * FROM TABX WHERE", "(UTENTE='" + QString::number(NumUser) + "')AND",
                  "(TIPO='TBX')"});
    query.execute();
    while (query.fetch())
        aggiornaDaRigaTabX(query);
}

void TTabXForm::aggiornaDaRigaTabX(const db::Statement& riga) {
    const QString nome = comeTesto(riga.value("NOME"));
    if (!MemTabX.locate({"Tipo", "Nome"}, {"TBX", nome})) {
        Inserisci("TBX", nome, comeTesto(riga.value("NUMERO")), comeTesto(riga.value("TESTO")),
                  comeTesto(riga.value("DATA")), comeTesto(riga.value("MEMO")),
                  comeTesto(riga.value("LIVELLO1")), comeTesto(riga.value("LIVELLO2")),
                  comeTesto(riga.value("UTENTE")));
        return;
    }
    static const char* const colonne[] = {"Numero", "Testo", "Data", "Memo"};
    bool tuttiVuoti = true;
    MemTabX.edit();
    for (const char* colonna : colonne) {
        const QVariant valore = riga.value(QString(colonna).toUpper());
        if (comeTesto(valore).isEmpty())
            continue;
        tuttiVuoti = false;
        MemTabX.fieldByName(colonna)->setValue(valore);
    }
    if (tuttiVuoti) {
        for (const char* colonna : colonne)
            MemTabX.fieldByName(colonna)->clear();
    }
    MemTabX.post();
}

bool TTabXForm::VerificaEsistenzaInTabX(const QString& CodProgetto, const QString& CodSituazione,
                                        const QString& Nome) {
    if (CodProgetto.isEmpty() || CodSituazione.isEmpty() || Nome.isEmpty())
        return false;
    return primaRigaTabX(QStringList("SELECT * FROM TABX WHERE ") +
                         chiaveTabX(CodProgetto, CodSituazione, Nome))
        .has_value();
}

bool TTabXForm::AggiungiParametroInTabX(const QString& CodProgetto, const QString& CodSituazione,
                                        const QString& Nome, const QString& Numero,
                                        const QString& Testo, const QString& Data,
                                        const QString& Memo, const QString& Livello1,
                                        const QString& Livello2) {
    if (CodProgetto.isEmpty() || CodSituazione.isEmpty() || Nome.isEmpty())
        return false;
    if (VerificaEsistenzaInTabX(CodProgetto, CodSituazione, Nome))
        return true;
    try {
        eseguiTabX({"INSERT INTO TABX VALUES(", "GEN_ID(CODICETABXCOUNTER,1),",
                    sql::letterale(CodProgetto) + ",", sql::letterale(CodSituazione) + ",",
                    "'TBX',", sql::letterale(Nome) + ",", numeroSql(Numero) + ",",
                    sql::letteraleONull(sql::conAcuto(Testo)) + ",", dataSql(Data) + ",",
                    sql::letteraleONull(sql::conAcuto(Memo)) + ",",
                    sql::letteraleONull(Livello1) + ",", sql::letteraleONull(Livello2) + ",",
                    "'" + QString::number(NumUser) + "')"});
        IBTransaction1.commit();
        return true;
    } catch (const db::DatabaseError&) {
        port_.Errore("Errore interno di INSERT: impossibile aggiungere il parametro " + Nome);
        return false;
    }
}

bool TTabXForm::ScriviParametroInTabX(const QString& CodProgetto, const QString& CodSituazione,
                                      const QString& Nome, const QString& Numero,
                                      const QString& Testo, const QString& Data,
                                      const QString& Memo) {
    if (!VerificaEsistenzaInTabX(CodProgetto, CodSituazione, Nome))
        return false;
    try {
        eseguiTabX(QStringList{"UPDATE TABX SET", "NUMERO=" + numeroSql(Numero) + ",",
                               "TESTO=" + sql::letteraleONull(sql::conAcuto(Testo)) + ",",
                               "DATA=" + dataSql(Data) + ",",
                               "MEMO=" + sql::letteraleONull(sql::conAcuto(Memo)), "WHERE "} +
                   chiaveTabX(CodProgetto, CodSituazione, Nome));
        IBTransaction1.commit();
        return true;
    } catch (const db::DatabaseError&) {
        port_.Errore("Errore interno di UPDATE: impossibile settare il parametro " + Nome);
        return false;
    }
}

bool TTabXForm::CaricaParametroDaTabX(const QString& CodProgetto, const QString& CodSituazione,
                                      const QString& Nome, const QString&, const QString&,
                                      const QString&, const QString&, const QString&,
                                      const QString&) {
    if (!VerificaEsistenzaInTabX(CodProgetto, CodSituazione, Nome) ||
        !MemTabX.locate({"Nome"}, {Nome}))
        return false;
    const std::optional<QVariantHash> riga = primaRigaTabX(
        QStringList("SELECT * FROM TABX WHERE") + chiaveTabX(CodProgetto, CodSituazione, Nome));
    if (!riga)
        return false;
    SetV(Nome, comeTesto(riga->value("TESTO")));
    SetM(Nome, comeTesto(riga->value("MEMO")));
    return true;
}

QString TTabXForm::leggiTabX(const QString& colonna, const QString& Nome, bool PerUtente) {
    QStringList sql = {"SELECT " + colonna + " FROM TABX",
                       "WHERE (NOME=" + sql::letterale(Nome) + ")"};
    if (PerUtente)
        sql << "AND(UTENTE='" + QString::number(NumUser) + "')";
    const std::optional<QVariantHash> riga = primaRigaTabX(sql);
    return riga ? comeTesto(riga->value(colonna)) : QString();
}

bool TTabXForm::settaTabX(const QString& colonna, const QString& Nome, const QString& valore,
                          bool PerUtente) {
    QStringList dove = {"WHERE (NOME=" + sql::letterale(Nome) + ")"};
    if (PerUtente)
        dove << "AND(UTENTE='" + QString::number(NumUser) + "')";
    const QString testo = sql::conAcuto(valore);
    try {
        if (!primaRigaTabX(QStringList("SELECT * FROM TABX") + dove)) {
            eseguiTabX({"INSERT INTO TABX (CODICE,NOME," + colonna + ",UTENTE) VALUES(",
                        "GEN_ID(CODICETABXCOUNTER,1),", sql::letterale(Nome) + ",",
                        sql::letteraleONull(testo) + ",",
                        PerUtente ? "'" + QString::number(NumUser) + "')" : "NULL)"});
        } else {
            eseguiTabX(QStringList("UPDATE TABX SET " + colonna + "=" + sql::letterale(testo)) +
                       dove);
        }
        IBTransaction1.commitRetaining();
        return true;
    } catch (const db::DatabaseError&) {
        return false;
    }
}

QString TTabXForm::ValoreTabX(const QString& Nome, bool PerUtente) {
    return leggiTabX("TESTO", Nome, PerUtente);
}

bool TTabXForm::SettaValoreTabX(const QString& Nome, const QString& Testo, bool PerUtente) {
    return settaTabX("TESTO", Nome, Testo, PerUtente);
}

QString TTabXForm::ValoreMTabX(const QString& Nome, bool PerUtente) {
    return leggiTabX("MEMO", Nome, PerUtente);
}

bool TTabXForm::SettaValoreMTabX(const QString& Nome, const QString& Memo, bool PerUtente) {
    return settaTabX("MEMO", Nome, Memo, PerUtente);
}

} // namespace mavo
