#include "context/DataModuleMavo.h"

#include "context/TabXForm.h"
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
    if (!Contesto.IBDatabase1.connected()) {
        if (esisteFile(Contesto.GetV("Archivio")))
            Contesto.ConnettiDatabase1("Archivio");
        else
            Contesto.interazione().Avviso("Attenzione: l'archivio non è stato trovato.\r\n"
                                          "Impossibile procedere");
    }
    garantisciParametro("ArchivioListino", "Directory listino");
    if (!Contesto.IBDatabase2.connected()) {
        if (esisteFile(Contesto.GetV("ArchivioListino")))
            Contesto.ConnettiDatabase2("ArchivioListino");
        else
            Contesto.interazione().Avviso("Attenzione: il listone non è stato trovato.\r\n"
                                          "Impossibile procedere");
    }
    garantisciParametro("BinDir", "Directory bin");
    garantisciParametro("TabTempDir", "Directory tabelle temporanee");
    if (Contesto.IBDatabase1.connected() && Contesto.IBDatabase2.connected()) {
        CodiceProgetto = 528;
        SituazioneFinestra = 1;
        SituazioneGriglia = 2;
    }
}

void TDataModuleMavo::garantisciParametro(const QString& nome, const QString& chiave) {
    if (Contesto.MemTabX.locate({"Nome"}, {nome}))
        return;
    Contesto.Inserisci("TVD", nome, QString(), Contesto.CaricaParametro(chiave), QString(),
                       QString(), QString(), QString(), QString::number(Contesto.GetNumUser()));
}

} // namespace mavo
