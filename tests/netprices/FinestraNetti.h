#pragma once

#include "context/DataModuleMavo.h"
#include "context/TabXForm.h"
#include "host/demo/DemoEnvironment.h"
#include "netprices/ui/SincroPrezziNettiForm.h"
#include "platform/ScriptedInterazione.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {

// The statement the window gives its preview query.
inline const QStringList istruzioneAnteprima{
    "SELECT", "  *", "FROM", "  MANUTENZIONENETTI", "WHERE", "  CODICE IS NOT NULL"};

// The statement as the window set it, without the sort order the grid appends.
QStringList senzaOrdinamento(QStringList sql);

// The demo host directory; every window gets the call context and data module
// the entry would build for user 1, talking to a scripted port.
class FinestraNetti : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new call: the previous window and its context go first.
    TSincroPrezziNettiForm& apri();

    qint64 conta(const QString& sql);
    qint64 righeStaging();
    // The condition on the grid's stored layout rows of user 1 for this
    // window, and how many there are.
    inline static const QString chiaviAspetto =
        "CODICEUTENTE=1 AND CODICESITUAZIONE=2 AND CODICEPROGETTO=528";
    qint64 righeAspetto();

    QTemporaryDir host;
    AmbienteDemo ambiente;
    std::unique_ptr<db::Database> archivio; // the test's own connection
    ScriptedInterazione port;
    std::unique_ptr<TTabXForm> contesto;
    std::unique_ptr<TDataModuleMavo> modulo;
    std::unique_ptr<TSincroPrezziNettiForm> finestra;
};

} // namespace mavo::test
