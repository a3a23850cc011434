#include "FinestraNetti.h"

#include "grid/VEKGrid.h"
#include "support/Gesti.h"
#include "support/TestDb.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;

namespace {

// The preview grid of the window, driven with keys and the mouse: its search
// and sort reopen the window's own query.
class FinestraGriglia : public FinestraNetti {
protected:
    // The demo's sample supplier file, chosen in the window.
    void importa() {
        port.queueFile(ambiente.fileFornitore);
        finestra->ButtonSelezionaFile->click();
    }
    TVEKGrid& griglia() { return *finestra->GridAnteprima; }
    int colonnaDi(const char* campo) {
        return finestra->QueryAnteprima.fieldByName(campo)->index();
    }
    int tag() { return griglia().property("tag").toInt(); }

    // What the grid shows in the field's column, top to bottom.
    QStringList colonna(const char* campo) {
        QAbstractItemModel& righe = *griglia().model();
        while (righe.canFetchMore({}))
            righe.fetchMore({});
        QStringList valori;
        for (int r = 0; r < righe.rowCount(); ++r)
            valori << righe.index(r, colonnaDi(campo)).data().toString();
        return valori;
    }

    // F5 on the field's column, `tipo` chosen, `testo` typed, then `invio`
    // presses Enter in the search box. Returns the grid's tag while the
    // dialog was open.
    int cerca(const char* campo, const QString& tipo, const QString& testo,
              const std::function<void(QLineEdit&)>& invio) {
        griglia().SelezionaColonna(colonnaDi(campo));
        int tagInRicerca = -1;
        const bool aperto = conDialogo(
            [&](QDialog& dialogo) {
                tagInRicerca = tag();
                for (QRadioButton* voce : dialogo.findChildren<QRadioButton*>())
                    if (voce->text() == tipo)
                        QTest::mouseClick(voce, Qt::LeftButton);
                auto* casella = dialogo.findChild<QLineEdit*>("EditStringa");
                QTest::keyClicks(casella, testo);
                invio(*casella);
            },
            [&] { tasto(griglia(), Qt::Key_F5); });
        EXPECT_TRUE(aperto);
        return tagInRicerca;
    }
    static void premiInvio(QLineEdit& casella) { QTest::keyClick(&casella, Qt::Key_Return); }

    // What the user was warned of or told had failed, in order.
    QStringList problemi() const {
        QStringList testi;
        for (const ScriptedInterazione::Message& m : port.messages())
            if (m.kind == ScriptedInterazione::Kind::Avviso ||
                m.kind == ScriptedInterazione::Kind::Errore)
                testi << m.text;
        return testi;
    }

    // Field name and ORDINAMENTO of every stored layout row that carries a sort.
    QString ordinamentoMemorizzato() {
        return scalarOn(*archivio, "SELECT LIST(TRIM(NOMECAMPO) || '=' || ORDINAMENTO) "
                                   "FROM STOASP1 WHERE ORDINAMENTO IS NOT NULL AND " +
                                       chiaviAspetto)
            .toString();
    }
};

TEST_F(FinestraGriglia, SearchAndTitleSortRunOnThePreviewAndTheSortOutlivesTheWindow) {
    apri();
    importa();
    const QStringList codici = colonna("CODICE");
    ASSERT_EQ(codici.size(), righeStaging());
    const QString prefisso = "NT001";
    const qint64 conPrefisso = conta(
        "SELECT COUNT(*) FROM MANUTENZIONENETTI WHERE CODICE STARTING WITH '" + prefisso + "'");
    ASSERT_GT(conPrefisso, 1);
    ASSERT_LT(conPrefisso, codici.size());

    // The search reopens the preview with its condition: the window leaves
    // the statement alone while the tag is up.
    ASSERT_EQ(tag(), 0);
    EXPECT_EQ(cerca("CODICE", "LIKE %", prefisso, premiInvio), 1);
    EXPECT_EQ(tag(), 0);
    const QStringList trovati = colonna("CODICE");
    EXPECT_EQ(trovati.size(), conPrefisso);
    EXPECT_TRUE(std::all_of(trovati.begin(), trovati.end(),
                            [&](const QString& codice) { return codice.startsWith(prefisso); }));
    const QStringList ricerca{"AND(UPPER(MANUTENZIONENETTI.CODICE) LIKE '" + prefisso + "%')",
                              "ORDER BY UPPER(MANUTENZIONENETTI.CODICE)"};
    EXPECT_EQ(finestra->QueryAnteprima.sql(), istruzioneAnteprima + ricerca);

    tasto(griglia(), Qt::Key_F6);
    EXPECT_EQ(tag(), 0);
    EXPECT_EQ(colonna("CODICE"), codici);
    EXPECT_EQ(senzaOrdinamento(finestra->QueryAnteprima.sql()), istruzioneAnteprima);

    doppioClicTitolo(griglia(), colonnaDi("DESCRIZIONE"));
    const QStringList descrizioni = colonna("DESCRIZIONE");
    EXPECT_EQ(descrizioni.size(), codici.size());
    EXPECT_TRUE(std::is_sorted(descrizioni.begin(), descrizioni.end()));
    EXPECT_NE(colonna("CODICE"), codici);
    EXPECT_EQ(ordinamentoMemorizzato(), "DESCRIZIONE=1");

    // The same user's next window finds the sort stored and orders its preview by it.
    finestra->ButtonChiudi->click();
    apri();
    const QStringList ordinata =
        istruzioneAnteprima + QStringList{"ORDER BY MANUTENZIONENETTI.DESCRIZIONE"};
    EXPECT_EQ(finestra->QueryAnteprima.sql(), ordinata);
    importa();
    EXPECT_EQ(finestra->QueryAnteprima.sql(), ordinata);
    EXPECT_EQ(colonna("DESCRIZIONE"), descrizioni);
    EXPECT_EQ(ordinamentoMemorizzato(), "DESCRIZIONE=1");
    EXPECT_EQ(problemi(), QStringList());
}

TEST_F(FinestraGriglia, ASearchTheServerRefusesIsToldThroughTheWindowsPort) {
    apri();
    importa();
    const qint64 righe = righeStaging();
    ASSERT_EQ(problemi(), QStringList());

    // Letters against the price: the server cannot convert them. The failure
    // must reach the window's port: no box of the grid's own may open.
    const auto invioSenzaRiquadri = [](QLineEdit& casella) {
        EXPECT_FALSE(conDialogo([](QDialog&) {}, [&] { premiInvio(casella); }));
    };
    EXPECT_EQ(cerca("PREZZO", ">=", "x", invioSenzaRiquadri), 1);
    ASSERT_EQ(problemi().size(), 1);
    EXPECT_EQ(port.messages().last().kind, ScriptedInterazione::Kind::Errore);
    EXPECT_EQ(tag(), 0);
    EXPECT_EQ(colonna("CODICE").size(), righe);
    EXPECT_TRUE(griglia().CondizioneRicerca.isEmpty());
}

} // namespace
