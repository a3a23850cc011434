#include "context/TabXForm.h"

#include "db/DatabaseError.h"
#include "platform/IniFile.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"

namespace mavo {

namespace {

// The engine's name for a database. A Windows UNC name "\\SRV\dir\x.fdb"
// reached the server over named pipes there; here it goes to that server over
// TCP, as "SRV:dir\x.fdb".
QString nomeMotore(const QString& nome) {
    if (nome.startsWith("\\\\")) {
        const qsizetype fineServer = nome.indexOf('\\', 2);
        if (fineServer > 2)
            return nome.mid(2, fineServer - 2) + ':' + nome.mid(fineServer + 1);
    }
    return toDatabasePath(nome);
}

} // namespace

void TTabXForm::connettiArchivio(db::Database& Db, const QString& Percorso) {
    if (!ApriOCreaDatabase(Db, directoryPart(Percorso), fileNamePart(Percorso), QString(),
                           QString()))
        port_.Errore("Errore apertura archivio");
}

void TTabXForm::ConnettiArchivioRemoto(db::Database& Db, const QString& Percorso) {
    Db.disconnect();
    Db.setUser(QString());
    Db.setPassword(QString());
    Db.setDatabaseName(nomeMotore(Percorso));
    Db.connect();
}

void TTabXForm::ConnettiDatabase0(const QString& Percorso) {
    connettiArchivio(IBDatabase1, Percorso);
}

void TTabXForm::ConnettiDatabase1(const QString& NomeParametro) {
    connettiArchivio(IBDatabase1, GetV(NomeParametro));
}

void TTabXForm::ConnettiDatabase2(const QString& NomeParametro) {
    connettiArchivio(IBDatabase2, GetV(NomeParametro));
}

void TTabXForm::ConnettiDatabase3(const QString& NomeParametro) {
    connettiArchivio(IBDatabase3, GetV(NomeParametro));
}

void TTabXForm::ConnettiDatabase4(const QString& NomeParametro) {
    connettiArchivio(IBDatabase4, GetV(NomeParametro));
}

void TTabXForm::ConnettiDatabase5(const QString& NomeParametro) {
    connettiArchivio(IBDatabase5, GetV(NomeParametro));
}

bool TTabXForm::ApriOCreaDatabase(db::Database& Db, const QString& Directory, const QString& File,
                                  const QString& Password, const QString& Utente) {
    const QString file = File.isEmpty() ? QStringLiteral("archivio.fdb") : File;
    const IniFile dati(Directory + "dati.ini");
    const QString server = dati.readString("CONFIG", "Nome Server");
    const QString alias = dati.readString("CONFIG", "Alias");
    const QString percorsoDatabase = dati.readString("CONFIG", "PercorsoDatabase");
    auto connetti = [&](const QString& percorso, const QString& suServer, const QString& lettera) {
        return ConnettiOCreaDatabase(Db, percorso, suServer, Password, Utente, lettera);
    };

    bool connesso = false;
    if (!server.isEmpty() && !alias.isEmpty())
        connesso = connetti(server + ':' + alias, QString(), QString());
    if (!connesso && !percorsoDatabase.isEmpty()) {
        QString percorso = "\\\\" + server + '\\' + percorsoDatabase;
        if (!percorso.endsWith('\\'))
            percorso += '\\';
        connesso = connetti(percorso + file, QString(), QString());
    }
    if (connesso || !percorsoDatabase.isEmpty())
        return connesso;

    bool stop = false;
    bool perNome = false;
    QString directory = Directory;
    if (Directory.contains("\\\\"))
        stop = ConvertiPercorsoRete(Directory, dati.readString("CONFIG", "Percorso Nel Server"),
                                    directory, perNome);
    if (!stop)
        connesso = connetti(directory + file, QString(), QString());
    if (!stop && perNome && !connesso) {
        stop = true;
        port_.Informazione("Errore: nonostante le configurazioni, il particolare percorso di rete "
                           "sta rendendo impossibile l'attivazione del database");
    }
    if (!connesso && !stop) {
        QString serverDati, lettera, copia;
        RichiediServerDati(serverDati, lettera, Directory, copia);
        if (!serverDati.isEmpty())
            connesso = connetti(directory + file, serverDati, lettera);
        else
            port_.Informazione("Apertura / creazione del database non riuscita!");
    }
    return connesso;
}

bool TTabXForm::ConvertiPercorsoRete(const QString& Directory, const QString& PercorsoNelServer,
                                     QString& Percorso, bool& CondivisoPerNome) {
    QString resto = Directory.mid(2);
    const QString server = resto.section('\\', 0, 0);
    resto = resto.mid(server.size() + 1);
    const QString condivisione = resto.section('\\', 0, 0);
    if (condivisione.size() < 2) {
        // Shared by its drive letter: "\\SRV\C\ARCHIVI\" is "SRV:C:\ARCHIVI\".
        Percorso = server + ':' + resto;
        const qsizetype barra = Percorso.indexOf('\\');
        if (barra >= 0)
            Percorso.insert(barra, ':');
        return false;
    }
    CondivisoPerNome = true;
    if (!PercorsoNelServer.isEmpty()) {
        Percorso = server + ':' + PercorsoNelServer;
        return false;
    }
    port_.Informazione("Attenzione: il disco con gli archivi è stato condiviso in rete con un "
                       "nome - " +
                       condivisione +
                       " - e non con la lettera che lo identifica. Si consiglia di correggere la "
                       "condivisione oppure di correggere manualmente la sezione Percorso Nel "
                       "Server nel file Dati.ini accanto al database");
    return true;
}

void TTabXForm::RichiediServerDati(QString& Server, QString& LetteraDisco, const QString& Directory,
                                   QString& CopiaServer) {
    IniFile dati(Directory + "dati.ini");
    Server = dati.readString("CONFIG", "Nome Server");
    LetteraDisco = dati.readString("CONFIG", "Lettera Disco Server");
    if (Server.isEmpty()) {
        port_.Informazione("Non trovato dati.ini");
        const RispostaServer risposta =
            DialogoServer("Non trovato dati.ini",
                          "Inserire il nome del computer e la lettera della sua\n"
                          "unità disco dove risulta ospitato (o sarà ospitato) il database");
        if (risposta.Esito == 1) {
            Server = risposta.Server;
            LetteraDisco = risposta.LetteraDisco;
            dati.writeString("CONFIG", "Nome Server", Server);
            if (!LetteraDisco.isEmpty())
                dati.writeString("CONFIG", "Lettera Disco Server", LetteraDisco);
        }
    }
    CopiaServer = Server;
}

bool TTabXForm::ConnettiOCreaDatabase(db::Database& Db, const QString& Percorso,
                                      const QString& Server, const QString& Password,
                                      const QString& Utente, const QString& LetteraDisco) {
    Db.disconnect();
    Db.setUser(Utente);
    Db.setPassword(Password);
    QString nome = Percorso;
    if (!Server.isEmpty()) {
        if (!LetteraDisco.isEmpty() && !nome.isEmpty())
            nome.replace(0, 1, LetteraDisco);
        nome = Server + ':' + nome;
    }
    Db.setDatabaseName(nomeMotore(nome));
    try {
        Db.connect();
        return true;
    } catch (const db::DatabaseError&) {
    }
    try {
        Db.create(4096);
    } catch (const db::DatabaseError&) {
        return false;
    }
    port_.Informazione("Effettuata creazione data base");
    return true;
}

} // namespace mavo
