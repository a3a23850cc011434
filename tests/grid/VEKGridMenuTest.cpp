#include "ArchivioGriglia.h"

#include "dataset/MemoryDataset.h"
#include "grid/TabellaDellaQuery.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTest>

using namespace mavo;
using namespace mavo::test;

namespace {

QStringList titoli(const QMenu& menu) {
    QStringList out;
    for (const QAction* voce : menu.actions())
        out << (voce->isSeparator() ? QStringLiteral("-") : voce->text());
    return out;
}

QAction* voce(const QMenu& menu, const QString& titolo) {
    for (QAction* v : menu.actions())
        if (v->text() == titolo)
            return v;
    return nullptr;
}

const QStringList vociGriglia = {"Ricerca su campo Corrente", "Annulla ricerca",
                                 "Ricerca su chiave ",        "Query",
                                 "Dimezza larghezza colonna", "Personalizza Griglia"};

TEST(TabellaDellaQuery, TakesTheFirstQuotedNameAfterFrom) {
    const struct {
        const char* caso;
        QStringList sql;
        QString tabella;
    } casi[] = {
        {"tra virgolette", {"SELECT *", "FROM \"MANUTENZIONENETTI\""}, "MANUTENZIONENETTI"},
        {"senza virgolette", {"SELECT * FROM ANAMAG"}, ""},
        {"una sola virgoletta", {"SELECT * FROM \"ANAMAG"}, ""},
        {"virgolette prima del FROM", {"SELECT \"X\" FROM \"ANAMAG\" A"}, "ANAMAG"},
        {"senza FROM", {"SELECT \"A\", \"B\""}, "A"},
        {"from minuscolo", {"select \"A\" from \"B\""}, "A"},
        {"vuoto", {}, ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(TabellaDellaQuery(c.sql), c.tabella);
    }
}

class MenuGriglia : public ArchivioGriglia {};

TEST_F(MenuGriglia, OwnMenuHoldsTheEntriesWithTheirKeys) {
    auto griglia = nuovaGriglia(*query);
    QMenu& menu = *griglia->popupMenu();
    EXPECT_EQ(titoli(menu), vociGriglia);
    const QKeySequence tasti[] = {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7,
                                  Qt::Key_F8, Qt::Key_F9, QKeySequence()};
    for (int i = 0; i < vociGriglia.size(); ++i)
        EXPECT_EQ(menu.actions()[i]->shortcut(), tasti[i]) << vociGriglia[i].toStdString();
    QAction* chiave = voce(menu, "Ricerca su chiave ");
    EXPECT_FALSE(chiave->isVisible());
    EXPECT_FALSE(chiave->isEnabled());

    // A menu of the window's gets them after a separator.
    QMenu finestra;
    finestra.addAction("Esporta");
    TVEKGrid altra;
    altra.setPopupMenu(&finestra);
    altra.Loaded();
    EXPECT_EQ(altra.popupMenu(), &finestra);
    EXPECT_EQ(titoli(finestra), QStringList({"Esporta", "-"}) + vociGriglia);
}

TEST_F(MenuGriglia, PopupRunsTheWindowsHandlerThenEnablesTheEntries) {
    MemoryDataset memoria;
    memoria.addFieldDef("CODICE", FieldType::String, 10);
    const char* quotata = "SELECT * FROM \"ARTICOLI\"";
    const struct {
        const char* caso;
        Dataset* dati;
        bool aperto, ricercaAbilitata;
        const char* tabellaPrincipale;
        const char* sqlIniziale;
        const char* abilitate; // F5, F6, F8, F9, "Personalizza Griglia": '1' enabled
        bool strumento = true; // the library has installed the query tool
    } casi[] = {
        {"query chiusa", query.get(), false, true, "", quotata, "10000"},
        {"query aperta", query.get(), true, true, "", quotata, "11111"},
        {"ricerca disabilitata", query.get(), true, false, "", quotata, "01111"},
        {"query senza tabella", query.get(), true, true, "", "SELECT * FROM ARTICOLI", "11011"},
        {"tabella principale", query.get(), true, true, "ARTICOLI", "SELECT 1", "11111"},
        {"memoria senza tabella", &memoria, true, true, "", "", "11011"},
        {"memoria con tabella", &memoria, true, true, "APPOGGIO", "", "11111"},
        {"nessuno strumento", query.get(), true, true, "", quotata, "11011", false},
    };
    const QStringList controllate = {"Ricerca su campo Corrente", "Annulla ricerca", "Query",
                                     "Dimezza larghezza colonna", "Personalizza Griglia"};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        QVector<TVEKGrid*> consegnate;
        if (c.strumento)
            TVEKGrid::InstallaApriQuery([&](TVEKGrid& g) { consegnate << &g; });
        else
            TVEKGrid::InstallaApriQuery({});
        auto griglia = nuovaGriglia(*c.dati);
        griglia->RicercaAbilitata = c.ricercaAbilitata;
        griglia->TabellaPrincipale = c.tabellaPrincipale;
        griglia->SQLIniziale = QStringList(c.sqlIniziale);
        if (c.aperto)
            c.dati->open();
        QMenu& menu = *griglia->popupMenu();
        int chiamate = 0;
        // The window's handler runs first: the grid then sets every entry of its own.
        griglia->OnPopup = [&] {
            ++chiamate;
            for (QAction* v : menu.actions())
                v->setEnabled(!v->isEnabled());
        };
        Q_EMIT menu.aboutToShow();
        EXPECT_EQ(chiamate, 1);
        QString abilitate;
        for (const QString& titolo : controllate)
            abilitate += voce(menu, titolo)->isEnabled() ? u'1' : u'0';
        EXPECT_EQ(abilitate, c.abilitate);
        // F8 hands the grid itself to the installed tool.
        griglia->OnPopup = {};
        Q_EMIT menu.aboutToShow();
        voce(menu, "Query")->trigger();
        const bool f8 = c.abilitate[2] == '1';
        EXPECT_EQ(consegnate, f8 ? QVector<TVEKGrid*>{griglia.get()} : QVector<TVEKGrid*>{});
        TVEKGrid::InstallaApriQuery({});
        c.dati->close();
    }
}

TEST_F(MenuGriglia, HalvingAColumnRoundsTowardZero) {
    auto griglia = nuovaGriglia(*query);
    query->open();
    griglia->SelezionaColonna(1);
    QAction* dimezza = voce(*griglia->popupMenu(), "Dimezza larghezza colonna");
    const struct { int larghezza, attesa; } casi[] = {{1, 0}, {2, 1}, {101, 50}, {0, 0}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.larghezza);
        griglia->SetLarghezzaColonna(1, c.larghezza);
        dimezza->trigger();
        EXPECT_EQ(griglia->LarghezzaColonna(1), c.attesa);
        EXPECT_EQ(griglia->horizontalHeader()->sectionSize(1), c.attesa);
        EXPECT_EQ(griglia->LarghezzaColonna(0), griglia->horizontalHeader()->sectionSize(0));
    }
}

TEST_F(MenuGriglia, F9HalvesTheSelectedColumnFromTheKeyboard) {
    auto griglia = nuovaGriglia(*query);
    griglia->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(griglia.get()));
    griglia->setFocus();
    query->open();
    griglia->SelezionaColonna(2);
    griglia->SetLarghezzaColonna(2, 80);
    QTest::keyClick(griglia.get(), Qt::Key_F9);
    EXPECT_EQ(griglia->LarghezzaColonna(2), 40);

    // With the data closed the entry is off, also from the keyboard.
    query->close();
    QTest::keyClick(griglia.get(), Qt::Key_F9);
    EXPECT_FALSE(voce(*griglia->popupMenu(), "Dimezza larghezza colonna")->isEnabled());
}

} // namespace
