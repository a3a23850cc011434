#include "context/DataModuleMavo.h"

#include "context/TabXForm.h"
#include "db/DatabaseError.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace mavo {

namespace {

bool esisteFile(const QString& percorso) {
    return !percorso.isEmpty() && QFileInfo(toLocalPath(percorso)).isFile();
}

} // namespace

TDataModuleMavo::TDataModuleMavo(TTabXForm& contesto, QObject* parent)
    : QObject(parent), Contesto(contesto) {
    garantisciParametro("Archivio", "Archivio");
    apriArchivio(Contesto.IBDatabase1, "Archivio", &TTabXForm::ConnettiDatabase1,
                 "Attenzione: l'archivio non è stato trovato.\r\nImpossibile procedere");
    garantisciParametro("ArchivioListino", "Directory listino");
    apriArchivio(Contesto.IBDatabase2, "ArchivioListino", &TTabXForm::ConnettiDatabase2,
                 "Attenzione: il listone non è stato trovato.\r\nImpossibile procedere");
    garantisciParametro("BinDir", "Directory bin");
    garantisciParametro("TabTempDir", "Directory tabelle temporanee");
    if (Contesto.IBDatabase1.connected() && Contesto.IBDatabase2.connected()) {
        CodiceProgetto = 528;
        SituazioneFinestra = 1;
        SituazioneGriglia = 2;
    }
}

// A local archive is looked for first: one that is missing would otherwise be
// created empty. Whether one on a server is there only the server can tell.
void TDataModuleMavo::apriArchivio(db::Database& database, const QString& parametro,
                                   void (TTabXForm::*connetti)(const QString&),
                                   const QString& avviso) {
    if (database.connected())
        return;
    const QString percorso = Contesto.GetV(parametro);
    if (isRemoteDatabasePath(percorso)) {
        try {
            Contesto.ConnettiArchivioRemoto(database, percorso);
        } catch (const db::DatabaseError& e) {
            Contesto.interazione().Avviso(avviso + "\r\n" + e.message());
        }
    } else if (esisteFile(percorso)) {
        (Contesto.*connetti)(parametro);
    } else {
        Contesto.interazione().Avviso(avviso);
    }
}

void TDataModuleMavo::garantisciParametro(const QString& nome, const QString& chiave) {
    if (Contesto.MemTabX.locate({"Nome"}, {nome}))
        return;
    Contesto.Inserisci("TVD", nome, QString(), Contesto.CaricaParametro(chiave), QString(),
                       QString(), QString(), QString(), QString::number(Contesto.GetNumUser()));
}

} // namespace mavo
