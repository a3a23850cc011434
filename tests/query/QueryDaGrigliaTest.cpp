#include "FormQuery.h"
#include "netprices/FinestraNetti.h"

#include "grid/VEKGrid.h"
#include "host/demo/DemoEnvironment.h"
#include "query/form/ui/ApriQuery.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"

#include <QPushButton>
#include <QTest>

using namespace mavo;
using namespace mavo::test;

namespace {

qint64 connessioniAperte(db::Database& database) {
    return scalarOn(database, "SELECT COUNT(*) FROM MON$ATTACHMENTS").toLongLong();
}

QStringList nomiDefinizione(TIBLQueryForm& form) {
    QStringList nomi;
    for (const RigaDefinizione& r : form.LeggiRighe())
        nomi << QStringLiteral("%1 %2").arg(r.Nome).arg(r.Mostra) + r.Condizione;
    return nomi;
}

class QueryDallaFinestra : public FinestraNetti {
protected:
    void SetUp() override {
        FinestraNetti::SetUp();
        InstallaQueryNelleGriglie();
    }
    void TearDown() override {
        TVEKGrid::InstallaApriQuery({});
        FinestraNetti::TearDown();
    }
};

TEST_F(QueryDallaFinestra, F8OpensTheToolOnTheStagingTableOnAConnectionOfItsOwn) {
    TSincroPrezziNettiForm& finestra = apri();
    for (const char* riga :
         {"('A1', 'Vite M6', 1.5)", "('A2', 'Dado M6', 0.2)", "('B1', 'Vite M8', 2)"})
        execOn(*archivio, QStringLiteral("INSERT INTO MANUTENZIONENETTI VALUES ") + riga);
    const qint64 prima = connessioniAperte(*archivio);

    const bool aperto = conDialogo(
        [&](QDialog& dialogo) {
            auto* form = dynamic_cast<TIBLQueryForm*>(&dialogo);
            ASSERT_TRUE(form);
            EXPECT_EQ(form->windowTitle(), "Query - Ditta: " + DittaDemo);
            EXPECT_EQ(nomiDefinizione(*form),
                      QStringList({"CODICE 1", "DESCRIZIONE 1", "PREZZO 1"}));
            // The grid's user, so that two users' stored answers never meet.
            EXPECT_EQ(form->Utente(), UtenteDemo);
            EXPECT_EQ(connessioniAperte(*archivio), prima + 1);

            scriviCondizione(*form, "DESCRIZIONE", "vite");
            clic(*form->ButtonEseguiInterrogazione);
            EXPECT_TRUE(form->VistaRisposta());
            EXPECT_EQ(colonnaRisposta(*form, "CODICE"), QStringList({"A1", "B1"}));
            clic(*form->ButtonRitornaQuery);
            EXPECT_FALSE(form->VistaRisposta());
            clic(*form->ButtonChiudi);
            EXPECT_FALSE(form->isVisible());
        },
        [&] { tasto(*finestra.GridAnteprima, Qt::Key_F8); });
    ASSERT_TRUE(aperto);
    EXPECT_EQ(connessioniAperte(*archivio), prima);
    EXPECT_TRUE(port.messages().isEmpty());
}

// Grids over each kind of data source, on an archive with the grids'
// settings tables and ART (COD, NOME VARCHAR(5), PREZZO, DATA).
class QueryDallaGriglia : public testing::Test {
protected:
    void SetUp() override {
        CreaSchemaArchivio(archivio.db());
        archivio.exec({"CREATE TABLE ART (COD INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(5), "
                       "PREZZO NUMERIC(15,2), DATA DATE)",
                       "INSERT INTO ART VALUES (1, 'prima', 1, '2020-01-01')"});
        InstallaQueryNelleGriglie();
    }
    void TearDown() override { TVEKGrid::InstallaApriQuery({}); }

    std::unique_ptr<TVEKGrid> griglia(Dataset& dati) {
        auto g = std::make_unique<TVEKGrid>();
        g->setInterazione(&port);
        g->Utente = 4;
        g->setDataset(&dati);
        g->Loaded();
        g->SetSorgenteDati(&dati);
        g->show();
        return g;
    }

    // F8 in the grid: the table the tool opened on and its user, "" when
    // it did not open.
    QString f8(TVEKGrid& g) {
        QString aperta;
        conDialogo(
            [&](QDialog& dialogo) {
                auto& form = dynamic_cast<TIBLQueryForm&>(dialogo);
                aperta =
                    form.TabellaPrincipale().tableName() + '/' + QString::number(form.Utente());
                form.ButtonChiudi->click();
            },
            [&] { tasto(g, Qt::Key_F8); });
        return aperta;
    }

    QString righeArt() {
        return archivio
            .scalar("SELECT LIST(COD || ':' || NOME || ':' || COALESCE(PREZZO, '-') || ':' || "
                    "COALESCE(DATA, '-'), ' ') FROM (SELECT * FROM ART ORDER BY COD)")
            .toString();
    }

    TestDb archivio;
    ScriptedInterazione port;
};

TEST_F(QueryDallaGriglia, AQueryOrATableHandsItsMainTable) {
    const struct {
        const char* caso;
        const char* tabellaPrincipale;
        const char* sql;
        const char* attesa;
    } casi[] = {
        {"tabella della query", "", "SELECT * FROM \"ART\"", "ART/4"},
        {"tabella principale", "ART", "SELECT COD, NOME FROM ART WHERE COD > 0", "ART/4"},
        {"nessuna tabella", "", "SELECT * FROM ART", ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        IbQuery query;
        query.setDatabase(&archivio.db());
        query.setSql({c.sql});
        auto g = griglia(query);
        g->TabellaPrincipale = c.tabellaPrincipale;
        g->SQLIniziale = QStringList(c.sql);
        query.open();
        EXPECT_EQ(f8(*g), c.attesa);
    }
    IbTable tabella;
    tabella.setDatabase(&archivio.db());
    tabella.setTableName("ART");
    auto g = griglia(tabella);
    tabella.open();
    EXPECT_EQ(f8(*g), "ART/4");
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(QueryDallaGriglia, AMemoryDatasetIsCopiedAsTypedValuesOrNotAtAll) {
    MemoryDataset memoria;
    memoria.addFieldDef("COD", FieldType::Integer);
    memoria.addFieldDef("NOME", FieldType::String, 20);
    memoria.addFieldDef("PREZZO", FieldType::Float);
    memoria.addFieldDef("DATA", FieldType::Date);
    memoria.open();
    const auto aggiungi = [&](int cod, const QString& nome, const QVariant& prezzo,
                              const QVariant& data) {
        memoria.append();
        memoria.fieldByName("COD")->setValue(cod);
        memoria.fieldByName("NOME")->setValue(nome);
        memoria.fieldByName("PREZZO")->setValue(prezzo);
        memoria.fieldByName("DATA")->setValue(data);
        memoria.post();
    };
    aggiungi(2, "Dado", 1234.5, QDate(2024, 12, 5));
    aggiungi(3, "Vite", QVariant(), QVariant());
    IbTable appoggio;
    appoggio.setDatabase(&archivio.db());
    appoggio.setTableName("ART");
    auto g = griglia(memoria);
    g->TabellaAppoggio = &appoggio;

    // Without a main table there is nothing to hand over.
    EXPECT_EQ(f8(*g), "");
    EXPECT_EQ(righeArt(), "1:prima:1.00:2020-01-01");

    g->TabellaPrincipale = "ART";
    // The grid's columns moved: values still go by their field.
    memoria.moveField(memoria.fieldByName("DATA"), 0);
    EXPECT_EQ(f8(*g), "ART/4");
    EXPECT_EQ(righeArt(), "2:Dado:1234.50:2024-12-05 3:Vite:-:-");
    EXPECT_TRUE(port.messages().isEmpty());

    // A value the table cannot take: the table keeps what it had.
    aggiungi(4, "Troppo lungo", 1, QDate(2024, 1, 1));
    EXPECT_EQ(f8(*g), "");
    EXPECT_EQ(righeArt(), "2:Dado:1234.50:2024-12-05 3:Vite:-:-");
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages()[0].kind, ScriptedInterazione::Kind::Errore);
}

} // namespace
