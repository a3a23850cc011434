#pragma once

#include "context/TabXForm.h"
#include "host/demo/DemoEnvironment.h"
#include "platform/ScriptedInterazione.h"
#include "support/TestDb.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {

using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

} // namespace mavo::test

namespace mavo {
// Readable messages in failure reports.
inline void PrintTo(const ScriptedInterazione::Message& m, std::ostream* out) {
    *out << int(m.kind) << ':' << m.text.toStdString();
}
} // namespace mavo

namespace mavo::test {

// A host directory of its own (MAVO_HOST_DIR) whose users database holds
// user 1 DEMO (company DEMO, no password), 2 ROSSI (ALFA, "Segreta") and
// 3 D'AMICO (BETA, "l'apice"); contexts are built on it with a scripted port.
class ContestoTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("MAVO_HOST_DIR", host.path().toLocal8Bit());
        utenti = ApriOCreaDatabaseDemo(host.filePath("user/user.fdb"));
        CreaSchemaUtenti(*utenti);
        AggiungiUtente(*utenti, 1, "DEMO", "DEMO");
        AggiungiUtente(*utenti, 2, "ROSSI", "ALFA", "Segreta");
        AggiungiUtente(*utenti, 3, "D'AMICO", "BETA", "l'apice");
    }
    void TearDown() override {
        contesto.reset();
        utenti.reset();
        qunsetenv("MAVO_HOST_DIR");
    }

    TTabXForm& crea(quint8 modo = TTabXForm::ModoDatabase, int utente = 1) {
        contesto = std::make_unique<TTabXForm>(port, modo, nullptr, dialogoScriptato());
        contesto->SetUserPerNum(utente);
        return *contesto;
    }

    // The server dialog as a script: it records caption and label and gives
    // rispostaDialogo (cancelled unless a test says otherwise).
    TTabXForm::FunzioneDialogoServer dialogoScriptato() {
        return [this](const QString& titolo, const QString& etichetta) {
            dialoghi << titolo + '|' + etichetta;
            return rispostaDialogo;
        };
    }

    QVariant valoreUtenti(const QString& sql) { return scalarOn(*utenti, sql); }

    QTemporaryDir host;
    ScriptedInterazione port;
    std::unique_ptr<db::Database> utenti;
    QStringList dialoghi;
    RispostaServer rispostaDialogo{2, {}, {}};
    std::unique_ptr<TTabXForm> contesto;
};

} // namespace mavo::test
