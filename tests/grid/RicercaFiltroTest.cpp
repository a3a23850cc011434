#include "grid/ricerca/ControlloIndice.h"
#include "grid/ricerca/FiltroRicerca.h"
#include "grid/ricerca/SqlRicerca.h"
#include "platform/ScriptedInterazione.h"

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

} // namespace
