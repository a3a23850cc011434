#include "GrigliaProva.h"

#include "support/Spegnimento.h"

#include <QApplication>
#include <QScrollBar>

namespace mavo::test {
namespace {

using Kind = ScriptedInterazione::Kind;

// The connection goes while the grid shows the first block of a long answer:
// scrolling to the end cannot read the next one. The rows shown stay, nothing
// unwinds through the view, the user is told once (after the scrolling), and
// the grid stops asking for more however far it is scrolled again.
TEST_F(GrigliaProva, LetturaFallitaDettaUnaVoltaERigheTenute) {
    archivio.archivio.exec("EXECUTE BLOCK AS DECLARE I INTEGER = 3; BEGIN "
                           "WHILE (I < 2503) DO BEGIN "
                           "INSERT INTO T VALUES (:I, 1, 'Riga ' || :I, NULL, :I); "
                           "I = I + 1; END END");
    const auto query = nuovaQuery();
    const auto griglia = nuovaGriglia(*query);
    query->open();
    QApplication::processEvents();
    ASSERT_EQ(griglia->model()->rowCount(), 1000);
    const QString decimaRiga = griglia->model()->index(9, 2).data().toString();

    SpegniDatabase(archivio.archivio.path());
    QScrollBar& barra = *griglia->verticalScrollBar();
    barra.setValue(barra.maximum());
    EXPECT_TRUE(interazione.messages().isEmpty()); // not from inside the scrolling
    QApplication::processEvents();
    ASSERT_EQ(interazione.messages().size(), 1);
    EXPECT_EQ(interazione.messages()[0].kind, Kind::Errore);
    EXPECT_TRUE(interazione.messages()[0].text.startsWith("Errore durante la lettura dei dati\r"));
    EXPECT_TRUE(interazione.messages()[0].text.contains("shutdown"))
        << interazione.messages()[0].text.toStdString();

    barra.setValue(0);
    barra.setValue(barra.maximum());
    griglia->model()->fetchMore({});
    QApplication::processEvents();
    EXPECT_FALSE(griglia->model()->canFetchMore({}));
    EXPECT_EQ(interazione.messages().size(), 1);
    EXPECT_EQ(griglia->model()->rowCount(), 1000);
    EXPECT_EQ(griglia->model()->index(9, 2).data().toString(), decimaRiga);
    RiattivaDatabase(archivio.archivio.path());
}

} // namespace
} // namespace mavo::test
