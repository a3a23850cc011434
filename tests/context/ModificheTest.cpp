#include "ContestoFixture.h"

#include "context/PulsanteSalva.h"
#include "context/ui/SpeedButtonSalva.h"
#include "dataset/DatasetModel.h"
#include "dataset/IbTable.h"
#include "db/DatabaseError.h"

#include <QDir>
#include <QTableView>

namespace mavo::test {
namespace {

struct PulsanteProva : PulsanteSalva {
    int tag = 0;
    QString immagine;
    int Tag() const override { return tag; }
    void Imposta(int t, const QString& i) override {
        tag = t;
        immagine = i;
    }
};

// An editing window's table ART (key ID), its own no-wait transaction as the
// company archive's, and another user on a connection of his own.
class Modifiche : public ContestoTest {
protected:
    void SetUp() override {
        ContestoTest::SetUp();
        archivio.exec("CREATE TABLE ART (ID INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(20))");
        transazione.setParams({"isc_tpb_concurrency", "isc_tpb_nowait"});
        query.setDatabase(&archivio.db());
        query.setTransaction(&transazione);
        query.setSql({"SELECT * FROM ART ORDER BY ID"});
        query.setUpdateObject(&aggiornamento);
        altro.setDatabaseName(archivio.path());
        altro.connect();
        crea();
    }
    void TearDown() override {
        query.close();
        ContestoTest::TearDown();
    }

    QList<int> chiavi() {
        QList<int> elenco;
        const QVariant tutte =
            archivio.scalar("SELECT LIST(ID, ',') FROM (SELECT ID FROM ART ORDER BY ID)");
        for (const QString& c : tutte.toString().split(u',', Qt::SkipEmptyParts))
            elenco << c.toInt();
        return elenco;
    }
    void apri(std::initializer_list<int> righe) {
        for (int id : righe)
            archivio.exec(QStringLiteral("INSERT INTO ART VALUES (%1, 'A%1')").arg(id));
        contesto->AggiornaTabella(query, 0, false);
    }

    TestDb archivio;
    db::Transaction transazione{&archivio.db()};
    IbQuery query;
    UpdateSql aggiornamento{{"UPDATE ART SET NOME=:NOME WHERE ID=:OLD_ID"},
                            {"INSERT INTO ART (ID, NOME) VALUES (:ID, :NOME)"},
                            {"DELETE FROM ART WHERE ID=:OLD_ID"}};
    db::Database altro;
    PulsanteProva pulsante;
    Dataset::Bookmark segnalibro = 0;
    bool valido = false;
};

TEST_F(Modifiche, NewKeysFromTheLastTheMaximumAndGenerators) {
    apri({});
    contesto->NuovoIntSuMax(query, segnalibro, valido, pulsante, "ART");
    contesto->NuovoIntSuLast(query, segnalibro, valido, pulsante);
    EXPECT_EQ(chiavi(), QList<int>({1, 2}));

    EXPECT_TRUE(contesto->CreaGeneratore(query, segnalibro, valido, pulsante, "G_ART"));
    EXPECT_FALSE(contesto->CreaGeneratore(query, segnalibro, valido, pulsante, "G_ART"));
    EXPECT_TRUE(contesto->CheckGeneratore(query, "G_ART"));
    EXPECT_FALSE(contesto->CheckGeneratore(query, "G_NESSUNO"));
    EXPECT_TRUE(contesto->SetGeneratore(query, segnalibro, valido, pulsante, "G_ART", "10"));
    EXPECT_FALSE(contesto->SetGeneratore(query, segnalibro, valido, pulsante, "G_ART", "1; DROP"));

    // Posted but waiting for the save: the button says so.
    contesto->NuovoIntSuGeneratore(query, segnalibro, valido, pulsante, "G_ART");
    EXPECT_EQ(pulsante.tag, 1);
    EXPECT_TRUE(pulsante.immagine.endsWith("Grafica\\Rosso.bmp"));
    EXPECT_EQ(chiavi(), QList<int>({1, 2}));
    contesto->ChiudiTransazione(query, segnalibro, valido, pulsante);
    EXPECT_EQ(pulsante.tag, 0);
    EXPECT_TRUE(pulsante.immagine.endsWith("Grafica\\Verde.bmp"));
    contesto->NuovoIntSuGenSQL(query, segnalibro, valido, pulsante, "G_ART", "ART");
    EXPECT_EQ(chiavi(), QList<int>({1, 2, 11, 12}));
    EXPECT_EQ(query.recNo(), 0);
}

TEST_F(Modifiche, DeletingWhenAnotherUserDeletedOrHoldsTheRow) {
    apri({1, 2, 3});
    query.moveTo(1);
    execOn(altro, "DELETE FROM ART WHERE ID=2");
    port.queueConferma(true);
    EXPECT_FALSE(contesto->Elimina(query, segnalibro, valido, pulsante));

    query.moveTo(0);
    db::Transaction trattiene(&altro);
    db::Statement modifica(&altro, &trattiene);
    modifica.setSql({"UPDATE ART SET NOME='B' WHERE ID=1"});
    modifica.execute();
    port.queueConferma(true);
    EXPECT_FALSE(contesto->Elimina(query, segnalibro, valido, pulsante));
    trattiene.rollback();

    port.queueConferma(true);
    EXPECT_TRUE(contesto->Elimina(query, segnalibro, valido, pulsante));
    EXPECT_EQ(chiavi(), QList<int>({3}));
    EXPECT_EQ(
        port.messages(),
        QList<Message>({{Kind::Conferma, "Conferma la cacellazione del record?"},
                        {Kind::Avviso, "Questo record è già stato cancellato da un altro utente in "
                                       "un'altra sessione di lavoro"},
                        {Kind::Conferma, "Conferma la cacellazione del record?"},
                        {Kind::Avviso, "Impossibile cancellare questo record, altri utenti stanno "
                                       "lavorando su questo record."},
                        {Kind::Conferma, "Conferma la cacellazione del record?"}}));
}

TEST_F(Modifiche, EditingReservesTheRowAndAPendingEditSurvivesADelete) {
    archivio.exec("CREATE TABLE CODICI (COD VARCHAR(10) NOT NULL PRIMARY KEY)");
    archivio.exec("INSERT INTO CODICI VALUES ('L''A')");
    apri({1, 2});
    EXPECT_TRUE(contesto->EventoBeforeEditDataSet(query, pulsante, "ART"));
    EXPECT_EQ(pulsante.tag, 1);
    // The other user cannot change it now.
    {
        db::Transaction senzaAttesa(&altro);
        senzaAttesa.setParams({"isc_tpb_concurrency", "isc_tpb_nowait"});
        db::Statement cambia(&altro, &senzaAttesa);
        cambia.setSql({"UPDATE ART SET NOME='X' WHERE ID=1"});
        EXPECT_THROW(cambia.execute(), db::DatabaseError);
    }
    query.edit();
    query.fieldByName("NOME")->setValue("modificato");
    query.post();
    // Deleting the other record commits the saved-but-uncommitted edit first.
    query.moveTo(1);
    port.queueConferma(true);
    EXPECT_TRUE(contesto->Elimina(query, segnalibro, valido, pulsante));
    EXPECT_EQ(archivio.scalar("SELECT NOME FROM ART WHERE ID=1").toString(), "modificato");

    // The row held by the other user: a warning, and no edit.
    db::Transaction trattiene(&altro);
    db::Statement modifica(&altro, &trattiene);
    modifica.setSql({"UPDATE ART SET NOME='B' WHERE ID=1"});
    modifica.execute();
    contesto->AggiornaTabella(query, 0, false);
    pulsante.tag = 0;
    EXPECT_FALSE(contesto->EventoBeforeEditDataSet(query, pulsante, "ART"));
    EXPECT_EQ(pulsante.tag, 0);
    EXPECT_EQ(port.messages().last().kind, Kind::Avviso);
    trattiene.rollback();

    // A text key with an apostrophe is bound, not spliced.
    IbQuery codici;
    codici.setDatabase(&archivio.db());
    codici.setTransaction(&transazione);
    codici.setSql({"SELECT * FROM CODICI"});
    contesto->AggiornaTabella(codici, 0, false);
    EXPECT_TRUE(contesto->EventoBeforeEditDataSet(codici, pulsante, "CODICI"));
}

TEST_F(Modifiche, EmptyingAQueryAndATable) {
    apri({1, 2});
    port.queueConferma(false);
    contesto->Azzera(query, segnalibro, valido, pulsante, "ART");
    EXPECT_EQ(chiavi(), QList<int>({1, 2}));
    port.queueConferma(true);
    contesto->Azzera(query, segnalibro, valido, pulsante, "ART");
    EXPECT_EQ(chiavi(), QList<int>());
    EXPECT_TRUE(query.active());

    archivio.exec("INSERT INTO ART VALUES (5, 'x')");
    IbTable tabella;
    tabella.setDatabase(&archivio.db());
    tabella.setTransaction(&transazione);
    tabella.setTableName("ART");
    port.queueConferma(true);
    contesto->Azzera(tabella, segnalibro, valido, pulsante, QString());
    EXPECT_EQ(chiavi(), QList<int>());
    port.queueConferma(true);
    EXPECT_FALSE(contesto->Elimina(tabella, segnalibro, valido, pulsante));
    EXPECT_EQ(port.messages().last(), (Message{Kind::Informazione, "La tabella è vuota"}));
}

TEST_F(Modifiche, AnEditingWindowThroughEditSaveAndCancel) {
    QDir().mkpath(host.filePath("Grafica"));
    ScriviPulsanteSalva(host.filePath("Grafica/Verde.bmp"), false);
    ScriviPulsanteSalva(host.filePath("Grafica/Rosso.bmp"), true);
    apri({1});
    QWidget finestra;
    QTableView griglia(&finestra);
    DatasetModel modello;
    modello.setDataset(&query);
    griglia.setModel(&modello);
    TSpeedButtonSalva salva(&finestra);
    finestra.show();

    const auto modifica = [&](const char* nome) {
        ASSERT_TRUE(contesto->EventoBeforeEditDataSet(query, salva, "ART"));
        query.edit();
        query.fieldByName("NOME")->setValue(nome);
        query.post();
    };
    modifica("salvato");
    EXPECT_EQ(salva.Tag(), 1);
    EXPECT_FALSE(salva.icon().isNull());
    EXPECT_TRUE(salva.Immagine().endsWith("Rosso.bmp"));
    contesto->ChiudiTransEAggiorna(query, segnalibro, valido, salva);
    EXPECT_EQ(salva.Tag(), 0);
    EXPECT_TRUE(salva.Immagine().endsWith("Verde.bmp"));
    EXPECT_EQ(modello.data(modello.index(0, 1)).toString(), "salvato");

    modifica("annullato");
    port.queueConferma(true);
    contesto->Annulla(query, segnalibro, valido, salva);
    EXPECT_EQ(salva.Tag(), 0);
    EXPECT_EQ(modello.data(modello.index(0, 1)).toString(), "salvato");

    // Closing with unsaved changes: No drops them.
    modifica("perso");
    port.queueConferma(false);
    archivio.db().setDefaultTransaction(&transazione);
    contesto->Chiudi(query, salva);
    EXPECT_EQ(archivio.scalar("SELECT NOME FROM ART WHERE ID=1").toString(), "salvato");
}

} // namespace
} // namespace mavo::test
