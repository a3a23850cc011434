#include "RicercaArchivio.h"

#include "common/ui/EditData.h"
#include "db/DatabaseError.h"
#include "grid/ricerca/GruppoOpzioni.h"
#include "grid/ricerca/RVEKGridForm.h"
#include "platform/ScriptedInterazione.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace mavo;
using namespace mavo::test;

namespace {

constexpr int kPausa = 30; // ms: the tests' typing timer

class RicercaDialogo : public testing::Test {
protected:
    std::unique_ptr<TRVEKGridForm> apri(ClasseCampo classe = ClasseCampo::Testo, bool aTempo = true,
                                        bool sorgenteQuery = true) {
        auto dialogo = std::make_unique<TRVEKGridForm>(
            ImpostazioniRicerca{"Descrizione", classe, sorgenteQuery, aTempo, kPausa}, interazione);
        dialogo->applica = [this](const RichiestaRicerca& r) { applicate.append(r); };
        dialogo->applicaGenerica = [this](const QString& testo) { generiche << testo; };
        dialogo->annulla = [this] { ++annullate; };
        dialogo->show();
        return dialogo;
    }
    template <class T = QWidget> static T* figlio(QWidget& dialogo, const char* nome) {
        return dialogo.findChild<T*>(nome);
    }
    static QLineEdit* testo(QWidget& d) { return figlio<QLineEdit>(d, "EditStringa"); }

    ScriptedInterazione interazione;
    QList<RichiestaRicerca> applicate;
    QStringList generiche;
    int annullate = 0;
};

TEST_F(RicercaDialogo, EachFieldClassGetsItsControlsAndSearchTypes) {
    const struct {
        const char* nome;
        ClasseCampo classe;
        bool query;
        int tipi; // offered search types, 0 when hidden
        bool upper;
        bool date;
    } casi[] = {
        {"TestoQuery", ClasseCampo::Testo, true, 3, true, false},
        {"NumeroQuery", ClasseCampo::Numerico, true, 2, true, false},
        {"DataQuery", ClasseCampo::Data, true, 0, true, true},
        {"BlobQuery", ClasseCampo::Blob, true, 3, false, false},
        {"DataInMemoria", ClasseCampo::Data, false, 3, true, false},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        auto d = apri(caso.classe, true, caso.query);
        EXPECT_EQ(d->windowTitle(), "Ricerca su Descrizione");
        auto* tipi = figlio<GruppoOpzioni>(*d, "EditTipoRicerca");
        EXPECT_EQ(tipi->isVisible() ? tipi->numeroVoci() : 0, caso.tipi);
        EXPECT_EQ(figlio(*d, "EditUpper")->isEnabled(), caso.upper);
        for (const char* data : {"EditData1", "EditData2", "Label2"})
            EXPECT_EQ(figlio(*d, data)->isVisible(), caso.date) << data;
        EXPECT_EQ(testo(*d)->isVisible(), !caso.date);
        EXPECT_EQ(figlio<QLabel>(*d, "Label1")->text(),
                  caso.date ? "Inserisci una data compresa tra:" : "Stringa di ricerca");
        EXPECT_EQ(figlio(*d, "EditGenerica")->isEnabled(), caso.query);
        // A stored "LIKE %" the column does not offer shows as ">=".
        d->RipristinaStato(StatoDialogoRicerca{{40, 50}, RicercaIniziaCon, 0, false});
        EXPECT_EQ(d->Stato(), (StatoDialogoRicerca{{40, 50}, caso.tipi == 2 ? 0 : 2, 0, false}));
    }
}

TEST_F(RicercaDialogo, WithoutTheTimerEveryChangeSearchesAndApostrophesBecomeAccents) {
    auto d = apri(ClasseCampo::Testo, false);
    QTest::keyClicks(testo(*d), "l'a");
    EXPECT_EQ(testo(*d)->text(), QString::fromUtf8("l´a"));
    ASSERT_EQ(applicate.size(), 3);
    EXPECT_EQ(applicate[2].testo, QString::fromUtf8("l´a"));
}

// What happens to "ab" typed on the timer, by the way the dialog is left.
TEST_F(RicercaDialogo, OnlyEnterAppliesAPendingSearchOnClosing) {
    const struct {
        const char* nome;
        std::function<void(TRVEKGridForm&)> poi;
        int applicate;
        int annullate;
        bool aperto;
    } casi[] = {
        {"Pausa", [](TRVEKGridForm&) { QTest::qWait(4 * kPausa); }, 1, 0, true},
        {"Invio", [](TRVEKGridForm& d) { QTest::keyClick(testo(d), Qt::Key_Return); }, 1, 0, false},
        {"Esc", [](TRVEKGridForm& d) { QTest::keyClick(testo(d), Qt::Key_Escape); }, 0, 1, false},
        {"Chiusura", [](TRVEKGridForm& d) { d.close(); }, 0, 0, false},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        applicate.clear();
        annullate = 0;
        auto d = apri();
        QTest::keyClicks(testo(*d), "ab");
        EXPECT_TRUE(applicate.isEmpty());
        caso.poi(*d);
        QTest::qWait(4 * kPausa);
        ASSERT_EQ(applicate.size(), caso.applicate);
        if (caso.applicate) {
            EXPECT_EQ(applicate[0].testo, "ab");
        }
        EXPECT_EQ(annullate, caso.annullate);
        EXPECT_EQ(d->isVisible(), caso.aperto);
    }
}

TEST_F(RicercaDialogo, GenericSwitchesTheDialogToEsegui) {
    auto d = apri();
    auto* generica = figlio<QCheckBox>(*d, "EditGenerica");
    auto* esegui = figlio<QPushButton>(*d, "ButtonEsegui");
    generica->setChecked(true);
    EXPECT_EQ(d->windowTitle(), "Ricerca su TUTTI i campi");
    for (const char* opzione : {"EditTipoRicerca", "EditUpper", "ButtonAggRete", "EditOrdinamento"})
        EXPECT_FALSE(figlio(*d, opzione)->isEnabled()) << opzione;
    QTest::keyClicks(testo(*d), "ab");
    QTest::keyClick(testo(*d), Qt::Key_Return);
    esegui->click();
    EXPECT_EQ(generiche, QStringList{"ab"});
    generica->setChecked(false);
    EXPECT_EQ(d->windowTitle(), "Ricerca su Descrizione");
    EXPECT_FALSE(esegui->isEnabled());
    QTest::qWait(4 * kPausa);
    EXPECT_TRUE(applicate.isEmpty());
    EXPECT_TRUE(d->isVisible());
}

TEST_F(RicercaDialogo, DateSearchWaitsForCompleteDates) {
    const struct {
        const char* nome;
        QString dal, al;
        QDate attesoDal, attesoAl; // null when nothing is applied
    } casi[] = {
        {"Intervallo", "01/02/2024", "10/02/2024", {2024, 2, 1}, {2024, 2, 10}},
        {"SoloPrimaData", "01/02/2024", "", {2024, 2, 1}, {}},
        {"PrimaIncompleta", "1/2/2024", "", {}, {}},
        {"SecondaIncompleta", "01/02/2024", "10/02", {}, {}},
        {"DataImpossibile", "31/02/2024", "", {}, {}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        applicate.clear();
        auto d = apri(ClasseCampo::Data);
        d->RipristinaStato(StatoDialogoRicerca{{0, 0}, RicercaIniziaCon, 1, true});
        figlio<TEditData>(*d, "EditData1")->setText(caso.dal);
        figlio<TEditData>(*d, "EditData2")->setText(caso.al);
        QTest::keyClick(figlio(*d, "EditData1"), Qt::Key_Return);
        EXPECT_FALSE(d->isVisible());
        ASSERT_EQ(applicate.size(), caso.attesoDal.isValid() ? 1 : 0);
        if (caso.attesoDal.isValid()) {
            EXPECT_EQ(applicate[0].dal, caso.attesoDal);
            EXPECT_EQ(applicate[0].al, caso.attesoAl);
            EXPECT_EQ(d->Stato().tipo, RicercaMaggioreUguale);
        }
    }
}

TEST_F(RicercaDialogo, AFailedSearchIsShownAndTheDialogStays) {
    auto d = apri(ClasseCampo::Testo, false);
    d->applica = [](const RichiestaRicerca&) { throw db::DatabaseError("Dynamic SQL Error"); };
    QTest::keyClicks(testo(*d), "a");
    EXPECT_EQ(interazione.messages(),
              (QList<ScriptedInterazione::Message>{
                  {ScriptedInterazione::Kind::Errore, "Dynamic SQL Error"}}));
    EXPECT_TRUE(d->isVisible());
}

TEST(RicercaStato, IsStoredPerKeysAndRewrittenOnlyWhenChanged) {
    ArchivioProva archivio;
    archivio.archivio.exec({"CREATE TABLE SCRITTURE (N INTEGER)",
                            "INSERT INTO SCRITTURE VALUES (0)",
                            "CREATE TRIGGER CONTA FOR STOPOS1 AFTER INSERT OR UPDATE AS "
                            "BEGIN UPDATE SCRITTURE SET N = N + 1; END"});
    const ChiaviGriglia chiavi{kSituazione, kUtente, kProgetto};
    const ChiaviGriglia altre{kSituazione, kUtente + 1, kProgetto};
    EXPECT_FALSE(LeggiStatoRicerca(archivio.db(), "STOPOS1", chiavi));
    const StatoDialogoRicerca primo{{120, 80}, RicercaIniziaCon, OrdinamentoDecrescente, false};
    const StatoDialogoRicerca secondo{{130, 80}, RicercaContiene, OrdinamentoNo, true};
    const struct {
        const char* nome;
        ChiaviGriglia chiavi;
        StatoDialogoRicerca stato;
        int scritture;
    } passi[] = {{"NuovaRiga", chiavi, primo, 1},
                 {"Invariato", chiavi, primo, 1},
                 {"Cambiato", chiavi, secondo, 2},
                 {"AltroUtente", altre, primo, 3}};
    for (const auto& passo : passi) {
        SCOPED_TRACE(passo.nome);
        SalvaStatoRicerca(archivio.db(), "STOPOS1", passo.chiavi, passo.stato);
        EXPECT_EQ(archivio.archivio.scalar("SELECT N FROM SCRITTURE").toInt(), passo.scritture);
        EXPECT_EQ(LeggiStatoRicerca(archivio.db(), "STOPOS1", passo.chiavi), passo.stato);
    }
    EXPECT_EQ(LeggiStatoRicerca(archivio.db(), "STOPOS1", chiavi), secondo);
}

} // namespace
