#include "ArchivioGriglia.h"

#include "grid/Colore.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>

using namespace mavo;
using namespace mavo::test;

namespace {

enum class Tinta { Gialla, Rossa, Standard, Altra };

Tinta tinta(const QColor& c) {
    if (c.red() > 200 && c.green() > 200 && c.blue() < 140)
        return Tinta::Gialla;
    if (c.red() > 200 && c.green() < 140 && c.blue() < 140)
        return Tinta::Rossa;
    if (std::abs(c.red() - c.green()) < 16 && std::abs(c.green() - c.blue()) < 16)
        return Tinta::Standard;
    return Tinta::Altra;
}

// The colour the header really shows behind the title of `colonna`, away from its text.
QColor sfondoTitolo(TVEKGrid& griglia, int colonna) {
    QHeaderView* titoli = griglia.horizontalHeader();
    const QImage immagine = titoli->grab().toImage();
    const int x = titoli->sectionViewportPosition(colonna) + titoli->sectionSize(colonna) - 5;
    return immagine.pixelColor(x, immagine.height() / 2);
}

TEST(ColoreQt, ConvertsStoredColours) {
    const QPalette palette = QApplication::palette();
    const struct {
        const char* caso;
        TColor colore;
        QColor atteso;
    } casi[] = {
        {"giallo", clGiallo, QColor(255, 255, 0)},
        {"rosso", clRosso, QColor(255, 0, 0)},
        {"rosso chiaro", clRossoChiaro, QColor(0xF3, 0xB4, 0xB4)},
        {"arancio chiaro", clArancioChiaro, QColor(0xFF, 0xA4, 0x77)},
        {"sfondo di sistema", clSfondo, palette.color(QPalette::Window)},
        {"finestra di sistema", clWindow, palette.color(QPalette::Base)},
        {"faccia dei pulsanti", clBtnFace, palette.color(QPalette::Button)},
        {"indice di sistema sconosciuto", TColorDiSistema(0x40), palette.color(QPalette::Window)},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(ColoreQt(c.colore, palette), c.atteso);
    }
}

class ColoriTitoli : public ArchivioGriglia {};

TEST_F(ColoriTitoli, AUserWithoutSettingsSeesYellowIndexedAndRedSortTitles) {
    memorizzaRiga("PREZZO", 2, 60, "PREZZO");
    archivio.exec("UPDATE STOASP1 SET ORDINAMENTO = 1, ORIGINE = 'ARTICOLI.PREZZO'");
    auto griglia = nuovaGriglia(*query);
    griglia->CampiIndicizzati = "codice";
    query->open();

    EXPECT_TRUE(griglia->RicercaATempo());
    EXPECT_EQ(griglia->ColoreTitolo(0), clGiallo);
    EXPECT_EQ(griglia->ColoreTitolo(1), clBtnFace);
    EXPECT_EQ(griglia->ColoreTitolo(2), clRosso);
    EXPECT_EQ(tinta(sfondoTitolo(*griglia, 0)), Tinta::Gialla);
    EXPECT_EQ(tinta(sfondoTitolo(*griglia, 1)), Tinta::Standard);
    EXPECT_EQ(tinta(sfondoTitolo(*griglia, 2)), Tinta::Rossa);
    EXPECT_EQ(tinta(sfondoTitolo(*griglia, 3)), Tinta::Standard);
}

} // namespace
