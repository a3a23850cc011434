#include "host/demo/DemoEnvironment.h"

#include "db/Database.h"
#include "platform/IoError.h"

#include <QDir>
#include <QFileInfo>

namespace mavo {

namespace {

constexpr int ArticoliDemo = 3000;

void creaDirectory(const QString& directory) {
    if (!QDir().mkpath(directory))
        throw IoError("Impossibile creare la directory " + directory);
}

} // namespace

AmbienteDemo PercorsiDemo(const QString& directory) {
    AmbienteDemo ambiente;
    ambiente.directory = QDir(directory).absolutePath() + '/';
    ambiente.utenti = ambiente.directory + "user/user.fdb";
    ambiente.archivio = ambiente.directory + "archivi/DEMO/ditta.fdb";
    ambiente.listino = ambiente.directory + "archivi/listino.fdb";
    ambiente.binDir = ambiente.directory + "bin/";
    ambiente.tabTempDir = ambiente.directory + "temp/";
    ambiente.fileFornitore = ambiente.directory + "fornitori/netti_2197.csv";
    ambiente.icona = ambiente.directory + "Grafica/ZENTRIVO.ICO";
    ambiente.verde = ambiente.directory + "Grafica/Verde.bmp";
    ambiente.rosso = ambiente.directory + "Grafica/Rosso.bmp";
    return ambiente;
}

std::unique_ptr<db::Database> ApriOCreaDatabaseDemo(const QString& percorso) {
    auto database = std::make_unique<db::Database>();
    database->setDatabaseName(percorso);
    if (QFileInfo::exists(percorso)) {
        database->connect();
    } else {
        creaDirectory(QFileInfo(percorso).absolutePath());
        database->create(4096);
    }
    return database;
}

AmbienteDemo CreaAmbienteDemo(const QString& directory) {
    const AmbienteDemo ambiente = PercorsiDemo(directory);
    for (const QString& cartella :
         {ambiente.binDir, ambiente.tabTempDir, QFileInfo(ambiente.fileFornitore).absolutePath(),
          QFileInfo(ambiente.icona).absolutePath()})
        creaDirectory(cartella);

    {
        const auto utenti = ApriOCreaDatabaseDemo(ambiente.utenti);
        CreaSchemaUtenti(*utenti);
        AggiungiUtente(*utenti, UtenteDemo, "DEMO", DittaDemo);
        AggiungiUtente(*utenti, 2, "ROSSI", DittaDemo, "rossi");
        const std::pair<const char*, QString> impostazioni[] = {
            {"Archivio", ambiente.archivio},
            {"Directory listino", ambiente.listino},
            {"Directory bin", ambiente.binDir},
            {"Directory tabelle temporanee", ambiente.tabTempDir}};
        for (int utente : {UtenteDemo, 2}) {
            for (const auto& [chiave, valore] : impostazioni)
                AggiungiImpostazione(*utenti, utente, DittaDemo, chiave, valore);
        }
    }
    {
        const auto archivio = ApriOCreaDatabaseDemo(ambiente.archivio);
        CreaSchemaArchivio(*archivio);
        RiempiAnagrafica(*archivio, ArticoliDemo);
    }
    if (!QFileInfo::exists(ambiente.listino)) {
        creaDirectory(QFileInfo(ambiente.listino).absolutePath());
        CreaListinoHost(ambiente.listino);
    }
    {
        const auto listino = ApriOCreaDatabaseDemo(ambiente.listino);
        CreaSchemaListino(*listino);
        RiempiListino(*listino, ArticoliDemo);
    }
    if (!QFileInfo::exists(ambiente.fileFornitore))
        ScriviFileFornitore(ambiente.fileFornitore, ArticoliDemo);
    if (!QFileInfo::exists(ambiente.icona))
        ScriviIcona(ambiente.icona);
    if (!QFileInfo::exists(ambiente.verde))
        ScriviPulsanteSalva(ambiente.verde, false);
    if (!QFileInfo::exists(ambiente.rosso))
        ScriviPulsanteSalva(ambiente.rosso, true);
    return ambiente;
}

} // namespace mavo
