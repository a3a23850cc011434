#include "FinestraNetti.h"

#include "db/Statement.h"
#include "grid/VEKGrid.h"
#include "support/TestDb.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;
using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

namespace {

TEST_F(FinestraNetti, FirstOpeningCreatesTheStagingTableALaterOneEmptiesIt) {
    const QString esiste =
        "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME='MANUTENZIONENETTI'";
    ASSERT_EQ(conta(esiste), 0);

    TSincroPrezziNettiForm& prima = apri();
    EXPECT_EQ(conta(esiste), 1);
    EXPECT_EQ(prima.windowTitle(), "Sincro prezzi netti - Utente: DEMO - Ditta: DEMO");
    EXPECT_FALSE(prima.windowIcon().isNull());
    EXPECT_TRUE(prima.QueryAnteprima.active());
    EXPECT_EQ(senzaOrdinamento(prima.QueryAnteprima.sql()), istruzioneAnteprima);
    EXPECT_EQ(prima.GridAnteprima->SQLIniziale, istruzioneAnteprima);
    EXPECT_FALSE(prima.PanelRiepilogo->isVisible());

    execOn(*archivio, "INSERT INTO MANUTENZIONENETTI VALUES ('A1', 'Resto di ieri', 1.5)");
    TSincroPrezziNettiForm& seconda = apri();
    EXPECT_EQ(righeStaging(), 0);
    EXPECT_TRUE(seconda.QueryAnteprima.active());
    EXPECT_EQ(seconda.GridAnteprima->model()->rowCount(), 0);
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(FinestraNetti, StagingTableThatCannotBeEmptiedLeavesTheWindowUnbound) {
    apri().setGeometry(100, 120, 640, 480);
    finestra->close();
    execOn(*archivio, "INSERT INTO MANUTENZIONENETTI VALUES ('A1', 'Bloccato', 1.5)");
    // Another user holds the row: the opening's no-wait delete fails at once.
    db::Transaction altroUtente(archivio.get());
    altroUtente.start();
    db::Statement blocco(archivio.get(), &altroUtente);
    blocco.setSql({"UPDATE MANUTENZIONENETTI SET PREZZO=2"});
    blocco.execute();

    TSincroPrezziNettiForm& bloccata = apri();
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages()[0].kind, Kind::Errore);
    EXPECT_TRUE(port.messages()[0].text.startsWith(
        "Errore interno durante l'azzeramento della tabella MANUTENZIONI:\r"));
    EXPECT_FALSE(bloccata.QueryAnteprima.active());
    // The stored placement is not applied: the design one stays, brought
    // onto the screen.
    EXPECT_EQ(bloccata.size(), QSize(800, 600));
    EXPECT_TRUE(bloccata.screen()->availableGeometry().contains(bloccata.geometry()));
    altroUtente.rollback();
}

TEST_F(FinestraNetti, ImportFillsThePreviewAndShowsTheSummary) {
    TSincroPrezziNettiForm& f = apri();
    port.queueFile(ambiente.fileFornitore);
    f.ButtonSelezionaFile->click();

    EXPECT_EQ(f.LabelFile->text(), ambiente.fileFornitore);
    const qint64 importate = righeStaging();
    ASSERT_GT(importate, 0);
    EXPECT_TRUE(f.QueryAnteprima.active());
    f.QueryAnteprima.last();
    EXPECT_EQ(f.GridAnteprima->model()->rowCount(), importate);
    EXPECT_TRUE(f.PanelRiepilogo->isVisible());
    EXPECT_EQ(f.PanelRiepilogo->height(), 113);
    EXPECT_FALSE(port.summary().isEmpty());
    EXPECT_EQ(port.messages().last(), (Message{Kind::Informazione, "Elaborazione completata"}));
}

TEST_F(FinestraNetti, SearchTaggedReopenKeepsItsStatementAndSavesNoLayout) {
    TSincroPrezziNettiForm& f = apri();
    TVEKGrid& griglia = *f.GridAnteprima;
    const QStringList ricerca = istruzioneAnteprima + QStringList{"AND CODICE LIKE 'A%'"};
    struct Caso {
        const char* nome;
        std::function<void(TVEKGrid*)> evento;
        QStringList attesa;
        bool layoutSalvato;
    };
    const Caso casi[] = {{"search running", griglia.OnInizioRicerca, ricerca, false},
                         {"search ended", griglia.OnFineRicerca, istruzioneAnteprima, true}};
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        execOn(*archivio, "DELETE FROM STOASP1");
        caso.evento(&griglia);
        f.QueryAnteprima.close();
        EXPECT_EQ(righeAspetto() > 0, caso.layoutSalvato);
        f.QueryAnteprima.setSql(ricerca);
        f.QueryAnteprima.open();
        EXPECT_EQ(senzaOrdinamento(f.QueryAnteprima.sql()), caso.attesa);
    }
}

TEST_F(FinestraNetti, ClosingStoresThePlacementAndReopeningRestoresIt) {
    const QRect posizione(100, 120, 640, 480);
    apri().setGeometry(posizione);
    finestra->ButtonChiudi->click();
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(conta("SELECT COUNT(*) FROM STOPOS1 WHERE CODICEUTENTE=1 AND CODICESITUAZIONE=1 "
                    "AND CODICEPROGETTO=528"),
              1);
    EXPECT_EQ(apri().geometry(), posizione);
}

TEST_F(FinestraNetti, FileDialogOpensWhereTheUserLastChoseAFile) {
    port.queueFile(ambiente.fileFornitore);
    apri().ButtonSelezionaFile->click();
    // A later call for the same user; the choice is cancelled.
    apri().ButtonSelezionaFile->click();
    EXPECT_EQ(port.fileFolders(),
              QStringList({QString(), QFileInfo(ambiente.fileFornitore).absolutePath()}));
    EXPECT_EQ(contesto->CaricaParametro("Directory file fornitore"),
              QFileInfo(ambiente.fileFornitore).absolutePath());
}

TEST_F(FinestraNetti, MissingPriceListStillOpensAndItsOperationReportsTheFailure) {
    ASSERT_TRUE(QFile::remove(ambiente.listino));
    TSincroPrezziNettiForm& f = apri();
    EXPECT_EQ(port.messages(),
              (QList<Message>{{Kind::Avviso, "Attenzione: il listone non è stato trovato.\r\n"
                                             "Impossibile procedere"}}));
    EXPECT_TRUE(f.QueryAnteprima.active());
    port.queueFile(ambiente.fileFornitore);
    f.ButtonSelezionaFile->click();
    port.queueConferma(true);
    f.ButtonAggNettiListone->click(); // would end in the event loop if it escaped
    EXPECT_EQ(port.messages().last().kind, Kind::Errore);
}

} // namespace
