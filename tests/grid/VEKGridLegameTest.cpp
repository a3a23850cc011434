#include "ArchivioGriglia.h"

#include "dataset/IbTable.h"
#include "dataset/MemoryDataset.h"

using namespace mavo;
using namespace mavo::test;

namespace {

// A handler of the host's: notes its call, and may give a column a title of its own.
struct GestoreOspite {
    QStringList* registro;
    QString voce;
    void operator()(Dataset& dati) const {
        *registro << voce;
        if (voce == u"dopo")
            dati.fieldByName("CODICE")->setDisplayLabel("OSPITE");
    }
};

// A query of a class of its own: the grid must not take it for one it knows.
class QueryDerivata : public IbQuery {
public:
    QString className() const override { return QStringLiteral("TIBQueryDerivata"); }
};

bool gestoriOspite(const Dataset& dati) {
    return dati.beforeOpen().target<GestoreOspite>() && dati.afterOpen().target<GestoreOspite>();
}

class LegameGriglia : public ArchivioGriglia {};

TEST_F(LegameGriglia, AnotherClassGetsNoHandlersAndKeepsTheKind) {
    MemoryDataset memoria;
    auto griglia = nuovaGriglia(memoria);
    ASSERT_EQ(griglia->TipoTabella(), TVEKGrid::TipoMemoria);

    QStringList registro;
    QueryDerivata derivata;
    derivata.setDatabase(&archivio.db());
    derivata.setSql({"SELECT * FROM ARTICOLI"});
    derivata.setBeforeOpen(GestoreOspite{&registro, "prima"});
    derivata.setAfterOpen(GestoreOspite{&registro, "dopo"});
    memorizzaRiga("CODICE", 0, 80, "Codice articolo");
    griglia->setDataset(&derivata);
    griglia->SetSorgenteDati(&derivata);

    EXPECT_EQ(griglia->TipoTabella(), TVEKGrid::TipoMemoria);
    EXPECT_TRUE(gestoriOspite(derivata));
    EXPECT_FALSE(memoria.beforeOpen() || memoria.afterOpen()); // given back
    derivata.open();
    EXPECT_EQ(registro, QStringList({"prima", "dopo"}));
    EXPECT_EQ(griglia->TitoloColonna(0), "OSPITE"); // no stored layout applied
}

TEST_F(LegameGriglia, BindingTwiceKeepsOneGridHandlerAfterTheHosts) {
    QStringList registro;
    query->setBeforeOpen(GestoreOspite{&registro, "prima"});
    query->setAfterOpen(GestoreOspite{&registro, "dopo"});
    memorizzaRiga("CODICE", 0, 80, "Codice articolo");
    auto griglia = nuovaGriglia(*query);
    griglia->SetSorgenteDati(query.get());
    EXPECT_EQ(griglia->TipoTabella(), TVEKGrid::TipoQuery);

    query->open();
    EXPECT_EQ(registro, QStringList({"prima", "dopo"}));
    // The grid's layout came after the host's title.
    EXPECT_EQ(griglia->TitoloColonna(0), "Codice articolo");

    // Rebinding elsewhere gives the query back exactly the host's handlers.
    MemoryDataset memoria;
    griglia->SetSorgenteDati(&memoria);
    EXPECT_TRUE(gestoriOspite(*query));
    query->close();
    registro.clear();
    query->open();
    EXPECT_EQ(registro, QStringList({"prima", "dopo"}));
    EXPECT_EQ(griglia->TitoloColonna(0), "OSPITE");
}

TEST_F(LegameGriglia, DestroyingTheGridGivesTheHandlersBack) {
    QStringList registro;
    query->setBeforeOpen(GestoreOspite{&registro, "prima"});
    query->setAfterOpen(GestoreOspite{&registro, "dopo"});
    nuovaGriglia(*query).reset();
    EXPECT_TRUE(gestoriOspite(*query));
    query->open();
    EXPECT_EQ(registro, QStringList({"prima", "dopo"}));
}

TEST_F(LegameGriglia, ReadsTheGridSettingsOfTheUser) {
    const struct {
        const char* caso;
        const char* riga; // values of SETGRID after the keys, or none
        TColor record, indicizzati, ordinato;
        bool aTempo, sempre;
    } casi[] = {
        {"senza riga", nullptr, clSfondo, clGiallo, clRosso, true, false},
        {"colonne a zero", "0, 0, 0, 0, 0", clSfondo, clGiallo, clRosso, false, false},
        {"valori propri", "255, 65280, 16711680, 1, 1", 0x0000FF, 0x00FF00, 0xFF0000, true, true},
        {"colore di sistema", "2147483653, 1, 1, 2, 2", clWindow, 1, 1, false, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        archivio.exec("DELETE FROM SETGRID");
        if (c.riga)
            archivio.exec(QStringLiteral("INSERT INTO SETGRID VALUES(%1, %2, %3)")
                              .arg(UtenteProva)
                              .arg(ProgettoProva)
                              .arg(c.riga));
        auto griglia = nuovaGriglia(*query);
        EXPECT_EQ(griglia->ColoreRecordSelezionato(), c.record);
        EXPECT_EQ(griglia->ColoreCampiIndicizzati(), c.indicizzati);
        EXPECT_EQ(griglia->ColoreCampoOrdinato(), c.ordinato);
        EXPECT_EQ(griglia->RicercaATempo(), c.aTempo);
        EXPECT_EQ(griglia->RicercaSempre(), c.sempre);
    }
}

TEST_F(LegameGriglia, ReadsWhetherTheLayoutMemoryIsSwitchedOff) {
    const struct {
        const char* caso;
        const char* testo; // TESTO of the user's row, or none
        bool senzaTabella;
        bool disabilitata;
    } casi[] = {
        {"uno con spazi", " 1 ", false, true},
        {"zero", "0", false, false},
        {"non numerico", "si", false, false},
        {"senza tabella", nullptr, true, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        archivio.exec("DELETE FROM TABX");
        if (c.testo)
            archivio.exec(QStringLiteral("INSERT INTO TABX (CODICE, NOME, TESTO, UTENTE) "
                                         "VALUES(1, 'DisabilitaMemPosGriglie', '%1', %2)")
                              .arg(c.testo)
                              .arg(UtenteProva));
        if (c.senzaTabella)
            archivio.exec("DROP TABLE TABX");
        EXPECT_EQ(nuovaGriglia(*query)->MemoriaAspettoDisabilitata(), c.disabilitata);
    }
}

TEST_F(LegameGriglia, LayoutMemorySwitchedOffWorksOnTheNegativeCode) {
    archivio.exec(QStringLiteral("INSERT INTO TABX (CODICE, NOME, TESTO, UTENTE) "
                                 "VALUES(1, 'DisabilitaMemPosGriglie', '1', %1)")
                      .arg(UtenteProva));
    memorizzaRiga("CODICE", 0, 90, "Codice del giorno prima");
    auto griglia = nuovaGriglia(*query);
    query->open();

    // The user's layout is loaded once, then copied under the negative code.
    EXPECT_EQ(griglia->TitoloColonna(0), "Codice del giorno prima");
    EXPECT_EQ(griglia->Situazione(), SituazioneProva);
    EXPECT_EQ(righeAspetto(-SituazioneProva).size(), 4);

    griglia->SetLarghezzaColonna(0, 33);
    griglia->SalvaAspetto();
    EXPECT_EQ(righeAspetto(-SituazioneProva).value(0).value("LARGHEZZA"), 33);
    const QVector<QVariantHash> utente = righeAspetto(SituazioneProva);
    ASSERT_EQ(utente.size(), 1);
    EXPECT_EQ(utente[0].value("LARGHEZZA"), 90);
}

TEST_F(LegameGriglia, TableSourceComputesItsIndexedFields) {
    archivio.exec("CREATE INDEX ARTICOLI_DESCRIZIONE ON ARTICOLI (DESCRIZIONE, PREZZO)");
    IbTable tabella;
    tabella.setDatabase(&archivio.db());
    tabella.setTableName("ARTICOLI");
    auto griglia = nuovaGriglia(tabella);
    EXPECT_EQ(griglia->TipoTabella(), TVEKGrid::TipoTabellaDb);
    tabella.open();
    EXPECT_EQ(griglia->CampiIndicizzati, "CODICE;DESCRIZIONE;PREZZO");
    EXPECT_EQ(griglia->ColoreTitolo(1), clGiallo);
    EXPECT_EQ(griglia->ColoreTitolo(3), clBtnFace);
}

} // namespace
