#include "context/TabXForm.h"
#include "platform/SqlTesto.h"

#include "db/DatabaseError.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace mavo {

QString TTabXForm::fileUtenti() const {
    return hostDirectory() + "NOMIDIT\\UTENTI.INI";
}

void TTabXForm::SetUserPerNum(int Numero) {
    NumUser = Numero;
    NomeUser = NomePerCodice(Numero);
    if (ModoUtenti == ModoIni) {
        Ditta =
            IniFile(fileIniUtente(Numero, NomeUser)).readString("STATUS MACCHINA", "UltimaDitta");
    } else if (ModoUtenti == ModoDatabase) {
        Ditta = DittaPerNome(NomePerCodice(Numero));
        CaricaTervald();
    }
}

void TTabXForm::SetUserPerNome(const QString& Nome) {
    SetUserPerNum(CodicePerNome(Nome));
}

QString TTabXForm::NomePerCodice(int Numero) {
    if (ModoUtenti == ModoIni) {
        // Each section is "<number> <name>"; any section holding the digits
        // counts, and the last one wins.
        QString nome;
        for (const QString& sezione : IniFile(fileUtenti()).sections()) {
            if (sezione.contains(QString::number(Numero)))
                nome = sezione.mid(2).trimmed();
        }
        return nome;
    }
    if (ModoUtenti != ModoDatabase)
        return {};
    return primoValoreUtenti({"SELECT NOMEUTENTE FROM UTENTI",
                              "WHERE (CODICE='" + QString::number(Numero) + "')"})
        .toString();
}

int TTabXForm::CodicePerNome(const QString& Nome) {
    if (ModoUtenti != ModoDatabase)
        return 0;
    return primoValoreUtenti(
               {"SELECT CODICE FROM UTENTI", "WHERE (NOMEUTENTE=" + sql::letterale(Nome) + ")"})
        .toInt();
}

QString TTabXForm::DittaPerNome(const QString& Nome) {
    if (ModoUtenti != ModoDatabase || !IBDatabaseUser.connected())
        return {};
    ricominciaTransazioneUtenti();
    return primoValoreUtenti(
               {"SELECT DITTA FROM UTENTI", "WHERE (NOMEUTENTE=" + sql::letterale(Nome) + ")"})
        .toString();
}

void TTabXForm::CaricaUser(QStringList& Lista) {
    if (ModoUtenti == ModoIni) {
        Lista += IniFile(fileUtenti()).sections();
        return;
    }
    if (ModoUtenti != ModoDatabase || !IBDatabaseUser.connected())
        return;
    QueryTervald.close();
    QueryTervald.setSql({"SELECT NOMEUTENTE FROM UTENTI", "ORDER BY CODICE"});
    QueryTervald.open();
    for (QueryTervald.first(); !QueryTervald.eof(); QueryTervald.next())
        Lista += QueryTervald.field(0)->asString();
    QueryTervald.close();
}

bool TTabXForm::VerificaPasswordUser(const QString& Nome, const QString& Password) {
    if (ModoUtenti != ModoDatabase)
        return true;
    const QVariant salvata = [&] {
        if (!IBDatabaseUser.connected())
            return QVariant();
        QueryTervald.close();
        QueryTervald.setSql(
            {"SELECT PWDUTENTE FROM UTENTI", "WHERE (NOMEUTENTE=" + sql::letterale(Nome) + ")"});
        QueryTervald.open();
        // A user whose password is NULL exists all the same: keep it apart from no row.
        const QVariant valore =
            QueryTervald.isEmpty() ? QVariant() : QVariant(QueryTervald.field(0)->asString());
        QueryTervald.close();
        return valore;
    }();
    if (salvata.isNull())
        return false;
    return salvata.toString().isEmpty() || salvata.toString() == Password;
}

int TTabXForm::ProfiloSicurezzaUtente() {
    if (!IBDatabaseUser.connected())
        return 0;
    ricominciaTransazioneUtenti();
    return primoValoreUtenti({"SELECT PROFILOSICUREZZA", "FROM UTENTI",
                              "WHERE CODICE='" + QString::number(NumUser) + "'"})
        .toInt();
}

QString TTabXForm::DecodificaNomeUser(int Numero) {
    if (!IBDatabaseUser.connected())
        return {};
    IbQuery query;
    query.setDatabase(&IBDatabaseUser);
    query.setTransaction(&TransazioneUser);
    query.setUnidirectional(true);
    query.setParamCheck(false);
    query.setSql({"SELECT NOMEUTENTE", "FROM UTENTI", "WHERE CODICE=" + QString::number(Numero)});
    query.open();
    return query.isEmpty() ? QString() : query.field(0)->asString();
}

bool TTabXForm::ScritturaHandleDiApertura(qint32 IdFinestra, qint64 Handle) {
    try {
        QueryTervald.close();
        ricominciaTransazioneUtenti();
        QueryTervald.setSql(
            {"UPDATE ZENTRILOGFUNZ SET HANDLEFINESTRA='" + QString::number(Handle) + "'",
             "WHERE IDFINESTRA='" + QString::number(IdFinestra) + "'"});
        QueryTervald.execSql();
        TransazioneUser.commitRetaining();
        return true;
    } catch (const db::DatabaseError&) {
        return false;
    }
}

} // namespace mavo
