#include "dataset/MemoryDataset.h"
#include "grid/ricerca/ControlloIndice.h"
#include "grid/ricerca/FiltroRicerca.h"
#include "grid/ricerca/RVEKGridForm.h"
#include "platform/ScriptedInterazione.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

TEST(RicercaFiltro, ComparesTheFieldTextWithTheSearchText) {
    const struct {
        const char* nome;
        QString valore;
        CriteriFiltro criteri;
        bool accettato;
    } casi[] = {
        {"SenzaCampoNiente", "Dado", {"", "", true, RicercaMaggioreUguale}, false},
        {"MaggioreUguale", "Dado", {"NOME", "Cab", true, RicercaMaggioreUguale}, true},
        {"MinoreRifiutato", "Abaco", {"NOME", "Cab", true, RicercaMaggioreUguale}, false},
        {"MinuscoleDopoMaiuscole", "abaco", {"NOME", "Cab", false, RicercaMaggioreUguale}, true},
        {"ContieneUpper", "Cabala", {"NOME", "AB", true, RicercaContiene}, true},
        {"ContieneSenzaUpper", "Cabala", {"NOME", "AB", false, RicercaContiene}, false},
        {"IniziaCon", "Cabala", {"NOME", "ca", true, RicercaIniziaCon}, true},
        {"NonIniziaCon", "Cabala", {"NOME", "ab", true, RicercaIniziaCon}, false},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(ValoreAccettato(caso.valore, caso.criteri), caso.accettato);
    }
}

TEST(RicercaIndice, ALargeTableIsSearchedOnlyOnIndexedFields) {
    const struct {
        const char* nome;
        QString campo;
        QString indicizzati;
        bool libero;
        bool ammesso;
    } casi[] = {
        {"Indicizzato", "codice", "DESCRIZIONE;CODICE", false, true},
        {"SoloParteDelNome", "COD", "CODICE;DESCRIZIONE", false, false},
        {"NessunIndice", "CODICE", "", false, false},
        {"TabellaPiccola", "PREZZO", "CODICE", true, true},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        ScriptedInterazione interazione;
        EXPECT_EQ(ControlloIndice(caso.campo, caso.indicizzati, caso.libero, interazione),
                  caso.ammesso);
        EXPECT_EQ(interazione.messages().size(), caso.ammesso ? 0 : 1);
        if (!caso.ammesso) {
            EXPECT_EQ(interazione.messages()[0].text, kMsgCampoNonIndicizzato);
        }
    }
}

// The grid's part for a memory dataset: the filter reads the open dialog; Esc
// switches it off.
TEST(RicercaFiltro, MemoryDatasetNarrowsAsTheUserTypesAndEscShowsAllAgain) {
    MemoryDataset memoria;
    memoria.addFieldDef("NOME", FieldType::String, 30);
    memoria.open();
    for (const char* nome : {"Abaco", "Cabala", "Dado", "l'ape"}) {
        memoria.append();
        memoria.fieldByName("NOME")->setValue(QString::fromUtf8(nome));
        memoria.post();
    }
    ScriptedInterazione interazione;
    TRVEKGridForm dialogo({"Nome", ClasseCampo::Testo, false, false}, interazione);
    dialogo.applica = [&](const RichiestaRicerca&) {
        memoria.setFilter(FiltroRicerca([&] {
            const RichiestaRicerca r = dialogo.Richiesta();
            return CriteriFiltro{"NOME", r.testo, r.upper, r.tipo};
        }));
        memoria.setFiltered(false);
        memoria.setFiltered(true);
    };
    dialogo.annulla = [&] { memoria.setFiltered(false); };
    dialogo.show();

    for (QRadioButton* voce : dialogo.findChildren<QRadioButton*>())
        if (voce->text() == "LIKE %%")
            voce->click();
    auto* testo = dialogo.findChild<QLineEdit*>("EditStringa");
    QTest::keyClicks(testo, "ab");
    EXPECT_EQ(memoria.recordCount(), 2);
    QTest::keyClick(testo, Qt::Key_Escape);
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(memoria.recordCount(), 4);
}

} // namespace
