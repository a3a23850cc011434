#include "Bersagli.h"

#include "db/DatabaseError.h"
#include "netprices/ApplicazioneNetti.h"
#include "netprices/RimozioneNetti.h"

namespace mavo::test {
namespace {

using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

class RimozioneTest : public BersaglioTest {
protected:
    bool rimuovi(bool conferma = true, bool prova = false) {
        port.queueConferma(conferma);
        AgganciFinestra agganci;
        agganci.MostraRiepilogo = [this] { ++riepiloghiMostrati; };
        return RimozioneNetti(*contesto, port, d(), agganci, prova).Esegui();
    }
    // Rows 1 and 2 of the supplier marked by an application at 10 and 12.34;
    // row 3 of the supplier at a sale price next to the marker, row 4 of
    // another supplier with the marker.
    void dopoLApplicazione() {
        mettiNetti({{"A1", "", 10}, {"B2", "", 12.34}});
        articolo(1, "2197", "A1", 7);
        articolo(2, "2197", "B2", 8);
        articolo(3, "2197", "C3", 9, 9999998);
        articolo(4, "9999", "D4", 6, 9999999);
        port.queueConferma(true);
        ASSERT_TRUE(ApplicazioneNetti(*contesto, port, d()).Esegui());
        port = ScriptedInterazione();
        prima = vendite();
    }
    int riepiloghiMostrati = 0;
    QMap<int, double> prima;
};

TEST_P(RimozioneTest, RiportaIPrezziAlListinoUnaVolta) {
    dopoLApplicazione();
    ASSERT_TRUE(rimuovi());
    EXPECT_EQ(
        port.messages(),
        (QList<Message>{{Kind::Conferma, "Trovati 2 articoli con netto da rimuovere: procedere?"},
                        {Kind::Informazione, "Elaborazione completata"}}));
    EXPECT_EQ(port.summary(), QStringList{"Codici aggiornati: 2"});
    EXPECT_EQ(riepiloghiMostrati, 1);
    EXPECT_EQ(prezzi(1), (Prezzi{10, 10, 10, 10, 0}));
    EXPECT_EQ(prezzi(2), (Prezzi{12.34, 12.34, 12.34, 12.34, 0}));
    EXPECT_EQ(prezzi(3), (Prezzi{9, 1, 2, 9999998, 50}));
    EXPECT_EQ(prezzi(4), (Prezzi{6, 1, 2, 9999999, 50}));
    const auto log = port.progressLogs().first();
    EXPECT_EQ(log.messages, (QStringList{"Inizializzazione", d().messaggioRimozione}));
    EXPECT_EQ(log.shown, 2); // hidden during the question

    port = ScriptedInterazione();
    EXPECT_FALSE(rimuovi());
    EXPECT_EQ(port.messages(), (QList<Message>{{Kind::Avviso, "Nessun dato da elaborare"}}));
    EXPECT_EQ(riepiloghiMostrati, 1);
}

TEST_P(RimozioneTest, RispostaNoPulisceSoloIlRiepilogo) {
    dopoLApplicazione();
    EXPECT_FALSE(rimuovi(false));
    EXPECT_EQ(port.summaryClears(), 1);
    EXPECT_TRUE(port.summary().isEmpty());
    EXPECT_EQ(riepiloghiMostrati, 0);
    EXPECT_EQ(vendite(), prima);
}

TEST_P(RimozioneTest, ProvaRiepilogaSenzaSalvare) {
    dopoLApplicazione();
    ASSERT_TRUE(rimuovi(true, true));
    EXPECT_EQ(port.summary(), QStringList{"Codici aggiornati: 2"});
    EXPECT_EQ(vendite(), prima);
}

TEST_P(RimozioneTest, RimozioneFallitaORigaBloccataNonCambianoNulla) {
    dopoLApplicazione();
    rifiutaAggiornamento(2);
    EXPECT_FALSE(rimuovi());
    const Message errore = port.messages().last();
    EXPECT_EQ(errore.kind, Kind::Errore);
    EXPECT_TRUE(errore.text.startsWith(d().erroreRimozione + '\r'));
    EXPECT_TRUE(errore.text.contains("riga vietata"));

    // A row held by another user: the removal gives up after a bounded wait.
    archivio().exec("DROP TRIGGER VIETA");
    const auto altro = blocca(1);
    EXPECT_FALSE(rimuovi());
    altro->rollback();
    EXPECT_TRUE(port.messages().last().text.startsWith(d().erroreRimozione + '\r'));
    EXPECT_TRUE(port.summary().isEmpty());
    EXPECT_EQ(riepiloghiMostrati, 0);
    EXPECT_EQ(vendite(), prima);
}

INSTANTIATE_TEST_SUITE_P(Bersagli, RimozioneTest,
                         ::testing::Values(BersaglioListone, BersaglioAnagrafica),
                         [](const auto& info) { return std::string(info.param.caso); });

TEST_F(ArchiviNetti, RimozioneSoloEstensione3) {
    ditta.exec({"INSERT INTO ANAMAG(ID, FORNITORE, ESTENSIONE, CODICE, PREZZOLISTINOFORNITORE, "
                "PREZZOVENDITA) VALUES(1, '2197', '1', 'A1', 5, 9999999)",
                "INSERT INTO ANAMAG(ID, FORNITORE, ESTENSIONE, CODICE, PREZZOLISTINOFORNITORE, "
                "PREZZOVENDITA) VALUES(2, '2197', '3', 'A1', 5, 9999999)"});
    port.queueConferma(true);
    ASSERT_TRUE(RimozioneNetti(*contesto, port, DestinazioneNetti::AnagraficaMagazzino()).Esegui());
    EXPECT_EQ(port.messages().first().text,
              "Trovati 1 articoli con netto da rimuovere: procedere?");
    EXPECT_EQ(ditta.scalar("SELECT LIST(ID || ':' || PREZZOVENDITA) FROM ANAMAG").toString(),
              "1:9999999.00000,2:5.00000");
}

} // namespace
} // namespace mavo::test
