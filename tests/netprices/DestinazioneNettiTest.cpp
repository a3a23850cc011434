#include "netprices/DestinazioneNetti.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace mavo {
namespace {

using Istruzione = QStringList (DestinazioneNetti::*)() const;

struct TestoIstruzione {
    const char* caso;
    const DestinazioneNetti& destinazione;
    Istruzione istruzione;
    QStringList righe;
};
void PrintTo(const TestoIstruzione& c, std::ostream* os) {
    *os << c.caso;
}

class DestinazioneNettiTest : public ::testing::TestWithParam<TestoIstruzione> {};

TEST_P(DestinazioneNettiTest, RigheDellIstruzione) {
    const TestoIstruzione& caso = GetParam();
    EXPECT_EQ((caso.destinazione.*caso.istruzione)(), caso.righe);
}

const DestinazioneNetti& listone = DestinazioneNetti::Listone();
const DestinazioneNetti& anamag = DestinazioneNetti::AnagraficaMagazzino();

INSTANTIATE_TEST_SUITE_P(
    Casi, DestinazioneNettiTest,
    ::testing::Values(
        TestoIstruzione{"RicercaListone",
                        listone,
                        &DestinazioneNetti::IstruzioneRicerca,
                        {"SELECT", "  ID,", "  PRLISTINO", "FROM", "  LISTINO", "WHERE",
                         "  CODICEFORN='2197'", "  AND", "  CODICE=:CODICE"}},
        TestoIstruzione{"AggiornamentoListone",
                        listone,
                        &DestinazioneNetti::IstruzioneAggiornamento,
                        {"UPDATE LISTINO SET", "PRLISTINO=:PREZZO,", "PRACQNETTO=:PREZZO,",
                         "NETPIUONER=:PREZZO,", "PREZZOVEN=9999999,",
                         "PERCRICVEN=(9999999-:PREZZO)*100/:PREZZO", "WHERE", "  ID=:ID"}},
        TestoIstruzione{"ConteggioListone",
                        listone,
                        &DestinazioneNetti::IstruzioneConteggio,
                        {"SELECT", "  COUNT(*) AS TOT", "FROM", "  LISTINO", "WHERE",
                         "  CODICEFORN='2197'", "  AND", "  PREZZOVEN=9999999"}},
        TestoIstruzione{"RimozioneListone",
                        listone,
                        &DestinazioneNetti::IstruzioneRimozione,
                        {"UPDATE LISTINO SET", "PREZZOVEN=PRLISTINO,", "PERCRICVEN=0,",
                         "NETPIUONER=PRLISTINO,", "PRACQNETTO=PRLISTINO", "WHERE",
                         "  CODICEFORN='2197'", "  AND", "  PREZZOVEN=9999999"}},
        TestoIstruzione{"RicercaAnagrafica",
                        anamag,
                        &DestinazioneNetti::IstruzioneRicerca,
                        {"SELECT", "  ID,", "  PREZZOLISTINOFORNITORE", "FROM", "  ANAMAG", "WHERE",
                         "  FORNITORE='2197'", "  AND", "  ESTENSIONE='3'", "  AND",
                         "  CODICE=:CODICE"}},
        TestoIstruzione{"AggiornamentoAnagrafica",
                        anamag,
                        &DestinazioneNetti::IstruzioneAggiornamento,
                        {"UPDATE ANAMAG SET", "PREZZOLISTINOFORNITORE=:PREZZO,",
                         "PREZZOACQUISTONETTO=:PREZZO,", "NETTOPIUONERI=:PREZZO,",
                         "PREZZOVENDITA=9999999,",
                         "PERCRICARICOVENDITA=(9999999-:PREZZO)*100/:PREZZO", "WHERE", "  ID=:ID"}},
        TestoIstruzione{"ConteggioAnagrafica",
                        anamag,
                        &DestinazioneNetti::IstruzioneConteggio,
                        {"SELECT", "  COUNT(*) AS TOT", "FROM", "  ANAMAG", "WHERE",
                         "  FORNITORE='2197'", "  AND", "  ESTENSIONE='3'", "  AND",
                         "  PREZZOVENDITA=9999999"}},
        TestoIstruzione{"RimozioneAnagrafica",
                        anamag,
                        &DestinazioneNetti::IstruzioneRimozione,
                        {"UPDATE ANAMAG SET", "PREZZOVENDITA=PREZZOLISTINOFORNITORE,",
                         "PERCRICARICOVENDITA=0,", "NETTOPIUONERI=PREZZOLISTINOFORNITORE,",
                         "PREZZOACQUISTONETTO=PREZZOLISTINOFORNITORE", "WHERE",
                         "  FORNITORE='2197'", "  AND", "  ESTENSIONE='3'", "  AND",
                         "  PREZZOVENDITA=9999999"}}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST(DestinazioneNetti, TestiPerLUtente) {
    const auto testi = [](const DestinazioneNetti& d) {
        return QStringList{d.domandaAggiornamento, d.messaggioAggiornamento, d.messaggioRimozione,
                           d.erroreRimozione};
    };
    EXPECT_EQ(testi(listone),
              (QStringList{"Avviare l'aggiornamento prezzi netti su listone?",
                           "Aggiornamento netti su listone", "Rimozione netti da listone",
                           "Errore durante l'aggiornamento del listone:"}));
    EXPECT_EQ(
        testi(anamag),
        (QStringList{"Avviare l'aggiornamento prezzi netti sull'anagrafica di magazzino?",
                     "Aggiornamento netti su anagrafica magazzino", "Rimozione netti da ana. mag.",
                     "Errore durante l'aggiornamento dell'anagrafica magazzino:"}));
}

} // namespace
} // namespace mavo
