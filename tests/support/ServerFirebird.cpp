#include "support/ServerFirebird.h"

#include "db/Database.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <arpa/inet.h>
#include <csignal>
#include <memory>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace mavo::test {

namespace {

[[noreturn]] void fallito(const QString& perche) {
    throw std::runtime_error("Server Firebird di prova: " + perche.toStdString());
}

// Runs a program to its end; its output when it fails.
void esegui(const QString& programma, const QStringList& argomenti,
            const QProcessEnvironment& ambiente, const QByteArray& ingresso = {},
            QString* uscita = nullptr) {
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    processo.start(programma, argomenti);
    if (!processo.waitForStarted())
        fallito(programma + ": " + processo.errorString());
    processo.write(ingresso);
    processo.closeWriteChannel();
    const bool finito = processo.waitForFinished(600000);
    const QString out = QString::fromLocal8Bit(processo.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(processo.readAllStandardError());
    if (!finito || processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0)
        fallito(programma + ' ' + argomenti.join(' ') + ":\n" + out + err);
    if (uscita)
        *uscita = out.trimmed();
}

// A port of the loopback interface nobody listens on now.
int portaLibera() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in indirizzo{};
    indirizzo.sin_family = AF_INET;
    indirizzo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t lunghezza = sizeof(indirizzo);
    const bool ok = s >= 0 && bind(s, reinterpret_cast<sockaddr*>(&indirizzo), lunghezza) == 0 &&
                    getsockname(s, reinterpret_cast<sockaddr*>(&indirizzo), &lunghezza) == 0;
    if (s >= 0)
        close(s);
    if (!ok)
        fallito("nessuna porta libera");
    return ntohs(indirizzo.sin_port);
}

bool inAscolto(int porta) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in indirizzo{};
    indirizzo.sin_family = AF_INET;
    indirizzo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    indirizzo.sin_port = htons(static_cast<uint16_t>(porta));
    const bool ok =
        s >= 0 && connect(s, reinterpret_cast<sockaddr*>(&indirizzo), sizeof(indirizzo)) == 0;
    if (s >= 0)
        close(s);
    return ok;
}

std::unique_ptr<ServerFirebird>& istanza() {
    static std::unique_ptr<ServerFirebird> server;
    return server;
}

} // namespace

ServerFirebird& ServerFirebird::Avviato() {
    if (!istanza())
        istanza().reset(new ServerFirebird());
    return *istanza();
}

void ServerFirebird::Ferma() {
    istanza().reset();
}

ServerFirebird::ServerFirebird() {
    if (!radice_.isValid())
        fallito("nessuna cartella temporanea");
    QString programma;
    esegui("bash",
           {QStringLiteral(MAVO_SOURCE_DIR "/scripts/server-firebird"),
            QStringLiteral(MAVO_BUILD_DIR "/server-firebird")},
           QProcessEnvironment::systemEnvironment(), {}, &programma);
    porta_ = portaLibera();
    preparaRadice(programma);
    avvia(programma);
}

ServerFirebird::~ServerFirebird() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        int stato = 0;
        waitpid(pid_, &stato, 0);
    }
}

QString ServerFirebird::nome(const QString& percorso) const {
    return QStringLiteral("localhost/%1:%2").arg(porta_).arg(percorso);
}

// The tests' engine configuration (messages, character sets, plugins) with a
// firebird.conf of the server's own, and a security database holding the
// user and password our connections use.
void ServerFirebird::preparaRadice(const QString& programma) {
    const QDir motore(QStringLiteral(MAVO_ENGINE_DIR));
    const QString radice = radice_.path();
    QDirIterator voci(motore.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                      QDirIterator::Subdirectories);
    while (voci.hasNext()) {
        const QFileInfo voce(voci.next());
        const QString destinazione = radice + '/' + motore.relativeFilePath(voce.filePath());
        if (voce.isSymLink())
            QFile::link(voce.symLinkTarget(), destinazione);
        else if (voce.isDir())
            QDir().mkpath(destinazione);
        else if (voce.fileName() != "firebird.conf")
            QFile::copy(voce.filePath(), destinazione);
    }
    QDir().mkpath(radice + "/lock");
    QFile conf(radice + "/firebird.conf");
    if (!conf.open(QIODevice::WriteOnly))
        fallito(conf.fileName() + ": " + conf.errorString());
    conf.write(QStringLiteral("ServerMode = Super\n"
                              "RemoteBindAddress = 127.0.0.1\n"
                              "RemoteServicePort = %1\n"
                              "IpcName = mavo_test_%1\n"
                              "SecurityDatabase = %2/security3.fdb\n"
                              "AuthServer = Srp\n"
                              "UserManager = Srp\n")
                   .arg(porta_)
                   .arg(radice)
                   .toLocal8Bit());
    conf.close();

    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("FIREBIRD", radice);
    ambiente.insert("FIREBIRD_LOCK", radice + "/lock");
    const db::Database credenziali;
    const QString sicurezza = radice + "/security3.fdb";
    esegui("isql-fb", {"-q", "-user", "SYSDBA"}, ambiente,
           ("CREATE DATABASE '" + sicurezza + "';\n").toLocal8Bit());
    esegui("isql-fb", {"-q", "-b", "-user", "SYSDBA", sicurezza}, ambiente,
           ("CREATE USER " + credenziali.effectiveUser() + " PASSWORD '" +
            credenziali.effectivePassword() + "' USING PLUGIN Srp;\nCOMMIT;\n")
               .toLocal8Bit());
    if (!QFileInfo(programma).isExecutable())
        fallito(programma + " non eseguibile");
}

void ServerFirebird::avvia(const QString& programma) {
    const QByteArray percorso = programma.toLocal8Bit();
    std::vector<QByteArray> variabili;
    for (const QString& v : QProcessEnvironment::systemEnvironment().toStringList())
        if (!v.startsWith("FIREBIRD=") && !v.startsWith("FIREBIRD_LOCK="))
            variabili.push_back(v.toLocal8Bit());
    variabili.push_back("FIREBIRD=" + radice_.path().toLocal8Bit());
    variabili.push_back("FIREBIRD_LOCK=" + radice_.path().toLocal8Bit() + "/lock");
    std::vector<char*> ambiente;
    for (QByteArray& v : variabili)
        ambiente.push_back(v.data());
    ambiente.push_back(nullptr);
    char* const argomenti[] = {const_cast<char*>(percorso.constData()), nullptr};
    const pid_t genitore = getpid();
    pid_ = fork();
    if (pid_ < 0)
        fallito("fork non riuscita");
    if (pid_ == 0) {
        // Gone with this program, however it ends.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != genitore)
            _exit(1);
        execve(argomenti[0], argomenti, ambiente.data());
        _exit(127);
    }
    for (int tentativo = 0; tentativo < 200; ++tentativo) {
        int stato = 0;
        if (waitpid(pid_, &stato, WNOHANG) == pid_) {
            pid_ = -1;
            QFile log(radice_.path() + "/firebird.log");
            log.open(QIODevice::ReadOnly);
            fallito(QStringLiteral("terminato all'avvio (porta %1)\n").arg(porta_) +
                    QString::fromLocal8Bit(log.readAll()));
        }
        if (inAscolto(porta_))
            return;
        QThread::msleep(50);
    }
    fallito(QStringLiteral("non in ascolto sulla porta %1").arg(porta_));
}

} // namespace mavo::test
