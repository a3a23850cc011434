#include "GrigliaProva.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

using namespace mavo;
using namespace mavo::test;

namespace {

class PersonalizzaGriglia : public GrigliaProva {
protected:
    // Field, width, visibility and title of every column, in order.
    static QStringList colonne(TVEKGrid& griglia) {
        QStringList colonne;
        for (int c = 0; c < griglia.NumeroColonne(); ++c)
            colonne << QStringLiteral("%1|%2|%3|%4")
                           .arg(griglia.CampoColonna(c)->fieldName())
                           .arg(griglia.LarghezzaColonna(c))
                           .arg(griglia.ColonnaVisibile(c))
                           .arg(griglia.TitoloColonna(c));
        return colonne;
    }
    // "Personalizza Griglia" from the grid's menu, `passo` working its dialog.
    static bool personalizza(TVEKGrid& griglia, const std::function<void(QDialog&)>& passo) {
        for (QAction* voce : griglia.popupMenu()->actions())
            if (voce->text() == "Personalizza Griglia")
                return conDialogo(passo, [voce] { voce->trigger(); });
        return false;
    }
    static void clic(QWidget& dialogo, const QString& pulsante) {
        for (QPushButton* p : dialogo.findChildren<QPushButton*>())
            if (p->objectName() == pulsante || p->text() == pulsante)
                p->click();
    }
    static QAbstractItemModel& righe(QDialog& form) {
        return *form.findChild<QTableView*>("DBGrid1")->model();
    }
};

TEST_F(PersonalizzaGriglia, AspettoBaseRestoresTheDefaultLayoutOnlyAfterOk) {
    const struct {
        const char* risposta;
        bool ripristina;
    } casi[] = {{"Cancel", false}, {"OK", true}};
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.risposta);
        archivio.archivio.exec("DELETE FROM STOASP1");
        auto query = nuovaQuery();
        TVEKGrid* vista = nullptr;
        QList<bool> inRipristino; // as a host that stores the layout on closing sees it
        query->setBeforeOpen([&](Dataset&) { inRipristino << vista->RipristinoInCorso; });
        auto griglia = nuovaGriglia(*query);
        vista = griglia.get();
        griglia->SQLIniziale = kBase;
        griglia->TabellaPiccola = true;
        query->open();
        const QStringList naturale = colonne(*griglia);

        griglia->CampoColonna(2)->setIndex(0);
        griglia->SetLarghezzaColonna(1, 33);
        griglia->SetColonnaVisibile(2, false);
        griglia->SetTitoloColonna(0, "Nome articolo");
        doppioClicTitolo(*griglia, 1); // stores it all, sorted on A
        const QStringList personale = colonne(*griglia);
        ASSERT_EQ(personale[0], "NOME|" + naturale[2].section('|', 1, 1) + "|1|Nome articolo");

        QStringList elencate;
        ASSERT_TRUE(personalizza(*griglia, [&](QDialog& form) {
            EXPECT_TRUE(conDialogo([&](QDialog& avviso) { clic(avviso, caso.risposta); },
                                   [&] { clic(form, "ButtonAspettoBase"); }));
            for (int r = 0; r < righe(form).rowCount(); ++r)
                elencate << righe(form).index(r, 1).data().toString();
            clic(form, "ButtonChiudi");
        }));
        elencate.sort();
        EXPECT_EQ(colonne(*griglia), caso.ripristina ? naturale : personale);
        EXPECT_EQ(elencate, caso.ripristina ? QStringList({"A", "B", "NOME"})
                                            : QStringList({"A", "B", "Nome articolo"}));
        EXPECT_EQ(ordinamenti(),
                  caso.ripristina ? QStringList({"", "", ""}) : QStringList({"", "1", ""}));
        EXPECT_EQ(query->sql(), caso.ripristina ? kBase : kBase + QStringList{"ORDER BY T.A"});
        EXPECT_EQ(inRipristino.contains(true), caso.ripristina);
        EXPECT_FALSE(griglia->RipristinoInCorso);
    }
    EXPECT_TRUE(interazione.messages().isEmpty());
}

TEST_F(PersonalizzaGriglia, AColumnHiddenInTheDialogStaysHiddenAtTheNextOpening) {
    for (int apertura = 0; apertura < 2; ++apertura) {
        SCOPED_TRACE(apertura);
        auto query = nuovaQuery();
        auto griglia = nuovaGriglia(*query);
        query->open();
        if (apertura == 0) {
            ASSERT_TRUE(personalizza(*griglia, [](QDialog& form) {
                QAbstractItemModel& modello = righe(form);
                for (int r = 0; r < modello.rowCount(); ++r)
                    if (modello.index(r, 0).data().toString().trimmed() == "B")
                        modello.setData(modello.index(r, 3), 0);
                clic(form, "ButtonChiudi");
            }));
        }
        for (int c = 0; c < griglia->NumeroColonne(); ++c) {
            EXPECT_EQ(griglia->ColonnaVisibile(c), c != 1) << c;
            EXPECT_EQ(griglia->horizontalHeader()->isSectionHidden(c), c == 1) << c;
        }
    }
}

TEST_F(PersonalizzaGriglia, ADatabaseErrorIsToldAndNoDialogOpens) {
    auto query = nuovaQuery();
    auto griglia = nuovaGriglia(*query);
    query->open();
    griglia->TabellaAspettoGriglia = "MANCANTE";
    EXPECT_FALSE(personalizza(*griglia, [](QDialog&) {}));
    ASSERT_EQ(interazione.messages().size(), 1);
    EXPECT_EQ(interazione.messages()[0].kind, ScriptedInterazione::Kind::Errore);
    EXPECT_TRUE(interazione.messages()[0].text.contains("MANCANTE"));
}

} // namespace
