#include "query/collegate/Collegate.h"
#include "query/collegate/ui/IBAggForm.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"
#include "support/SchemaOrdini.h"
#include "support/TestDb.h"

#include "StampaDefinizione.h"

#include "platform/ScriptedInterazione.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace mavo;

namespace {

using RigheAttese = std::initializer_list<std::tuple<QString, int, QString>>;

// `base` followed by the rows, numbered on.
Definizione righeNumerate(RigheAttese elenco, Definizione d = {}) {
    for (const auto& [nome, codice, condizione] : elenco)
        d.append({int(d.size()) + 1, nome, codice, condizione});
    return d;
}

// An order list showing its number only.
Definizione ordini() {
    return righeNumerate(
        {{"NUM", 1, ""}, {"CLIENTE", 0, ""}, {"AGENTE", 0, ""}, {"IMPORTO", 0, ""}});
}

const TabellaDaCollegare clienti{"CLIENTI", {}, ModoJoin::Left, {{"CLIENTE", "COD"}}, {"NOME"}};
const TabellaDaCollegare agenti{"AGENTI", {}, ModoJoin::Left, {{"AGENTE", "COD"}}, {"NOMEAGENTE"}};
const TabellaDaCollegare province{"PROVINCE", {}, ModoJoin::Left, {{"A.PROV", "SIGLA"}}, {"DESCR"}};

TabellaDaCollegare conModo(TabellaDaCollegare t, ModoJoin modo) {
    t.Modo = modo;
    return t;
}

TEST(Collegate, EachJoinKindAppendsItsRows) {
    TabellaDaCollegare doppio = clienti;
    doppio.Legami = {{"CLIENTE", "COD"}, {"CLIENTE", "COD"}, {"AGENTE", "COD"}};
    doppio.Campi = {"NOME", "PROV"};
    TabellaDaCollegare conPercorso = conModo(clienti, ModoJoin::LeftCondizioniPrima);
    conPercorso.Percorso = "ALTRO:";
    const struct {
        const char* caso;
        TabellaDaCollegare scelta;
        RigheAttese aggiunte;
    } casi[] = {
        {"Left", clienti, {{"CLIENTI = A", 9, ""}, {"A.COD", 8, "CLIENTE"}, {"A.NOME", 1, ""}}},
        {"Left (con condizioni prima)",
         conModo(clienti, ModoJoin::LeftCondizioniPrima),
         {{"CLIENTI = A", 9, "P"}, {"A.COD", 8, "CLIENTE"}, {"A.NOME", 1, ""}}},
        {"Right (con buchi)",
         conModo(clienti, ModoJoin::Right),
         {{"CLIENTI = A", 3, ""}, {"A.COD", 8, "CLIENTE"}, {"A.NOME", 1, ""}}},
        {"the path takes the place of P",
         conPercorso,
         {{"CLIENTI = A", 9, "ALTRO:"}, {"A.COD", 8, "CLIENTE"}, {"A.NOME", 1, ""}}},
        {"a pair chosen twice is written once",
         doppio,
         {{"CLIENTI = A", 9, ""},
          {"A.COD", 8, "CLIENTE"},
          {"A.COD", 8, "AGENTE"},
          {"A.NOME", 1, ""},
          {"A.PROV", 1, ""}}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        ScriptedInterazione port;
        Definizione righe = ordini();
        ASSERT_TRUE(AggiungiTabella(righe, c.scelta, port));
        EXPECT_EQ(test::Testo(righe), test::Testo(righeNumerate(c.aggiunte, ordini())));
        EXPECT_TRUE(port.messages().isEmpty());
    }
}

TEST(Collegate, LettersAreNeverReusedAndRefusalsAreTold) {
    Definizione ab = ordini();
    ScriptedInterazione nessuno;
    AggiungiTabella(ab, clienti, nessuno);
    AggiungiTabella(ab, agenti, nessuno);
    EXPECT_EQ(TabelleCollegate(ab), QStringList({"CLIENTI = A", "AGENTI = B"}));
    Definizione soloB = ab;
    soloB.removeAt(4); // the header of A and its rows gone: B stays highest
    soloB.removeAt(4);
    soloB.removeAt(4);
    Definizione bloccata = ab;
    bloccata.append({int(ab.size()) + 1, "QUERY BLOCCATA", mostra::Marcatore, "1"});
    Definizione piena = ordini();
    piena.append({5, "ULTIMA = Z", mostra::TestataLeft, ""});

    const struct {
        const char* caso;
        Definizione righe;
        TabellaDaCollegare scelta;
        QString lettera; // of the new header, or the message when refused
    } casi[] = {
        {"after the highest in use", soloB, province, "C"},
        {"the last row is a lock row", bloccata, province, "C"},
        {"no table", ab, {}, "Si prega di scegliere una tabella da collegare!!"},
        {"no link",
         ab,
         {"PROVINCE", {}, ModoJoin::Left, {}, {"DESCR"}},
         "Si prega di creare almeno un collegamento!!"},
        {"no field",
         ab,
         {"PROVINCE", {}, ModoJoin::Left, {{"CLIENTE", "SIGLA"}}, {}},
         "Si prega di scegliere almeno un campo da visualizzare!!"},
        {"joined Left already", ab, clienti, "Tabella gia presente nella Query!"},
        {"joined with conditions first already", ab, conModo(agenti, ModoJoin::LeftCondizioniPrima),
         "Tabella gia presente nella Query!"},
        {"a twenty-seventh table", piena, province,
         "Impossibile collegare altre tabelle: sono già in uso tutte le lettere da A a Z!"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        ScriptedInterazione port;
        Definizione righe = c.righe;
        const bool aggiunta = AggiungiTabella(righe, c.scelta, port);
        if (c.lettera.size() == 1) {
            ASSERT_TRUE(aggiunta);
            EXPECT_EQ(righe[c.righe.size()].Nome, "PROVINCE = " + c.lettera);
            EXPECT_EQ(righe[c.righe.size()].Numero, c.righe.last().Numero + 1);
            EXPECT_TRUE(port.messages().isEmpty());
        } else {
            EXPECT_FALSE(aggiunta);
            EXPECT_EQ(test::Testo(righe), test::Testo(c.righe));
            EXPECT_EQ(port.messages(), QList<ScriptedInterazione::Message>(
                                           {{ScriptedInterazione::Kind::Informazione, c.lettera}}));
        }
    }
    // A Right header counts as present too.
    Definizione destra = ordini();
    AggiungiTabella(destra, conModo(clienti, ModoJoin::Right), nessuno);
    EXPECT_TRUE(TabellaPresente(destra, "clienti", {}));
    EXPECT_FALSE(TabellaPresente(destra, "CLIENTI", "ALTRO:"));
}

// The small order schema, and the engine over ORDINI.
class Collegamenti : public testing::Test {
protected:
    void SetUp() override { archivio.exec(test::SchemaOrdini); }

    // The answer's rows in a fixed order (a join keeps none of its own).
    QStringList esegui(const Definizione& righe) {
        QStringList letto;
        if (!motore.EseguiInterrogazione(righe, risposta, {}, false))
            return {"fallita"};
        Dataset& dati = risposta.Dati();
        for (dati.first(); !dati.eof(); dati.next()) {
            QStringList riga;
            for (int i = 0; i < dati.fieldCount(); ++i)
                riga << dati.field(i)->value().toString();
            letto << riga.join(u';');
        }
        letto.sort();
        return letto;
    }

    Definizione con(std::initializer_list<TabellaDaCollegare> tabelle) {
        Definizione righe = ordini();
        for (const TabellaDaCollegare& t : tabelle)
            EXPECT_TRUE(AggiungiTabella(righe, t, port));
        return righe;
    }

    test::TestDb archivio;
    QTemporaryDir lavoro;
    ScriptedInterazione port;
    TIBFQuerForm motore{
        port, archivio.db(), {.TabellaPrincipale = "ORDINI", .DirectoryLavoro = lavoro.path()}};
    Risposta risposta{archivio.db()};
};

TEST_F(Collegamenti, EachJoinKeepsWhatItSays) {
    // A search on the customer's name: in the WHERE clause it drops the
    // orders of others, in a "P" join only their names.
    Definizione cercaLeft = con({clienti});
    cercaLeft.last().Condizione = "ross";
    Definizione cercaP = con({conModo(clienti, ModoJoin::LeftCondizioniPrima)});
    cercaP.last().Condizione = "ross";
    const struct {
        const char* caso;
        Definizione righe;
        QStringList attese;
    } casi[] = {
        {"Left: every order, a name where there is one",
         con({clienti}),
         {"1;ROSSI", "2;BIANCHI", "3;"}},
        {"Left with a condition: filtered", cercaLeft, {"1;ROSSI"}},
        {"conditions first: every order", cercaP, {"1;ROSSI", "2;", "3;"}},
        {"Right: every customer, holes for the orders",
         con({conModo(clienti, ModoJoin::Right)}),
         {"1;ROSSI", "2;BIANCHI", ";VERDI"}},
        {"three tables, one joined on another",
         con({clienti, agenti, province}),
         {"1;ROSSI;NERI;ROMA", "2;BIANCHI;;MILANO", "3;;GIALLI;"}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(esegui(c.righe), c.attese);
    }
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(Collegamenti, RemovingTheMiddleTableLeavesTheOthersWorking) {
    Definizione righe = con({clienti, agenti, province});
    const Definizione prima = righe;

    // PROVINCE joins on a field of CLIENTI: CLIENTI cannot go.
    EXPECT_FALSE(EliminaTabella(righe, "CLIENTI = A", port));
    EXPECT_EQ(test::Testo(righe), test::Testo(prima));
    // Not confirmed: nothing goes.
    EXPECT_FALSE(EliminaTabella(righe, "AGENTI = B", port));
    EXPECT_EQ(test::Testo(righe), test::Testo(prima));
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{ScriptedInterazione::Kind::Informazione,
                    "Cancellazione Impossibile: la tabella da eliminare\rha un collegamento con "
                    "una tabella presente nella query!"},
                   {ScriptedInterazione::Kind::Conferma,
                    "Elimino la tabella e gli elementi ad essa collegata?"}}));

    port.queueConferma(true);
    ASSERT_TRUE(EliminaTabella(righe, "AGENTI = B", port));
    EXPECT_EQ(test::Testo(righe), test::Testo(righeNumerate({{"CLIENTI = A", 9, ""},
                                                             {"A.COD", 8, "CLIENTE"},
                                                             {"A.NOME", 1, ""},
                                                             {"PROVINCE = C", 9, ""},
                                                             {"C.SIGLA", 8, "A.PROV"},
                                                             {"C.DESCR", 1, ""}},
                                                            ordini())));
    EXPECT_EQ(esegui(righe), QStringList({"1;ROSSI;ROMA", "2;BIANCHI;MILANO", "3;;"}));

    // The next table takes a letter of its own.
    ASSERT_TRUE(AggiungiTabella(righe, agenti, port));
    EXPECT_EQ(TabelleCollegate(righe), QStringList({"CLIENTI = A", "PROVINCE = C", "AGENTI = D"}));
    EXPECT_EQ(esegui(righe), QStringList({"1;ROSSI;ROMA;NERI", "2;BIANCHI;MILANO;", "3;;;GIALLI"}));
}

TEST_F(Collegamenti, TheDialogWritesWhatTheUserChose) {
    Definizione righe = ordini();
    righe[3].Condizione = "(IMPORTO > 0)";
    const Definizione prima = righe;
    TIBAggForm dialogo(righe, archivio.db(), "D01", {}, port);
    dialogo.show();
    EXPECT_EQ(dialogo.windowTitle(), "Aggiungi tabella - Ditta: D01");
    EXPECT_FALSE(dialogo.GroupJoin->isVisible());
    EXPECT_EQ(dialogo.height(), 120);

    dialogo.CambiaTabella("CLIENTI");
    ASSERT_TRUE(dialogo.GroupJoin->isVisible());
    EXPECT_EQ(dialogo.height(), 535);
    EXPECT_TRUE(dialogo.RadioLeft->isChecked());
    QStringList collegati;
    for (int i = 0; i < dialogo.ComboCollegata->count(); ++i)
        collegati << dialogo.ComboCollegata->itemText(i);
    EXPECT_EQ(collegati, QStringList({"COD", "NOME", "PROV"}));
    EXPECT_EQ(dialogo.ComboPrincipale->count(), 4);

    dialogo.ComboPrincipale->setCurrentText("CLIENTE");
    dialogo.ComboCollegata->setCurrentText("COD");
    QTest::mouseClick(dialogo.ButtonAggiungiLegame, Qt::LeftButton);
    QTest::mouseClick(dialogo.ButtonAggiungiLegame, Qt::LeftButton);
    EXPECT_EQ(dialogo.GrigliaLegami->rowCount(), 1);

    // "&Riporta" with no field to show is refused; F3 and a double-click toggle.
    QTest::mouseClick(dialogo.ButtonRiporta, Qt::LeftButton);
    EXPECT_EQ(test::Testo(righe), test::Testo(prima));
    dialogo.GrigliaCampi->setCurrentCell(1, 0);
    test::tasto(*dialogo.GrigliaCampi, Qt::Key_F3);
    QCoreApplication::processEvents(); // the grid laid out where it now shows
    const QRect cella = dialogo.GrigliaCampi->visualItemRect(dialogo.GrigliaCampi->item(2, 0));
    // A user's double-click: a click, then the double-click event.
    QTest::mouseClick(dialogo.GrigliaCampi->viewport(), Qt::LeftButton, {}, cella.center());
    QTest::mouseDClick(dialogo.GrigliaCampi->viewport(), Qt::LeftButton, {}, cella.center());
    EXPECT_EQ(dialogo.GrigliaCampi->item(2, 1)->text(), "1");
    dialogo.RadioCondizioniPrima->setChecked(true);
    QTest::mouseClick(dialogo.ButtonRiporta, Qt::LeftButton);
    EXPECT_EQ(dialogo.Esito, 1);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(test::Testo(righe), test::Testo(righeNumerate({{"CLIENTI = A", 9, "P"},
                                                             {"A.COD", 8, "CLIENTE"},
                                                             {"A.NOME", 1, ""},
                                                             {"A.PROV", 1, ""}},
                                                            prima)));
    EXPECT_EQ(port.messages(), QList<ScriptedInterazione::Message>(
                                   {{ScriptedInterazione::Kind::Informazione,
                                     "Si prega di scegliere almeno un campo da visualizzare!!"}}));

    // A second dialog refuses the same table and starts again.
    TIBAggForm altro(righe, archivio.db(), "D01", {}, port);
    altro.show();
    altro.CambiaTabella("CLIENTI");
    EXPECT_EQ(port.messages().last().text, "Tabella gia presente nella Query!");
    EXPECT_EQ(altro.EditTabella->text(), "");
    EXPECT_FALSE(altro.GroupJoin->isVisible());
    EXPECT_EQ(altro.ComboPrincipale->count(), 6) << "A.NOME and A.PROV can be joined on too";
}

} // namespace

#include "FormQuery.h"
#include "query/form/ui/IBLQueryForm.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace mavo::test {
namespace {

class FormCollegate : public FormQuery {};

TEST_F(FormCollegate, TheFormsButtonsAddAndRemoveALinkedTable) {
    archivio.exec({"CREATE TABLE FORN (COD INTEGER NOT NULL PRIMARY KEY, RAGIONE VARCHAR(20))",
                   "INSERT INTO FORN VALUES (1, 'ALFA')", "INSERT INTO FORN VALUES (3, 'GAMMA')"});
    TIBLQueryForm& f = apri();
    const Definizione prima = f.LeggiRighe();
    EXPECT_TRUE(conDialogo(
        [](QDialog& d) {
            auto& dialogo = dynamic_cast<TIBAggForm&>(d);
            dialogo.CambiaTabella("FORN");
            dialogo.ComboPrincipale->setCurrentText("COD");
            dialogo.ComboCollegata->setCurrentText("COD");
            clic(*dialogo.ButtonAggiungiLegame);
            clic(*dialogo.ButtonSelezionaTutto);
            clic(*dialogo.ButtonRiporta);
        },
        [&] { clic(*f.ButtonAggiungiT); }));
    EXPECT_EQ(test::Testo(f.LeggiRighe().mid(5)), test::Testo(righeNumerate({{"FORN = A", 9, ""},
                                                                             {"A.COD", 8, "COD"},
                                                                             {"A.COD", 1, ""},
                                                                             {"A.RAGIONE", 1, ""}},
                                                                            prima)
                                                                  .mid(5)));
    esegui();
    EXPECT_EQ(colonnaRisposta(f, "RAGIONE"), QStringList({"ALFA", "", "GAMMA"}));
    clic(*f.ButtonRitornaQuery);

    port.queueConferma(true);
    EXPECT_TRUE(conDialogo(
        [](QDialog& d) {
            auto& dialogo = dynamic_cast<TEliminaForm&>(d);
            EXPECT_EQ(dialogo.windowTitle(), "Elimina tabella collegata");
            EXPECT_EQ(dialogo.ComboTabelle->currentText(), "FORN = A");
            clic(*dialogo.findChild<QDialogButtonBox*>()->buttons().constFirst());
        },
        [&] { clic(*f.ButtonEliminaT); }));
    EXPECT_EQ(test::Testo(f.LeggiRighe()), test::Testo(prima));

    f.Stato.Bloccata = true;
    clic(*f.ButtonAggiungiT);
    clic(*f.ButtonEliminaT);
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{ScriptedInterazione::Kind::Conferma,
                    "Elimino la tabella e gli elementi ad essa collegata?"},
                   {ScriptedInterazione::Kind::Avviso,
                    "Attenzione: operazione non possibile, la Query è bloccata!"},
                   {ScriptedInterazione::Kind::Avviso,
                    "Attenzione: operazione non possibile, la Query è bloccata!"}}));
}

} // namespace
} // namespace mavo::test
