#include "ContestoFixture.h"

#include "dataset/IbQuery.h"
#include "dataset/MemoryDataset.h"

#include <QLibrary>

namespace mavo::test {
namespace {

// What the test library was given, read through its own exports.
template <typename T> T daLibreria(const char* funzione) {
    QLibrary libreria("libZorq.so");
    EXPECT_TRUE(libreria.load()) << libreria.errorString().toStdString();
    return reinterpret_cast<T (*)()>(libreria.resolve(funzione))();
}

class Librerie : public ContestoTest {};

TEST_F(Librerie, AFunctionOfAnotherLibraryGetsItsArgument) {
    TTabXForm& contesto = crea();
    const struct {
        const char* libreria;
        const char* funzione;
        int32_t argomento, atteso;
    } casi[] = {
        {"Zorq.dll", "Avvia", 41, 41}, // a Windows name finds libZorq.so
        {"libZorq.so", "Avvia", -7, -7},
        {"Zorq.dll", "NessunaFunzione", 5, -7}, // nothing happens
        {"NessunaLibreria.dll", "Avvia", 6, -7},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.libreria + std::string(" ") + c.funzione);
        contesto.AvviaFunzXDll(c.libreria, c.funzione, c.argomento);
        EXPECT_EQ(daLibreria<int32_t>("UltimoArgomento"), c.atteso);
    }
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Librerie, ThePrintLibraryGetsTheDatasetAndAUsableContext) {
    TTabXForm& contesto = crea();
    contesto.Inserisci("TVD", "TitoloStampa", {}, {}, {}, {}, {}, {}, {});
    contesto.Inserisci("TVD", "NomeReport", {}, {}, {}, {}, {}, {}, {});
    IbQuery query;
    MemoryDataset memoria;
    contesto.LanciaStampaConDll("Listino", "LISTINO.RPT", query);
    EXPECT_EQ(daLibreria<const void*>("UltimoDataset"), &query);
    EXPECT_EQ(daLibreria<const void*>("UltimoContesto"), &contesto);
    EXPECT_EQ(*daLibreria<const QString*>("UltimoTitolo"), "Listino|TIBQuery");
    EXPECT_EQ(contesto.GetV("NomeReport"), "LISTINO.RPT");

    contesto.LanciaStampaConDll("Memoria", "M.RPT", memoria);
    EXPECT_EQ(*daLibreria<const QString*>("UltimoTitolo"), "Memoria|TRxMemoryData");
    EXPECT_TRUE(port.messages().isEmpty());

    contesto.LanciaStampaConDll("Guasto", "G.RPT", memoria);
    EXPECT_EQ(port.messages(),
              QList<Message>({{Kind::Errore, "Errore nell'accesso alla DLL Zorq delle stampe"}}));
}

TEST_F(Librerie, FormScriptsAreWrittenOnceUnlessForced) {
    TTabXForm& contesto = crea();
    const auto script = [&] {
        return valoreUtenti("SELECT CAST(SCRIPT AS VARCHAR(100)) FROM TABSCRIPT "
                            "WHERE PROGETTO='P''1' AND UTENTE='D''AMICO'")
            .toString();
    };
    contesto.IniScriptForm("P'1", "F", "2", "D'AMICO", "primo", "0");
    EXPECT_EQ(script(), "primo");
    contesto.IniScriptForm("P'1", "F", "2", "D'AMICO", "secondo", "0");
    EXPECT_EQ(script(), "primo");
    contesto.IniScriptForm("P'1", "F", "2", "D'AMICO", "l'ultimo", "1");
    EXPECT_EQ(script(), "l'ultimo");
    EXPECT_EQ(valoreUtenti("SELECT COUNT(*) FROM TABSCRIPT").toInt(), 1);
}

} // namespace
} // namespace mavo::test
