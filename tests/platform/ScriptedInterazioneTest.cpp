#include "platform/ScriptedInterazione.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace mavo;
using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

TEST(ScriptedInterazione, AnswersFromTheScriptThenNoAndCancel) {
    ScriptedInterazione port;
    port.queueConferma(true);
    port.queueConferma(false);
    port.queueFile("/tmp/netti.csv");

    EXPECT_TRUE(port.Conferma("Prima?"));
    EXPECT_FALSE(port.Conferma("Seconda?"));
    EXPECT_FALSE(port.Conferma("Terza?"));
    EXPECT_EQ(port.ScegliFile("Apri", "/tmp"), "/tmp/netti.csv");
    EXPECT_EQ(port.ScegliFile("Apri", ""), "");
    port.Avviso("a");
    port.Errore("e\r\nmessaggio");
    port.Informazione("i");

    EXPECT_EQ(port.messages(), QList<Message>({{Kind::Conferma, "Prima?"},
                                               {Kind::Conferma, "Seconda?"},
                                               {Kind::Conferma, "Terza?"},
                                               {Kind::ScegliFile, "Apri"},
                                               {Kind::ScegliFile, "Apri"},
                                               {Kind::Avviso, "a"},
                                               {Kind::Errore, "e\r\nmessaggio"},
                                               {Kind::Informazione, "i"}}));
    EXPECT_EQ(port.fileFolders(), QStringList({"/tmp", ""}));
}

TEST(ScriptedInterazione, ProgressKeepsChangesNotRepeats) {
    ScriptedInterazione port;
    {
        auto progress = port.CreaProgresso("Lettura file");
        progress->Mostra();
        progress->SetBarraVisibile(true);
        for (int i = 0; i < 1000; ++i) {
            progress->SetProgresso(i / 100);
        }
        progress->SetMessaggio("Scrittura");
        progress->Nascondi();
    }
    const auto logs = port.progressLogs();
    ASSERT_EQ(logs.size(), 1);
    EXPECT_EQ(logs[0].messages, QStringList({"Lettura file", "Scrittura"}));
    EXPECT_EQ(logs[0].percent, 9);
    EXPECT_EQ(logs[0].percentChanges, 10);
    EXPECT_EQ(logs[0].barVisible, true);
    EXPECT_EQ(logs[0].shown, 1);
    EXPECT_FALSE(logs[0].visible);
}
