// mavo-host: a stand-in for the management application that hosts the
// library. It records the opening in its window log, loads libmavo.so, calls
// the export and runs the event loop while the library's windows are open.
// With --crea-demo it provisions a complete host directory instead.

#include "db/Database.h"
#include "db/DatabaseError.h"
#include "host/demo/DemoEnvironment.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "platform/SegnaliUscita.h"
#include "platform/ui/QtInterazione.h"
#include "query/storico/ui/QueryDelHost.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <cstring>
#include <iostream>

namespace {

using FunzioneEsportata = int32_t (*)(int32_t NumeroUtente, int32_t IdFinestra);

void errore(const QString& testo) {
    std::cerr << "mavo-host: " << testo.toLocal8Bit().constData() << std::endl;
}

int creaDemo(const QString& directory) {
    const mavo::AmbienteDemo ambiente = mavo::CreaAmbienteDemo(directory);
    std::cout << "Ambiente demo pronto in " << ambiente.directory.toLocal8Bit().constData()
              << "\nAvvio: MAVO_HOST_DIR=" << ambiente.directory.toLocal8Bit().constData()
              << " mavo-host --utente " << mavo::UtenteDemo << std::endl;
    return 0;
}

int apriFinestra(QApplication& app, int utente, int chiudiDopo) {
    const QString utenti = mavo::hostDirectory() + "user/user.fdb";
    if (!QFileInfo::exists(utenti)) {
        errore("database utenti non trovato: " + utenti +
               " (crearlo con mavo-host --crea-demo DIRECTORY)");
        return 1;
    }
    int idFinestra = 0;
    {
        mavo::db::Database database;
        database.setDatabaseName(utenti);
        database.connect();
        idFinestra = mavo::RegistraAperturaFinestra(database, utente, "Sincro prezzi netti");
    }

    QLibrary libreria(QCoreApplication::applicationDirPath() + "/../lib/libmavo.so");
    const auto funzione =
        reinterpret_cast<FunzioneEsportata>(libreria.resolve("ShowSincroPrezziNettiFormX"));
    if (!funzione) {
        errore(libreria.errorString());
        return 1;
    }
    funzione(utente, idFinestra);

    const QWidgetList finestre = QApplication::topLevelWidgets();
    const bool apertaUnaFinestra =
        std::any_of(finestre.begin(), finestre.end(), [](QWidget* w) { return w->isVisible(); });
    if (!apertaUnaFinestra)
        return 0;
    app.setQuitOnLastWindowClosed(true);
    if (chiudiDopo >= 0)
        QTimer::singleShot(chiudiDopo, &app, &QApplication::closeAllWindows);
    return app.exec();
}

// The host's own query windows: the tool in history mode on an entry.
int apriQuery(QApplication& app, int utente, const QString& tabella, const QString& codice1,
              const QString& codice2, int chiudiDopo) {
    mavo::ChiaveStorico chiave;
    bool valido = false;
    chiave.Codice1 = codice1.toInt(&valido);
    if (!valido || !mavo::LeggiCodice2(codice2, chiave.Codice2)) {
        errore("voce dello storico non valida: " + codice1 + " " + codice2);
        return 2;
    }
    if (chiudiDopo >= 0)
        QTimer::singleShot(chiudiDopo, &app, [] {
            for (QWidget* finestra : QApplication::topLevelWidgets())
                if (finestra->isVisible())
                    finestra->close();
        });
    mavo::QtInterazione port;
    return mavo::ApriQueryStorico(port, utente, tabella, chiave) ? 0 : 1;
}

int esegui(const QStringList& argomenti, QApplication* app) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Ospite della libreria Mavo");
    parser.addHelpOption();
    const QCommandLineOption opzioneDemo("crea-demo", "Crea un ambiente demo in DIRECTORY.",
                                         "DIRECTORY");
    const QCommandLineOption opzioneUtente("utente", "Numero dell'utente (predefinito 1).",
                                           "NUMERO", "1");
    const QCommandLineOption opzioneChiudi(
        "chiudi-dopo", "Chiude le finestre dopo MILLISECONDI (prove automatiche).", "MILLISECONDI");
    const QCommandLineOption opzioneQuery(
        "query", "Apre la query sulla TABELLA dell'archivio della ditta.", "TABELLA");
    const QCommandLineOption opzioneStorico(
        "storico",
        "Con --query: modalità archivio storico sulla voce C1 C2 (C2 può avere "
        "decimali, 1.5 o 1,5).",
        "C1 C2");
    parser.addOptions({opzioneDemo, opzioneUtente, opzioneChiudi, opzioneQuery, opzioneStorico});
    parser.process(argomenti);

    if (parser.isSet(opzioneDemo))
        return creaDemo(parser.value(opzioneDemo));
    bool valido = false;
    const int utente = parser.value(opzioneUtente).toInt(&valido);
    if (!valido) {
        errore("numero utente non valido: " + parser.value(opzioneUtente));
        return 2;
    }
    const int chiudiDopo = parser.isSet(opzioneChiudi) ? parser.value(opzioneChiudi).toInt() : -1;
    if (parser.isSet(opzioneQuery)) {
        const QStringList resto = parser.positionalArguments();
        if (!parser.isSet(opzioneStorico) || resto.size() != 1) {
            errore("--query vuole --storico C1 C2");
            return 2;
        }
        return apriQuery(*app, utente, parser.value(opzioneQuery), parser.value(opzioneStorico),
                         resto.first(), chiudiDopo);
    }
    return apriFinestra(*app, utente, chiudiDopo);
}

} // namespace

int main(int argc, char** argv) {
    mavo::UscitaSuSegnaleApplicazione();
    // Provisioning needs no display; only the window does.
    const bool soloDemo = std::any_of(argv + 1, argv + argc, [](const char* argomento) {
        return std::strncmp(argomento, "--crea-demo", 11) == 0;
    });
    std::unique_ptr<QCoreApplication> app = soloDemo
                                                ? std::make_unique<QCoreApplication>(argc, argv)
                                                : std::make_unique<QApplication>(argc, argv);
    mavo::useEngineConfigurationBesideProgram();
    try {
        return esegui(QCoreApplication::arguments(), qobject_cast<QApplication*>(app.get()));
    } catch (const mavo::db::DatabaseError& e) {
        errore(e.message());
    } catch (const mavo::IoError& e) {
        errore(e.message());
    }
    return 1;
}
