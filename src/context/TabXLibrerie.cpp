#include "context/TabXForm.h"

#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "platform/Interazione.h"

#include <QDate>
#include <QFileInfo>
#include <QLibrary>

namespace mavo {

namespace {

// "X.dll" of the host's Windows programs, as a shared library here: the name
// as given, then "libX.so" and "X.so" in the same folder (or the system's).
QStringList nomiLibreria(const QString& nome) {
    QString base = nome;
    if (base.endsWith(QStringLiteral(".dll"), Qt::CaseInsensitive))
        base.chop(4);
    const QFileInfo info(base);
    const QString cartella = base.contains(u'/') ? info.path() + u'/' : QString();
    return {nome, cartella + "lib" + info.fileName() + ".so", cartella + info.fileName() + ".so",
            base};
}

// Loaded libraries stay loaded: a window one of them opened may outlive the
// call, and unloading its code under it would crash the host.
QFunctionPointer funzione(const QString& libreria, const QString& nome, bool* caricata = nullptr) {
    for (const QString& candidato : nomiLibreria(libreria)) {
        QLibrary caricamento(candidato);
        if (!caricamento.load())
            continue;
        if (caricata)
            *caricata = true;
        return caricamento.resolve(nome.toLatin1().constData());
    }
    return nullptr;
}

} // namespace

void TTabXForm::AvviaFunzXDll(const QString& Libreria, const QString& Funzione, qint32 Argomento) {
    using Avvio = void (*)(qint32);
    if (const auto avvio = reinterpret_cast<Avvio>(funzione(Libreria, Funzione)))
        avvio(Argomento);
}

void TTabXForm::LanciaStampaConDll(const QString& TitoloStampa, const QString& NomeReport,
                                   Dataset& DataSet) {
    bool caricata = false;
    const QString nome = DataSet.className() == u"TIBQuery" ? QStringLiteral("ShowZorq11FormD")
                                                            : QStringLiteral("ShowZorq11MemFormD");
    const QFunctionPointer stampa = funzione(QStringLiteral("Zorq"), nome, &caricata);
    SetV("TitoloStampa", TitoloStampa);
    SetV("NomeReport", NomeReport);
    if (!caricata || !stampa)
        return;
    using Stampa = void (*)(Dataset*, TTabXForm**);
    TTabXForm* contesto = this;
    try {
        reinterpret_cast<Stampa>(stampa)(&DataSet, &contesto);
    } catch (...) {
        port_.Errore("Errore nell'accesso alla DLL Zorq delle stampe");
    }
}

void TTabXForm::IniScriptForm(const QString& Progetto, const QString& Form, const QString& Contesto,
                              const QString& Utente, const QString& Script, const QString& Forza) {
    const QStringList chiave = {"WHERE (PROGETTO=:PROGETTO)AND", "(SCRIPTFORM=:SCRIPTFORM)AND",
                                "(CONTESTO=:CONTESTO)AND", "(UTENTE=:UTENTE)"};
    const auto parametri = [&](db::Statement& s) {
        s.setParam("PROGETTO", Progetto);
        s.setParam("SCRIPTFORM", Form);
        s.setParam("CONTESTO", Contesto);
        s.setParam("UTENTE", Utente);
        if (s.paramIndex("SCRIPT") >= 0) {
            s.setParam("SCRIPT", Script);
            s.setParam("OGGI", QDate::currentDate());
        }
    };
    ricominciaTransazioneUtenti();
    db::Statement istruzione(&IBDatabaseUser, &TransazioneUser);
    istruzione.setSql(QStringList("SELECT SCRIPT FROM TABSCRIPT") + chiave);
    parametri(istruzione);
    istruzione.execute();
    const bool presente = istruzione.fetch();
    const bool vuoto = presente && istruzione.value(0).toString().isEmpty();
    istruzione.close();
    if (!presente)
        istruzione.setSql(
            {"INSERT INTO TABSCRIPT",
             "VALUES (:PROGETTO,:SCRIPTFORM,:CONTESTO,:UTENTE,NULL,:SCRIPT,NULL,:OGGI,"
             "NULL)"});
    else if (vuoto || Forza == u"1")
        istruzione.setSql(
            QStringList{"UPDATE TABSCRIPT", "SET SCRIPT=:SCRIPT,", "DATAULTIMAMODIFICA=:OGGI"} +
            chiave);
    else
        return;
    parametri(istruzione);
    istruzione.execute();
    TransazioneUser.commit();
}

} // namespace mavo
