#include "RicercaArchivio.h"

#include "grid/aspetto/ModelloAspetto.h"
#include "grid/aspetto/PVEKGridForm.h"
#include "grid/aspetto/RipristinoAspetto.h"
#include "platform/ScriptedInterazione.h"

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace mavo;
using namespace mavo::test;

namespace {

const ChiaviGriglia kChiavi{kSituazione, kUtente, kProgetto};
const ChiaviGriglia kAltroUtente{kSituazione, kUtente + 1, kProgetto};
const QStringList kIniziali{"Codice|1|0", "Riga|1|255", "Nome|1|null"};

// The stored layout of a grid over T (and the same for another user), with
// its search dialog's row; the dialog is open on it.
class AspettoDialogo : public testing::Test {
protected:
    AspettoDialogo() {
        for (const ChiaviGriglia& c : {kChiavi, kAltroUtente}) {
            const QString k = QStringLiteral("INSERT INTO %4 VALUES (%1, %2, %3, ")
                                  .arg(c.progetto)
                                  .arg(c.situazione)
                                  .arg(c.utente);
            archivio.archivio.exec({k.arg("STOASP1") + "'A', 40, 0, 'Codice', NULL, 1, 0, 'T.A')",
                                    k.arg("STOASP1") + "'B', 40, 1, 'Riga', NULL, 1, 255, 'T.B')",
                                    k.arg("STOASP1") + "'NOME', 90, 2, 'Nome', 1, 1, NULL, 'T.N')",
                                    k.arg("STOPOS1") + "10, 20, 300, 200, 0, 0, 0, 1)"});
        }
        proprietario.setFont(QFont("Sans", 14));
        form = std::make_unique<TPVEKGridForm>(&proprietario, "STOASP1", kChiavi, archivio.db(),
                                               interazione);
        form->show();
    }

    QTableView& griglia() { return *form->findChild<QTableView*>("DBGrid1"); }
    ModelloAspetto& modello() { return *static_cast<ModelloAspetto*>(griglia().model()); }
    void clic(const char* pulsante) { form->findChild<QPushButton*>(pulsante)->click(); }
    // Title|visibility|colour of each stored row of `chiavi`, by position.
    QStringList righe(const ChiaviGriglia& chiavi = kChiavi) {
        db::Transaction transazione(&archivio.db());
        db::Statement s(&archivio.db(), &transazione);
        s.setSql(QStringList{"SELECT NOMECOLONNA, VISIBILE, COLORECOLONNA FROM STOASP1"} +
                 RigheChiave(chiavi) + QStringList{"ORDER BY POSIZIONE"});
        s.execute();
        QStringList righe;
        while (s.fetch())
            righe << QStringList{s.value(0).toString(), s.value(1).toString(),
                                 s.isNull(2) ? "null" : s.value(2).toString()}
                         .join('|');
        transazione.commit();
        return righe;
    }
    // Clicks "Aspetto Base" and answers its warning with `risposta`.
    void aspettoBase(const QString& risposta) {
        QTimer::singleShot(0, [risposta] {
            QWidget* avviso = QApplication::activeModalWidget();
            ASSERT_TRUE(avviso && avviso->windowTitle() == "Avviso");
            for (QPushButton* p : avviso->findChildren<QPushButton*>())
                if (p->text() == risposta)
                    p->click();
        });
        clic("ButtonAspettoBase");
    }

    ArchivioProva archivio;
    ScriptedInterazione interazione;
    QWidget proprietario;
    std::unique_ptr<TPVEKGridForm> form;
};

TEST_F(AspettoDialogo, OnlyTitleAndVisibilityAreEditedInPlace) {
    EXPECT_EQ(form->windowTitle(), "Personalizzazione Griglia");
    EXPECT_EQ(form->font().pointSize(), 10);
    ModelloAspetto& m = modello();
    ASSERT_EQ(m.rowCount(), 3);
    const QStringList modificabili{"NOMECOLONNA", "VISIBILE"};
    for (int c = 0; c < m.columnCount(); ++c) {
        const QString campo = m.fieldAt(c)->fieldName();
        EXPECT_EQ(bool(m.flags(m.index(0, c)) & Qt::ItemIsEditable), modificabili.contains(campo))
            << campo.toStdString();
        EXPECT_EQ(griglia().isColumnHidden(c), campo == "POSIZIONE") << campo.toStdString();
    }
    EXPECT_TRUE(m.setData(m.index(2, 1), "Descrizione"));
    EXPECT_TRUE(m.setData(m.index(1, 3), 0));
    EXPECT_FALSE(m.setData(m.index(0, 0), "ALTRO"));
    EXPECT_EQ(righe(), kIniziali);
    clic("ButtonChiudi");
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(righe(), (QStringList{"Codice|1|0", "Riga|0|255", "Descrizione|1|null"}));
    EXPECT_EQ(righe(kAltroUtente), kIniziali);
}

TEST_F(AspettoDialogo, ColourButtonsStoreAndPaintTheColour) {
    const QColor scelto(0x11, 0x22, 0x33);
    QColor proposto;
    form->scegliColore = [&](const QColor& iniziale, QWidget*) {
        proposto = iniziale;
        return scelto;
    };
    const QModelIndex riga = griglia().model()->index(1, 2);
    const QModelIndex nome = griglia().model()->index(2, 2);
    const auto dipinto = [this](const QModelIndex& cella) {
        return griglia().viewport()->grab().toImage().pixelColor(
            griglia().visualRect(cella).center());
    };
    EXPECT_EQ(dipinto(riga), QColor(255, 0, 0));
    griglia().setCurrentIndex(riga);
    clic("SpeedButton1");
    EXPECT_EQ(proposto, QColor(255, 0, 0));
    EXPECT_EQ(dipinto(riga), scelto);
    griglia().setCurrentIndex(nome);
    clic("SpeedButton1");
    clic("ButtonColoreDefault");
    EXPECT_EQ(dipinto(nome), griglia().palette().color(QPalette::Base));
    clic("ButtonChiudi");
    EXPECT_EQ(righe(), (QStringList{"Codice|1|0", "Riga|1|3351057", "Nome|1|null"}));
}

TEST_F(AspettoDialogo, CancelOnTheWarningChangesNothing) {
    int ripristini = 0;
    form->ripristinaAspetto = [&] { ++ripristini; };
    modello().setData(modello().index(0, 1), "Articolo");
    aspettoBase("Cancel");
    EXPECT_EQ(ripristini, 0);
    EXPECT_EQ(archivio.archivio.scalar("SELECT COUNT(*) FROM STOPOS1").toInt(), 2);
    clic("ButtonChiudi");
    EXPECT_EQ(righe(), (QStringList{"Articolo|1|0", "Riga|1|255", "Nome|1|null"}));
}

TEST_F(AspettoDialogo, OkDropsTheEditsAndListsTheRestoredRows) {
    form->ripristinaAspetto = [this] {
        // The grid's part: forget the layout, then store the default one of its data.
        EliminaAspetto(archivio.db(), "STOASP1", "STOPOS1", kChiavi);
        archivio.archivio.exec(QStringLiteral("INSERT INTO STOASP1 VALUES (%1, %2, %3, 'A', 64, 0, "
                                              "'A', NULL, 1, NULL, 'T.A')")
                                   .arg(kProgetto)
                                   .arg(kSituazione)
                                   .arg(kUtente));
    };
    modello().setData(modello().index(0, 1), "Articolo");
    aspettoBase("OK");
    EXPECT_TRUE(interazione.messages().isEmpty());
    EXPECT_EQ(modello().rowCount(), 1);
    EXPECT_EQ(righe(), QStringList{"A|1|null"});
    EXPECT_EQ(righe(kAltroUtente), kIniziali);
    EXPECT_EQ(archivio.archivio.scalar("SELECT COUNT(*) FROM STOPOS1").toInt(), 1);
}

} // namespace
