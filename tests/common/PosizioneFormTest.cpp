#include "common/ui/PosizioneForm.h"
#include "db/DatabaseError.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace mavo {
namespace {

constexpr int kUtente = 7;
constexpr int kSituazione = 1;
constexpr int kProgetto = 528;

class PosizioneFormTest : public testing::Test {
protected:
    PosizioneFormTest() {
        db_.exec({"CREATE TABLE \"STOPOS1\" (CodiceProgetto INTEGER, CodiceSituazione INTEGER, "
                  "CodiceUtente INTEGER, PosX INTEGER, PosY INTEGER, DimX INTEGER, DimY INTEGER)",
                  // Counts the writes, so a write that changes nothing shows.
                  "CREATE TABLE SCRITTURE (N INTEGER)", "INSERT INTO SCRITTURE VALUES (0)",
                  "CREATE TRIGGER CONTA FOR \"STOPOS1\" AFTER INSERT OR UPDATE AS "
                  "BEGIN UPDATE SCRITTURE SET N = N + 1; END"});
        finestra_.setGeometry(100, 120, 640, 480);
    }

    int scritture() { return db_.scalar("SELECT N FROM SCRITTURE").toInt(); }
    QString riga(int utente) {
        return db_
            .scalar(QStringLiteral("SELECT CodiceProgetto || ',' || CodiceSituazione || ',' || "
                                   "PosX || ',' || PosY || ',' || DimX || ',' || DimY "
                                   "FROM \"STOPOS1\" WHERE CodiceUtente=%1")
                        .arg(utente))
            .toString();
    }
    void salva(int utente = kUtente) {
        SalvaPosizioneForm(finestra_, utente, kSituazione, kProgetto, db_.db());
    }

    test::TestDb db_;
    QWidget finestra_;
};

TEST_F(PosizioneFormTest, PrimaVoltaInserisceLaRiga) {
    salva();
    EXPECT_EQ(scritture(), 1);
    EXPECT_EQ(riga(kUtente), QStringLiteral("528,1,100,120,640,480"));
}

TEST_F(PosizioneFormTest, FinestraFermaScriveUnaVolta) {
    salva();
    salva();
    EXPECT_EQ(scritture(), 1);
    EXPECT_EQ(db_.scalar("SELECT COUNT(*) FROM \"STOPOS1\"").toInt(), 1);
}

TEST_F(PosizioneFormTest, FinestraSpostataAggiornaLaSuaRiga) {
    salva();
    salva(kUtente + 1);
    finestra_.setGeometry(150, 130, 800, 600);
    salva();
    EXPECT_EQ(scritture(), 3);
    EXPECT_EQ(db_.scalar("SELECT COUNT(*) FROM \"STOPOS1\"").toInt(), 2);
    EXPECT_EQ(riga(kUtente), QStringLiteral("528,1,150,130,800,600"));
    EXPECT_EQ(riga(kUtente + 1), QStringLiteral("528,1,100,120,640,480"));
}

TEST_F(PosizioneFormTest, CaricaRipristinaLaGeometria) {
    finestra_.setGeometry(150, 130, 500, 400);
    salva();
    QWidget altra;
    altra.setGeometry(1, 2, 300, 200);
    CaricaPosizioneForm(altra, kUtente, kSituazione, kProgetto, db_.db());
    EXPECT_EQ(altra.geometry(), QRect(150, 130, 500, 400));
}

struct CasoFuoriSchermo {
    const char* nome;
    bool salvata; // stored in the table, or the window's designed geometry
    QRect posizione;
    QRect attesa; // on the offscreen platform's 800 x 800 screen
};
void PrintTo(const CasoFuoriSchermo& c, std::ostream* os) {
    *os << c.nome;
}

class FuoriSchermoTest : public PosizioneFormTest,
                         public testing::WithParamInterface<CasoFuoriSchermo> {};

TEST_P(FuoriSchermoTest, LaFinestraFinisceTuttaSulloSchermo) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
    const CasoFuoriSchermo& caso = GetParam();
    if (caso.salvata) {
        finestra_.setGeometry(caso.posizione);
        salva();
    }
    QWidget altra;
    altra.setGeometry(caso.salvata ? QRect(1, 2, 300, 200) : caso.posizione);
    CaricaPosizioneForm(altra, kUtente, kSituazione, kProgetto, db_.db());
    EXPECT_EQ(altra.geometry(), caso.attesa);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, FuoriSchermoTest,
    testing::Values(
        CasoFuoriSchermo{"SporgeADestra", true, {500, 100, 640, 480}, {160, 100, 640, 480}},
        CasoFuoriSchermo{"SopraASinistra", true, {-300, -50, 640, 480}, {0, 0, 640, 480}},
        CasoFuoriSchermo{
            "SuUnoSchermoCheNonCePiu", true, {3000, 200, 640, 480}, {160, 200, 640, 480}},
        CasoFuoriSchermo{"PiuGrandeDelloSchermo", true, {10, 10, 1600, 1200}, {0, 0, 800, 800}},
        CasoFuoriSchermo{"DiProgettoSenzaRiga", false, {551, 223, 600, 400}, {200, 223, 600, 400}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PosizioneFormTest, SenzaRigaLaFinestraRestaComEra) {
    salva();
    QWidget altra;
    altra.setGeometry(1, 2, 300, 200);
    CaricaPosizioneForm(altra, kUtente, kSituazione + 1, kProgetto, db_.db());
    EXPECT_EQ(altra.geometry(), QRect(1, 2, 300, 200));
}

// Before it is first shown a window's frame is not known: once it is, the
// window is brought onto the screen again, frame included.
TEST_F(PosizioneFormTest, LaCorniceContaQuandoLaFinestraCompare) {
    // In the bottom right corner: the test platform itself keeps a frame off
    // the top and left edges.
    finestra_.setGeometry(160, 320, 640, 480);
    salva();
    QWidget altra;
    CaricaPosizioneForm(altra, kUtente, kSituazione, kProgetto, db_.db());
    EXPECT_EQ(altra.geometry(), QRect(160, 320, 640, 480));
    altra.show();
    QApplication::processEvents();
    ASSERT_NE(altra.frameGeometry(), altra.geometry()) << "a platform without frames";
    EXPECT_TRUE(altra.screen()->availableGeometry().contains(altra.frameGeometry()));
    EXPECT_EQ(altra.size(), QSize(640, 480));
}

TEST(PosizioneForm, SenzaTabellaLErroreArrivaAlChiamante) {
    test::TestDb db;
    QWidget finestra;
    EXPECT_THROW(SalvaPosizioneForm(finestra, 1, 1, 1, db.db()), db::DatabaseError);
}

} // namespace
} // namespace mavo
