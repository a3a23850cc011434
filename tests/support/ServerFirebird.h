#pragma once

#include <QString>
#include <QTemporaryDir>
#include <sys/types.h>

namespace mavo::test {

// A Firebird server of this test program's own, as the archives of a network
// installation have: the distribution's server program (unpacked under the
// build directory by scripts/server-firebird, downloaded once) running in
// Super mode from a root of its own (configuration, security database with
// the user our connections log in as) on a free port of the loopback
// interface. Started on first use, stopped when the program ends. While it
// has a database open no other process may open that file: reach it through
// nome().
class ServerFirebird {
public:
    // Throws, saying why, when the server cannot be had or does not start.
    static ServerFirebird& Avviato();
    // Stops it at once, as when the server machine goes away; the next
    // Avviato() starts another.
    static void Ferma();
    ~ServerFirebird();

    int porta() const { return porta_; }
    // How a connection names the database file `percorso` on this server:
    // "localhost/PORT:percorso".
    QString nome(const QString& percorso) const;

private:
    ServerFirebird();
    void preparaRadice(const QString& programma);
    void avvia(const QString& programma);

    QTemporaryDir radice_;
    int porta_ = 0;
    pid_t pid_ = -1;
};

} // namespace mavo::test
