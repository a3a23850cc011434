#include "Bersagli.h"

#include "db/DatabaseError.h"
#include "netprices/ApplicazioneNetti.h"

#include <QElapsedTimer>

namespace mavo::test {
namespace {

using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

QStringList riepilogo(int partenza, int aggiornati, int cambiati) {
    return {QStringLiteral("- Numero di record di partenza: %1").arg(partenza),
            QStringLiteral("- Numero record aggiornati con 9999999: %1").arg(aggiornati),
            QStringLiteral("- Numero record dove è stato cambiato il prezzo listino: %1")
                .arg(cambiati)};
}

Prezzi applicato(double netto) {
    return {netto, netto, netto, 9999999, (9999999 - netto) * 100 / netto};
}

class ApplicazioneTest : public BersaglioTest {
protected:
    bool applica(bool conferma = true, bool prova = false) {
        port.queueConferma(conferma);
        return ApplicazioneNetti(*contesto, port, d(), prova).Esegui();
    }
    // Three staged codes: A1 already at its list price, B2 with a new one, C3
    // without a row of the supplier; row 3 is A1 of another supplier.
    void treCodici() {
        mettiNetti({{"A1", "Vite", 10}, {"B2", "Dado", 12.34}, {"C3", "Bullone", 30}});
        articolo(1, "2197", "A1", 10);
        articolo(2, "2197", "B2", 15);
        articolo(3, "9999", "A1", 5);
    }
    // Row 1 failed, row 2 is committed all the same.
    void rigaUnoSaltata() {
        const QStringList memo = port.summary();
        ASSERT_EQ(memo.size(), 5);
        EXPECT_EQ(memo[0], "Errore durante l'aggiornamento del codice \"A1\"");
        EXPECT_FALSE(memo[1].isEmpty());
        EXPECT_EQ(memo.mid(2), riepilogo(3, 1, 1));
        EXPECT_EQ(vendite()[1], 100);
        EXPECT_EQ(vendite()[2], 9999999);
    }
};

TEST_P(ApplicazioneTest, TreInPartenzaDueAggiornatiUnoCambiato) {
    treCodici();
    ASSERT_TRUE(applica());
    EXPECT_EQ(port.summary(), riepilogo(3, 2, 1));
    EXPECT_EQ(port.messages(), (QList<Message>{{Kind::Conferma, d().domandaAggiornamento},
                                               {Kind::Informazione, "Elaborazione completata"}}));
    for (int id : {1, 2}) {
        const Prezzi atteso = applicato(id == 1 ? 10 : 12.34), letto = prezzi(id);
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(letto[i], atteso[i], 1e-4) << "row " << id << " column " << i;
    }
    EXPECT_EQ(prezzi(3), (Prezzi{5, 1, 2, 100, 50}));
    const auto log = port.progressLogs().first();
    EXPECT_EQ(log.messages, (QStringList{"Inizializzazione", d().messaggioAggiornamento}));
    EXPECT_EQ(log.percent, 100);
    EXPECT_EQ(log.percentChanges, 3);
}

TEST_P(ApplicazioneTest, CodiceDoppioSoloLaPrimaRiga) {
    mettiNetti({{"A1", "Vite", 10}});
    articolo(1, "2197", "A1", 7);
    articolo(2, "2197", "A1", 8);
    ASSERT_TRUE(applica());
    EXPECT_EQ(port.summary(), riepilogo(1, 1, 1));
    EXPECT_EQ(vendite().values().count(9999999), 1);
}

TEST_P(ApplicazioneTest, PrezzoListinoCambiatoOltreUnDecimillesimo) {
    // 10000.5 to 10000 is within a ten-thousandth; 10 to 10.01 is not; no
    // old price reads 0.
    mettiNetti({{"A1", "", 10000}, {"B2", "", 10.01}, {"C3", "", 5}});
    articolo(1, "2197", "A1", 10000.5);
    articolo(2, "2197", "B2", 10);
    articolo(3, "2197", "C3", QVariant());
    ASSERT_TRUE(applica());
    EXPECT_EQ(port.summary(), riepilogo(3, 3, 2));
}

TEST_P(ApplicazioneTest, NienteDaFareONoNonCambianoNulla) {
    articolo(1, "2197", "A1", 10);
    EXPECT_FALSE(applica());
    EXPECT_EQ(port.messages(), (QList<Message>{{Kind::Avviso, "Nessun dato da elaborare"}}));

    port = ScriptedInterazione();
    mettiNetti({{"A1", "Vite", 12}});
    EXPECT_FALSE(applica(false));
    EXPECT_EQ(port.messages(), (QList<Message>{{Kind::Conferma, d().domandaAggiornamento}}));
    EXPECT_EQ(port.summaryClears(), 0);
    EXPECT_EQ(vendite()[1], 100);
}

TEST_P(ApplicazioneTest, ProvaRiepilogaSenzaSalvare) {
    treCodici();
    const QMap<int, double> prima = vendite();
    ASSERT_TRUE(applica(true, true));
    EXPECT_EQ(port.summary(), riepilogo(3, 2, 1));
    EXPECT_EQ(vendite(), prima);
}

TEST_P(ApplicazioneTest, RigaRifiutataSegnalataGliAltriSalvati) {
    treCodici();
    rifiutaAggiornamento(1);
    ASSERT_TRUE(applica());
    ASSERT_EQ(port.summary().size(), 5);
    EXPECT_TRUE(port.summary()[1].contains("riga vietata"));
    rigaUnoSaltata();
}

TEST_P(ApplicazioneTest, RigaBloccataDaUnAltroUtenteNonFermaIlLavoro) {
    treCodici();
    const auto altro = blocca(1);
    QElapsedTimer tempo;
    tempo.start();
    ASSERT_TRUE(applica());
    EXPECT_LT(tempo.elapsed(), 15000);
    altro->rollback();
    rigaUnoSaltata();
}

TEST_P(ApplicazioneTest, RicercaFallitaAnnullaTutto) {
    // Codes of at most 5 characters: the lookup of the second staged code
    // fails after the first row has been updated.
    archivio().exec({"DROP TABLE " + d().tabella,
                     "CREATE TABLE " + d().tabella + "(ID INTEGER, ESTENSIONE VARCHAR(5), " +
                         "CODICE VARCHAR(5), " + d().colonnaFornitore + " VARCHAR(10), " +
                         QStringList{d().colonnaListino, d().colonnaAcquisto, d().colonnaNettoOneri,
                                     d().colonnaVendita, d().colonnaRicarico}
                             .join(" DECIMAL(18,5), ") +
                         " DECIMAL(18,5))"});
    mettiNetti({{"A1", "", 10}, {"LUNGO1", "", 20}});
    articolo(1, "2197", "A1", 7);
    EXPECT_THROW(applica(), db::DatabaseError);
    EXPECT_EQ(vendite()[1], 100);
    EXPECT_TRUE(port.summary().isEmpty());
}

// Rows go to the engine many at a time, and a target without triggers has
// them updated in the order of their IDs, here the reverse of the codes'. With
// or without a trigger, failures and counters come out as one row at a time
// has them, in the order of the codes.
TEST_P(ApplicazioneTest, MoltiCodiciComeUnoAllaVolta) {
    const auto codice = [](int k) { return QStringLiteral("K%1").arg(k, 3, 10, QChar('0')); };
    const auto netto = [](int k) { return k == 33 || k == 151 ? 0.01 : 10.25 + k; };
    std::vector<Netto> staged;
    for (int k = 0; k < 200; ++k)
        staged.push_back({codice(k), "", netto(k)});
    mettiNetti(staged);
    for (const bool conTrigger : {false, true}) {
        SCOPED_TRACE(conTrigger ? "trigger" : "no trigger");
        port = ScriptedInterazione();
        archivio().exec("DELETE FROM " + d().tabella);
        if (conTrigger)
            archivio().exec("CREATE TRIGGER NIENTE FOR " + d().tabella +
                            " BEFORE UPDATE AS BEGIN END");
        int cambiati = 0;
        for (int k = 0; k < 200; ++k) {
            if (k % 10 == 0)
                continue; // no row of the supplier
            const bool uguale = k % 3 == 0;
            articolo(1000 - k, "2197", codice(k), uguale ? netto(k) : 1);
            cambiati += !uguale && k != 151;
        }
        ASSERT_TRUE(applica());
        // A markup beyond the column's range: the update of the price 0,01 fails.
        const QStringList memo = port.summary();
        ASSERT_EQ(memo.size(), 7);
        EXPECT_EQ(memo[0], "Errore durante l'aggiornamento del codice \"K033\"");
        EXPECT_EQ(memo[2], "Errore durante l'aggiornamento del codice \"K151\"");
        EXPECT_TRUE(memo[1].contains("numeric")) << memo[1].toStdString();
        EXPECT_EQ(memo[3], memo[1]);
        EXPECT_EQ(memo.mid(4), riepilogo(200, 178, cambiati));
        const QMap<int, double> vendita = vendite();
        EXPECT_EQ(vendita.size(), 180);
        EXPECT_EQ(vendita.values().count(9999999), 178);
        EXPECT_EQ(vendita[1000 - 33], 100);
        EXPECT_EQ(vendita[1000 - 151], 100);
    }
}

// Enough codes for several passes in ID order: none is lost or updated twice
// where one pass ends and the next begins, and failures of different passes
// are still reported in the order of the codes.
TEST_P(ApplicazioneTest, MoltePassateInOrdineDiId) {
    constexpr int Codici = 45000;
    constexpr int Fallite[] = {5, 44990}; // price 0,01: the markup overflows
    constexpr int SenzaRiga = 20001;
    // Staged in the context's own transaction, which the operation reads.
    db::Statement netti(&contesto->IBDatabase1, &contesto->IBTransaction1);
    netti.setParamCheck(false);
    netti.setSql({QStringLiteral("EXECUTE BLOCK AS DECLARE K INTEGER = 0; BEGIN "
                                 "WHILE (K < %1) DO BEGIN "
                                 "INSERT INTO MANUTENZIONENETTI(CODICE, PREZZO) "
                                 "VALUES('M' || LPAD(:K, 5, '0'), "
                                 "IIF(:K IN (%2, %3), 0.01, 10.25 + MOD(:K, 1000))); "
                                 "K = K + 1; END END")
                      .arg(Codici)
                      .arg(Fallite[0])
                      .arg(Fallite[1])});
    netti.execute();
    contesto->IBTransaction1.commitRetaining();
    const bool anagrafica = !GetParam().suListino;
    archivio().exec(QStringLiteral("EXECUTE BLOCK AS DECLARE K INTEGER = 0; BEGIN "
                                   "WHILE (K < %1) DO BEGIN "
                                   "IF (K <> %2) THEN "
                                   "INSERT INTO %3(ID, CODICE, %4, %5, %6, %7, %8, %9%10) "
                                   "VALUES(100000 - :K, 'M' || LPAD(:K, 5, '0'), '2197', "
                                   "1, 1, 2, 100, 50%11); "
                                   "K = K + 1; END END")
                        .arg(Codici)
                        .arg(SenzaRiga)
                        .arg(d().tabella, d().colonnaFornitore, d().colonnaListino,
                             d().colonnaAcquisto, d().colonnaNettoOneri, d().colonnaVendita,
                             d().colonnaRicarico, QString(anagrafica ? ", ESTENSIONE" : ""),
                             QString(anagrafica ? ", '3'" : "")));
    ASSERT_TRUE(applica());
    const QStringList memo = port.summary();
    ASSERT_EQ(memo.size(), 7);
    EXPECT_EQ(memo[0], "Errore durante l'aggiornamento del codice \"M00005\"");
    EXPECT_EQ(memo[2], "Errore durante l'aggiornamento del codice \"M44990\"");
    EXPECT_EQ(memo.mid(4), riepilogo(45000, 44997, 44997)
                               .replaceInStrings("45000", "45.000")
                               .replaceInStrings("44997", "44.997"));
    EXPECT_EQ(vendite().values().count(9999999), Codici - 1 - 2);
    const Prezzi ultimo = prezzi(100000 - 44989);
    EXPECT_EQ(ultimo[0], 10.25 + 989);
    EXPECT_EQ(ultimo[3], 9999999);
}

INSTANTIATE_TEST_SUITE_P(Bersagli, ApplicazioneTest,
                         ::testing::Values(BersaglioListone, BersaglioAnagrafica),
                         [](const auto& info) { return std::string(info.param.caso); });

TEST_F(ArchiviNetti, ListinoNonCollegatoAnnullaTutto) {
    mettiNetti({{"A1", "Vite", 10}});
    listino.exec("INSERT INTO LISTINO(ID, CODICEFORN, CODICE, PREZZOVEN) "
                 "VALUES(1, '2197', 'A1', 100)");
    contesto->IBDatabase2.disconnect();
    port.queueConferma(true);
    EXPECT_THROW(ApplicazioneNetti(*contesto, port, DestinazioneNetti::Listone()).Esegui(),
                 db::DatabaseError);
    EXPECT_EQ(listino.scalar("SELECT PREZZOVEN FROM LISTINO").toDouble(), 100);
}

TEST_F(ArchiviNetti, AnagraficaSoloEstensione3) {
    mettiNetti({{"A1", "Vite", 10}});
    ditta.exec({"INSERT INTO ANAMAG(ID, FORNITORE, ESTENSIONE, CODICE, PREZZOVENDITA) "
                "VALUES(1, '2197', '1', 'A1', 100)",
                "INSERT INTO ANAMAG(ID, FORNITORE, ESTENSIONE, CODICE, PREZZOVENDITA) "
                "VALUES(2, '2197', '3', 'A1', 100)"});
    port.queueConferma(true);
    ASSERT_TRUE(
        ApplicazioneNetti(*contesto, port, DestinazioneNetti::AnagraficaMagazzino()).Esegui());
    EXPECT_EQ(ditta.scalar("SELECT LIST(ID || ':' || PREZZOVENDITA) FROM ANAMAG").toString(),
              "1:100.00000,2:9999999.00000");
}

} // namespace
} // namespace mavo::test
