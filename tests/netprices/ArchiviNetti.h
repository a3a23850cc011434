#pragma once

#include "context/TabXForm.h"
#include "platform/ScriptedInterazione.h"
#include "support/TestDb.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {

// A staged net price as the tests write and read it.
struct Netto {
    QString codice;
    QString descrizione;
    double prezzo = 0;
    bool operator==(const Netto&) const = default;
};
void PrintTo(const Netto& netto, std::ostream* os);

// A call context with a scripted port on two fresh archives holding the demo's
// tables: the company archive with ANAMAG and the (empty) staging table, and
// the price-list archive with LISTINO.
class ArchiviNetti : public ::testing::Test {
protected:
    // Host: both archives as the host's are, default character set NONE.
    explicit ArchiviNetti(TestDb::Kind archivi = TestDb::Kind::Ours)
        : ditta("ditta.fdb", archivi), listino("listino.fdb", archivi) {}
    void SetUp() override;
    void TearDown() override;

    // The staging table's rows ordered by code, read in a fresh transaction.
    std::vector<Netto> netti();
    void mettiNetti(const std::vector<Netto>& righe);
    // Writes a supplier file of raw bytes in the temporary directory.
    QString scriviFile(const QByteArray& contenuto, const QString& nome = "netti.csv");

    // The operations talk to `port`; the context has a port of its own, as
    // the window's memo is not the host's.
    ScriptedInterazione port;
    ScriptedInterazione portContesto;
    TestDb ditta;
    TestDb listino;
    std::unique_ptr<TTabXForm> contesto;
};

} // namespace mavo::test
