#include "GrigliaProva.h"

#include "dataset/IbTable.h"
#include "dataset/MemoryDataset.h"
#include "grid/ricerca/ControlloIndice.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace mavo;
using namespace mavo::test;

namespace {

class RicercaGriglia : public GrigliaProva {
protected:
    // Chooses "LIKE %%" and types `testo` in the search box.
    static QLineEdit* cercaContiene(QDialog& dialogo, const char* testo) {
        for (QRadioButton* voce : dialogo.findChildren<QRadioButton*>())
            if (voce->text() == "LIKE %%")
                voce->click();
        auto* casella = dialogo.findChild<QLineEdit*>("EditStringa");
        QTest::keyClicks(casella, testo);
        return casella;
    }
};

TEST_F(RicercaGriglia, F5SearchesTheQueryAndF6ShowsEveryRowAgain) {
    const QStringList base{"SELECT A, B, NOME FROM \"T\"", "WHERE T.QTA < 100"};
    auto query = nuovaQuery(base);
    auto griglia = nuovaGriglia(*query);
    griglia->SQLIniziale = base;
    griglia->CampiIndicizzati = "A;NOME";
    QStringList eventi;
    griglia->OnInizioRicerca = [&](TVEKGrid*) { eventi << "inizio"; };
    griglia->OnFineRicerca = [&](TVEKGrid*) { eventi << "fine"; };
    query->open();
    const auto f5 = [&] { tasto(*griglia, Qt::Key_F5); };
    // F5 on `colonna`, search type `tipo`, `testo` typed and Enter.
    const auto cerca = [&](int colonna, const QString& tipo, const char* testo) {
        griglia->SelezionaColonna(colonna);
        return conDialogo(
            [&](QDialog& d) {
                for (QRadioButton* voce : d.findChildren<QRadioButton*>())
                    if (voce->text() == tipo)
                        voce->click();
                auto* casella = d.findChild<QLineEdit*>("EditStringa");
                QTest::keyClicks(casella, testo);
                QTest::keyClick(casella, Qt::Key_Return);
            },
            f5);
    };
    const auto tutteLeRighe = [&] {
        EXPECT_EQ(query->sql(), base);
        EXPECT_EQ(nomi(*query).size(), 3);
        EXPECT_TRUE(griglia->CondizioneRicerca.isEmpty());
    };

    ASSERT_TRUE(cerca(2, "LIKE %%", "ab"));
    const QString condizione = "AND(UPPER(T.NOME) LIKE '%AB%')";
    EXPECT_EQ(query->sql(), base + QStringList({condizione, "ORDER BY UPPER(T.NOME)"}));
    EXPECT_EQ(nomi(*query), QStringList({"Abaco", "Cabala"}));
    EXPECT_EQ(griglia->CondizioneRicerca, condizione);
    EXPECT_EQ(griglia->ColonnaSelezionata(), 2);
    EXPECT_EQ(archivio.archivio.scalar("SELECT INFO3 FROM STOPOS1").toInt(), RicercaContiene);

    tasto(*griglia, Qt::Key_F6);
    tutteLeRighe();

    // An emptied text leaves no condition for the host to put back when it reopens.
    ASSERT_TRUE(cerca(2, "LIKE %%", "ab"));
    ASSERT_TRUE(cerca(2, "LIKE %%", "a\b"));
    tutteLeRighe();

    // A search the server refuses is told, and the grid shows every row again.
    ASSERT_TRUE(cerca(0, ">=", "x"));
    ASSERT_EQ(interazione.messages().size(), 1);
    EXPECT_EQ(interazione.messages()[0].kind, ScriptedInterazione::Kind::Errore);
    tutteLeRighe();

    // On a large table a column without an index is refused before any dialog.
    griglia->CampiIndicizzati = "A";
    griglia->SelezionaColonna(2);
    EXPECT_FALSE(conDialogo([](QDialog&) {}, f5));
    EXPECT_EQ(interazione.messages().value(1),
              (ScriptedInterazione::Message{ScriptedInterazione::Kind::Informazione,
                                            kMsgCampoNonIndicizzato}));
    EXPECT_EQ(eventi.join(','), QStringLiteral("inizio,fine,").repeated(6).chopped(1));
}

TEST_F(RicercaGriglia, EscShowsAMemoryDatasetWholeAndLeavesATableFiltered) {
    // Searching at every keystroke: memory data have no settings, the table's user asks so.
    archivio.archivio.exec(QStringLiteral("INSERT INTO SETGRID (CODICEUTENTE, CODICEPROGETTO, "
                                          "ABILITATIMERRIC) VALUES (%1, %2, 0)")
                               .arg(kUtente)
                               .arg(kProgetto));
    MemoryDataset memoria;
    memoria.addFieldDef("NOME", FieldType::String, 30);
    memoria.open();
    for (const char* nome : {"Dado", "l'ape", "Cabala", "Abaco"}) {
        memoria.append();
        memoria.fieldByName("NOME")->setValue(QString::fromUtf8(nome));
        memoria.post();
    }
    IbTable tabella;
    tabella.setDatabase(&archivio.db());
    tabella.setTableName("T");
    tabella.open();
    const struct {
        const char* nome;
        Dataset* dati;
        int colonna;
        int dopoEsc;
    } casi[] = {{"Memoria", &memoria, 0, 4}, {"Tabella", &tabella, 2, 2}};
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        auto griglia = nuovaGriglia(*caso.dati);
        griglia->SelezionaColonna(caso.colonna);
        QStringList mentreScrive;
        ASSERT_TRUE(conDialogo(
            [&](QDialog& d) {
                QLineEdit* casella = cercaContiene(d, "ab");
                mentreScrive = nomi(*caso.dati);
                QTest::keyClick(casella, Qt::Key_Escape);
            },
            [&] { tasto(*griglia, Qt::Key_F5); }));
        EXPECT_EQ(mentreScrive, QStringList({"Abaco", "Cabala"}));
        EXPECT_EQ(nomi(*caso.dati).size(), caso.dopoEsc);
        tasto(*griglia, Qt::Key_F6);
        EXPECT_EQ(nomi(*caso.dati).size(), 4);
    }
    EXPECT_TRUE(interazione.messages().isEmpty());
}

} // namespace
