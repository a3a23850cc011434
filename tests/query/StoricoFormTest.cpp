// The query form in history mode: its entry loaded once, offered for saving
// when it changed, its layout kept and applied; the advanced operations and
// the lock dialog, driven through their real windows.
#include "FormQuery.h"

#include "dataset/DatasetModel.h"
#include "query/blocco/ui/BloccaQForm.h"
#include "query/form/ui/ElabAvanForm.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "query/form/ui/ModelliQuery.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace mavo;
using namespace mavo::test;

namespace {

class StoricoForm : public FormQuery {
protected:
    TIBLQueryForm& apriStorico(ChiaveStorico chiave,
                               DialoghiQuery dialoghi = DialoghiPredefiniti()) {
        TIBLQueryForm& f = crea(std::move(dialoghi));
        f.ModoStorico = true;
        f.Codice1 = chiave.Codice1;
        f.Codice2 = chiave.Codice2;
        return mostra();
    }
    QStringList testi() {
        QStringList t;
        for (const auto& m : port.messages())
            t << m.text;
        return t;
    }

    ArchivioStorico storico{archivio.db()};
};

const Definizione salvata = {{1, "COD", 1, "(COD > 1)"}, {2, "NOME", 0, "vite"},
                             {3, "PREZZO", 1, ""},       {4, "DATA", 0, ""},
                             {5, "NOTE", 0, ""},         {6, "QUERY BLOCCATA", 7, ""}};

TEST_F(StoricoForm, TheEntryIsLoadedOnceAndOfferedForSavingWhenChanged) {
    storico.CreaTabelle();
    storico.SalvaInterrogazione({5, 1.5}, salvata);
    TIBLQueryForm& f = apriStorico({5, 1.5});
    EXPECT_EQ(f.LeggiRighe(), salvata);
    EXPECT_TRUE(f.Stato.Bloccata);
    EXPECT_FALSE(f.LabelF11->isVisible());

    // Unchanged: it closes without asking.
    clic(*f.ButtonChiudi);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(port.messages().isEmpty());

    apriStorico({5, 1.5});
    scriviCondizione(*form, "PREZZO", "(PREZZO < 100)");
    // Back from a dialog the form shows again: what was typed stays.
    form->hide();
    mostra();
    EXPECT_EQ(condizioneDi(*form, "PREZZO"), "(PREZZO < 100)");

    // Asked, and declined: the form closes, the stored entry stays.
    clic(*form->ButtonChiudi);
    EXPECT_EQ(testi(), QStringList({"Aggiornare lo storico interrogazioni?"}));
    EXPECT_EQ(storico.LeggiInterrogazione({5, 1.5}), salvata);

    // The window's close box asks too; accepted, it saves.
    apriStorico({5, 1.5});
    scriviCondizione(*form, "PREZZO", "(PREZZO < 100)");
    port.queueConferma(true);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(storico.LeggiInterrogazione({5, 1.5}).value(2).Condizione, "(PREZZO < 100)");
    EXPECT_EQ(testi().size(), 2);
}

TEST_F(StoricoForm, ASaveThatFailsKeepsTheFormOpen) {
    TIBLQueryForm& f = apriStorico({5, 2});
    scriviCondizione(f, "NOME", QString(260, u'x'));
    port.queueConferma(true);
    clic(*f.ButtonChiudi);
    EXPECT_TRUE(f.isVisible()) << "what the user wrote is still there to shorten";
    ASSERT_EQ(port.messages().size(), 2);
    EXPECT_EQ(port.messages()[1].kind, ScriptedInterazione::Kind::Errore);
    EXPECT_TRUE(port.messages()[1].text.contains("la riga 2 (NOME)"));
}

TEST_F(StoricoForm, TheLayoutIsKeptAndAppliedAfterEachRun) {
    TIBLQueryForm& f = apriStorico({5, 1.5});
    EXPECT_TRUE(storico.TabelleEsistenti()) << "made on the first show";
    esegui();
    ASSERT_TRUE(f.VistaRisposta());
    f.DBGrid2->setCurrentIndex(f.DBGrid2->modello().index(0, colonnaDi(f, "NOME")));
    f.EliminaCampo();
    f.RaggruppaCifre();
    port.queueConferma(true);
    clic(*f.ButtonRitornaQuery);
    EXPECT_EQ(testi(), QStringList({"Aggiornare lo storico aspetto?"}));
    const Aspetto aspetto = storico.LeggiAspetto({5, 1.5});
    ASSERT_EQ(aspetto.size(), 5);
    EXPECT_EQ(aspetto[1].NomeCampo, "NOME");
    EXPECT_EQ(aspetto[1].Vis, 0);

    // A new run comes back as it was left; unchanged, nothing is asked.
    esegui();
    EXPECT_FALSE(f.TabRispTmp.Dati().fieldByName("NOME")->visible());
    clic(*f.ButtonRitornaQuery);
    EXPECT_EQ(testi().size(), 1);
}

TEST_F(StoricoForm, Identifier1000KeepsNoLayout) {
    TIBLQueryForm& f = apriStorico({1000, 1});
    storico.SalvaAspetto({1000, 1}, {{0, "COD", 9, 0, 0, 0},
                                     {1, "NOME", 9, 0, 1, 0},
                                     {2, "PREZZO", 9, 1, 2, 0},
                                     {3, "DATA", 9, 1, 3, 0},
                                     {4, "NOTE", 9, 1, 4, 0}});
    esegui();
    EXPECT_TRUE(f.TabRispTmp.Dati().fieldByName("COD")->visible()) << "never applied";
    f.DBGrid2->setCurrentIndex(f.DBGrid2->modello().index(0, colonnaDi(f, "NOME")));
    f.EliminaCampo();
    clic(*f.ButtonRitornaQuery);
    EXPECT_TRUE(port.messages().isEmpty());
}

// The advanced operations with their real dialog: the button of the word
// clicked, what the dialog then returns.
DialoghiQuery conElaborazione(const QString& parola, QStringList* abilitati = nullptr,
                              QString* titolo = nullptr) {
    DialoghiQuery dialoghi = DialoghiPredefiniti();
    dialoghi.ElabAvanzate = [=](QWidget* owner, Interazione& port, const StatoElaborazioni& stato,
                                const QString& ditta, const QSet<QString>& disponibili) {
        TElabAvanForm dialogo(stato, ditta, disponibili, port, owner);
        if (abilitati)
            for (QPushButton* b : dialogo.findChildren<QPushButton*>())
                if (b->isEnabled())
                    *abilitati << b->text();
        if (titolo)
            *titolo = dialogo.windowTitle();
        dialogo.Pulsanti.value(parola)->click();
        return dialogo.Parola;
    };
    return dialoghi;
}

TEST_F(StoricoForm, VisibleFieldsRewriteTheDefinition) {
    DialoghiQuery dialoghi = conElaborazione(elaborazione::CampiVisibili);
    QString chiamata;
    dialoghi.CampiVisibili = [&](QWidget*, Interazione&, db::Database&, const QString& ditta,
                                 const QString& tabella, const QString& prefisso,
                                 Definizione& righe) {
        chiamata = ditta + " " + tabella + " [" + prefisso + "] " + QString::number(righe.size());
        righe.removeLast();
        return true;
    };
    TIBLQueryForm& f = apri(dialoghi);
    const qsizetype prima = f.LeggiRighe().size();
    clic(*f.ButtonElabAvanzate);
    EXPECT_EQ(chiamata, QStringLiteral("D01 ART [] %1").arg(prima));
    EXPECT_EQ(f.LeggiRighe().size(), prima - 1);
}

TEST_F(StoricoForm, LockWithAKeyAndUnlockWithIt) {
    QStringList abilitati;
    QString titolo;
    DialoghiQuery dialoghi = conElaborazione(elaborazione::BloccaQuery, &abilitati, &titolo);
    // What the user does in the lock dialog this time.
    std::function<void(TBloccaQForm&)> gesti;
    dialoghi.Blocco = [&](QWidget* owner, Interazione& p, bool& bloccata, const QString& ditta,
                          Definizione& righe) {
        TBloccaQForm dialogo(bloccata, ditta, righe, p, owner);
        dialogo.show();
        gesti(dialogo);
        return dialogo.result() == QDialog::Accepted;
    };
    TIBLQueryForm& f = apri(dialoghi);
    EXPECT_TRUE(f.ButtonElabAvanzate->isEnabled());

    gesti = [](TBloccaQForm& d) {
        EXPECT_EQ(d.windowTitle(), "Elaborazione Blocco/Sblocco query - Ditta: D01");
        EXPECT_FALSE(d.CheckChiave->isVisible());
        clic(*d.CheckBloccata);
        clic(*d.CheckChiave);
        EXPECT_TRUE(d.PanelChiave->isVisible());
        EXPECT_FALSE(d.CheckBloccata->isEnabled());
        d.EditChiave->setText("zzzzzz");
        clic(*d.ButtonAccettaChiave);
        d.EditChiave->setText("ABCDEF");
        clic(*d.ButtonAccettaChiave);
        clic(*d.ButtonOk);
    };
    clic(*f.ButtonElabAvanzate);
    EXPECT_EQ(titolo, "Elaborazioni avanzate - Ditta: D01");
    // Every operation is wired: their refusals depend on the query's state.
    EXPECT_EQ(abilitati,
              QStringList({"&Campi visibili", "&Blocca Query", "Affiancamento tramite UNION",
                           "&Togli query affiancata", "Passa a query &precedente",
                           "Passa a query &successiva", "&Elimina query successiva", "Ch&iudi"}));
    EXPECT_EQ(f.LeggiRighe().last(),
              (RigaDefinizione{6, "QUERY BLOCCATA", 7, "184 191 188 189 186 187"}));
    EXPECT_TRUE(f.Stato.Bloccata);
    clic(*f.ButtonSelezionaTutto);
    EXPECT_EQ(testi(), QStringList({"Impossibile inserire una chiave con tutti i caratteri uguali!",
                                    "Nuova chiave corretta",
                                    "Attenzione: operazione non possibile, la Query è bloccata!"}));

    // Without the key nothing can be changed: OK leaves it as it is.
    const qsizetype primi = port.messages().size();
    gesti = [](TBloccaQForm& d) {
        EXPECT_FALSE(d.CheckBloccata->isEnabled());
        EXPECT_FALSE(d.CheckChiave->isEnabled());
        EXPECT_TRUE(d.PanelChiave->isVisible());
        clic(*d.ButtonOk);
    };
    clic(*f.ButtonElabAvanzate);
    EXPECT_EQ(f.LeggiRighe().size(), 6);
    EXPECT_TRUE(f.Stato.Bloccata);

    gesti = [](TBloccaQForm& d) {
        d.EditChiave->setText("ABCDEG");
        clic(*d.ButtonAccettaChiave);
        EXPECT_FALSE(d.CheckChiave->isEnabled());
        d.EditChiave->setText("ABCDEF");
        clic(*d.ButtonAccettaChiave);
        EXPECT_TRUE(d.EditChiave->isReadOnly());
        EXPECT_FALSE(d.ButtonAccettaChiave->isEnabled());
        d.CheckChiave->click();
        EXPECT_FALSE(d.PanelChiave->isVisible());
        EXPECT_TRUE(d.CheckBloccata->isEnabled());
        d.CheckBloccata->click();
        EXPECT_FALSE(d.CheckChiave->isVisible());
        clic(*d.ButtonOk);
    };
    clic(*f.ButtonElabAvanzate);
    EXPECT_EQ(testi().mid(primi), QStringList({"Chiave Errata"}));
    EXPECT_EQ(f.LeggiRighe().size(), 5);
    EXPECT_FALSE(f.Stato.Bloccata);
}

TEST_F(StoricoForm, RefusalsFromTheGrid) {
    // A side-by-side query cannot be locked or unlocked; the query stays as it was.
    TIBLQueryForm& f = apri(conElaborazione(elaborazione::BloccaQuery));
    f.Stato.Bloccata = f.Stato.Affiancata = true;
    const Definizione prima = f.LeggiRighe();
    clic(*f.ButtonElabAvanzate);
    EXPECT_EQ(testi(),
              QStringList({"Attenzione: operazione non possibile, la Query è affiancata!"}));
    EXPECT_EQ(f.LeggiRighe(), prima);

    // A chain operation connected later still needs history mode.
    const qsizetype primi = port.messages().size();
    bool eseguita = false;
    form.reset();
    TIBLQueryForm& g = apri(conElaborazione(elaborazione::PassaSuccessiva));
    g.CollegaElaborazione(elaborazione::PassaSuccessiva, [&] { eseguita = true; });
    clic(*g.ButtonElabAvanzate);
    EXPECT_FALSE(eseguita);
    EXPECT_EQ(testi().mid(primi),
              QStringList({"Operazione possibile solo in modalità Archivio Storico"}));
}

} // namespace
