// Side-by-side members and chained queries: the rows they write, the UNION
// answer, the stored answers of a chain, F11 and F12, the successor's check,
// two users on one archive.
#include "FormQuery.h"

#include "db/DatabaseError.h"
#include "query/catena/Affiancate.h"
#include "query/catena/Catena.h"
#include "query/form/ui/ElabAvanForm.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "support/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace mavo;
using namespace mavo::test;

namespace {

const Definizione bloccata = {
    {1, "COD", 1, ""}, {2, "NOME", 0, "vite"}, {3, "PREZZO", 1, ""}, {4, "QUERY BLOCCATA", 7, ""}};
const Definizione unMembro = {{1, "COD", 6, ""},
                              {2, "NOME", 0, "vite"},
                              {3, "PREZZO", 6, ""},
                              {4, "QUERY BLOCCATA", 7, ""},
                              {5, "ART", 9, "UNION"},
                              {6, "COD", 1, ""},
                              {7, "NOME", 0, "vite"},
                              {8, "PREZZO", 1, ""},
                              {9, "QUERY BLOCCATA", 7, "UNION"}};
const Definizione dueMembri = unMembro + Definizione{{10, "ART", 9, "UNION"},
                                                     {11, "COD", 1, ""},
                                                     {12, "NOME", 0, "vite"},
                                                     {13, "PREZZO", 1, ""},
                                                     {14, "QUERY BLOCCATA", 7, "UNION"}};
const Definizione collegata = {{1, "COD", 1, ""},
                               {2, "CLI = A", 9, ""},
                               {3, "A.COD", 8, "COD"},
                               {4, "A.NOME", 1, ""},
                               {5, "QUERY BLOCCATA", 7, "184 191 188 189 186 187"}};
const Definizione collegataUnMembro = {{1, "COD", 6, ""},
                                       {2, "CLI = A", 9, ""},
                                       {3, "A.COD", 8, "COD"},
                                       {4, "A.NOME", 6, ""},
                                       {5, "QUERY BLOCCATA", 7, "184 191 188 189 186 187"},
                                       {6, "ART", 9, "UNION"},
                                       {7, "COD", 1, ""},
                                       {8, "CLI = A", 9, ""},
                                       {9, "A.COD", 8, "COD"},
                                       {10, "A.NOME", 1, ""},
                                       {11, "QUERY BLOCCATA", 7, "UNION"}};
const RigaDefinizione successiva{5, "QUERY SUCCESSIVA", 4, "12"};

TEST(Affiancate, MembersAddedAndRemoved) {
    const auto conSuccessiva = [](Definizione righe) {
        righe.append(successiva);
        righe.last().Numero = righe[righe.size() - 2].Numero + 1;
        return righe;
    };
    const struct {
        const char* caso;
        Definizione prima;
        Definizione aggiunto;
        bool affiancataDopo; // once the member added is removed again
    } aggiunte[] = {
        {"first member", bloccata, unMembro, false},
        // The copy of a frozen first member shows its fields: they are the new member's.
        {"second member", unMembro, dueMembri, true},
        {"linked table headers copied whole", collegata, collegataUnMembro, false},
        {"the successor's marker stays last", conSuccessiva(bloccata), conSuccessiva(unMembro),
         false},
    };
    for (const auto& c : aggiunte) {
        SCOPED_TRACE(c.caso);
        Definizione righe = c.prima;
        ASSERT_TRUE(AggiungiUnioneQuery(righe, "ART"));
        EXPECT_EQ(righe, c.aggiunto);
        // Removing it goes back to where it was; side-by-side while a member remains.
        EXPECT_EQ(EliminaUltimaQueryAffiancata(righe), c.affiancataDopo);
        EXPECT_EQ(righe, c.prima);
    }

    // A member closed by a joining word is no lock row either.
    Definizione appendi = dueMembri;
    appendi[8].Condizione = "APPENDI";
    EXPECT_TRUE(EliminaUltimaQueryAffiancata(appendi));
    EXPECT_EQ(appendi.size(), 9);

    Definizione nessuno = {{1, "COD", 0, ""}, {2, "QUERY BLOCCATA", 7, ""}};
    EXPECT_FALSE(AggiungiUnioneQuery(nessuno, "ART"));
    EXPECT_EQ(nessuno.size(), 2);
}

TEST(Catena, TheSuccessorCheckedAndRewrittenForANewAnswer) {
    const Definizione salvata = {{1, "COD", 1, ""}, {2, "QUERY SUCCESSIVA", 4, "3"}};
    const Definizione cambiata = {{1, "COD", 1, "(COD > 1)"}, {2, "QUERY SUCCESSIVA", 4, "3"}};
    // The successor: a marker, its fields, a lock row and its own successor.
    const Definizione dopo = {{1, "QUERY PRECEDENTE", 4, "1"},
                              {2, "COD", 1, ""},
                              {3, "NOME", 0, ""},
                              {4, "PREZZO", 0, "(NOME > 'A')"},
                              {5, "QUERY BLOCCATA", 7, ""},
                              {6, "QUERY SUCCESSIVA", 4, "4"}};
    const struct {
        const char* caso;
        Definizione attuale;
        QStringList campi;
        EsitoSuccessiva esito;
    } casi[] = {
        {"unchanged", salvata, {"COD"}, EsitoSuccessiva::Invariata},
        {"no successor", {{1, "COD", 0, ""}}, {"COD"}, EsitoSuccessiva::SenzaSuccessiva},
        {"same fields", cambiata, {"COD", "NOME", "PREZZO"}, EsitoSuccessiva::Compatibile},
        {"a hidden field gone", cambiata, {"COD", "NOME"}, EsitoSuccessiva::DaRiscrivere},
        {"a new field", cambiata, {"COD", "NOME", "PREZZO", "DATA"}, EsitoSuccessiva::DaRiscrivere},
        {"a shown field gone", cambiata, {"NOME", "PREZZO"}, EsitoSuccessiva::Impossibile},
        {"a field named in a condition gone",
         cambiata,
         {"COD", "PREZZO"},
         EsitoSuccessiva::Impossibile},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(ValutaSuccessiva(c.attuale, salvata, dopo, c.campi), c.esito);
    }
    // Rewritten once, its tail after the fields copied once.
    EXPECT_EQ(RiscriviSuccessiva(dopo, {"DATA", "COD", "PREZZO"}),
              (Definizione{{1, "QUERY PRECEDENTE", 4, "1"},
                           {2, "DATA", 0, ""},
                           {3, "COD", 1, ""},
                           {4, "PREZZO", 0, "(NOME > 'A')"},
                           {5, "QUERY BLOCCATA", 7, ""},
                           {6, "QUERY SUCCESSIVA", 4, "4"}}));
    EXPECT_EQ(SqlSenzaOrdinamento({"SELECT", "XX.COD", "FROM ", "\"ART\" XX ", "ORDER BY", "1"}),
              QStringList({"SELECT", "XX.COD", "FROM ", "\"ART\" XX "}));
}

TEST(Catena, TwoUsersTakingTheNextNumberAtOnceGetTwo) {
    TestDb archivio;
    ArchivioStorico storico(archivio.db());
    storico.CreaTabelle();
    // Another user has written chain number 1 and not yet committed.
    db::Database altro;
    altro.setDatabaseName(archivio.path());
    altro.connect();
    db::Transaction suaScrittura(&altro);
    suaScrittura.setParams(db::TpbScritturaBreve);
    suaScrittura.start();
    db::Statement sua(&altro, &suaScrittura);
    sua.setSql({"INSERT INTO STOINT VALUES (2000, 1, 1, 'QUERY PRECEDENTE', 4, '9')"});
    sua.execute();

    const Definizione righe = {{1, "COD", 1, ""}};
    const Definizione dopo = {{1, "QUERY PRECEDENTE", 4, "1"}, {2, "COD", 1, ""}};
    EXPECT_EQ(storico.CreaSuccessiva({5, 1}, righe, dopo), 2);
    suaScrittura.commit();
    EXPECT_EQ(storico.LeggiInterrogazione({5, 1}).last(),
              (RigaDefinizione{2, "QUERY SUCCESSIVA", 4, "2"}));
    EXPECT_EQ(storico.LeggiInterrogazione({2000, 2}), dopo);
    EXPECT_EQ(storico.LeggiInterrogazione({2000, 1}).first().Condizione, "9") << "his, untouched";
    altro.disconnect();
}

TEST(Catena, StoredAnswersOfAStoredChainAndNoHalfFilledTable) {
    TestDb archivio;
    archivio.exec({"CREATE TABLE T (COD INTEGER, NOME VARCHAR(10))",
                   "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 1001) DO BEGIN "
                   "INSERT INTO T VALUES (:I, 'N' || :I); I = I + 1; END END"});
    ArchivioStorico storico(archivio.db());
    storico.CreaTabelle();
    storico.SalvaInterrogazione(
        {0, 7},
        {{1, "COD", 1, "(COD > 998)"}, {2, "NOME", 0, ""}, {3, "QUERY SUCCESSIVA", 4, "8"}});
    storico.SalvaInterrogazione({2000, 8},
                                {{1, "QUERY PRECEDENTE", 4, "7"}, {2, "COD", 1, "(COD < 1001)"}});
    ScriptedInterazione port;
    TIBFQuerForm motore(port, archivio.db(), {.Utente = 3, .TabellaPrincipale = "T"});
    Risposta risposta(archivio.db());
    ASSERT_TRUE(OttieniUltimaRisposta(motore, storico, risposta, 7, port));
    EXPECT_EQ(archivio.scalar("SELECT LIST(COD) FROM (SELECT COD FROM RSUCC0300 ORDER BY COD)"),
              "999,1000,1001");
    EXPECT_EQ(archivio.scalar("SELECT LIST(COD) FROM (SELECT COD FROM RSUCC0301 ORDER BY COD)"),
              "999,1000");

    // The last row cannot be computed; the answer opens on the rows before it.
    motore.impostazioni().Livello = 0;
    ASSERT_TRUE(
        motore.EseguiInterrogazione({{1, "COD", 1, "CALC(1/(XX.COD-1001))"}}, risposta, {}, false));
    EXPECT_THROW(SalvaRisposta(risposta, "RSUCC0300"), db::DatabaseError);
    EXPECT_EQ(archivio.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = "
                              "'RSUCC0300'"),
              0);
}

// The query form with the advanced operations' real dialog: the button of
// `parola` is the one clicked.
class CatenaForm : public FormQuery {
protected:
    DialoghiQuery dialoghi() {
        DialoghiQuery d = DialoghiPredefiniti();
        d.ElabAvanzate = [this](QWidget* owner, Interazione& p, const StatoElaborazioni& stato,
                                const QString& ditta, const QSet<QString>& disponibili) {
            TElabAvanForm dialogo(stato, ditta, disponibili, p, owner);
            dialogo.Pulsanti.value(parola)->click();
            return dialogo.Parola;
        };
        d.SommaRaggruppata = [this](QWidget*, const QString& tabella, db::Database&) {
            tabellaSomma = tabella;
            return std::optional<SceltaSomma>();
        };
        return d;
    }
    TIBLQueryForm& apriStorico(ChiaveStorico chiave) {
        TIBLQueryForm& f = crea(dialoghi());
        f.ModoStorico = true;
        f.Codice1 = chiave.Codice1;
        f.Codice2 = chiave.Codice2;
        return mostra();
    }
    void elabora(const QString& p) {
        parola = p;
        clic(*form->ButtonElabAvanzate);
    }
    // The rows of a table, "COD;NOME;PREZZO" by COD.
    QString righe(const QString& tabella) {
        return archivio
            .scalar("SELECT LIST(R, '|') FROM (SELECT COD || ';' || NOME || ';' || PREZZO AS R "
                    "FROM " +
                    tabella + " ORDER BY COD)")
            .toString();
    }
    bool esiste(const QString& tabella) {
        return archivio
                   .scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '" +
                           tabella + "'")
                   .toInt() == 1;
    }
    QStringList testi() {
        QStringList t;
        for (const auto& m : port.messages())
            t << m.text;
        return t;
    }

    QString parola;
    QString tabellaSomma; // the table the grouped sum's dialog was shown
    ArchivioStorico storico{archivio.db()};
};

TEST_F(CatenaForm, SideBySideMembersAndTheirUnion) {
    TIBLQueryForm& f = apri(dialoghi());
    const Definizione base = {{1, "COD", 1, ""},    {2, "NOME", 1, "vite"},
                              {3, "PREZZO", 0, ""}, {4, "DATA", 0, ""},
                              {5, "NOTE", 0, ""},   {6, "QUERY BLOCCATA", 7, ""}};
    f.ScriviRighe(base);
    f.Stato.Bloccata = true;
    elabora(elaborazione::QueryAffiancata);
    ASSERT_TRUE(f.Stato.Affiancata);
    ASSERT_EQ(f.LeggiRighe().size(), 13);
    // The second member asks for the nuts instead.
    Definizione righe = f.LeggiRighe();
    righe[8].Condizione = "dado";
    f.ScriviRighe(righe);
    esegui();
    ASSERT_TRUE(f.VistaRisposta());
    EXPECT_TRUE(f.TabRispTmp.Query().sql().contains("UNION"));
    QStringList codici = colonnaRisposta(f, "COD");
    codici.sort();
    EXPECT_EQ(codici, QStringList({"1", "2", "3"}));
    clic(*f.ButtonRitornaQuery);

    port.queueConferma(true);
    elabora(elaborazione::TogliQueryAffiancata);
    EXPECT_EQ(f.LeggiRighe(), base);
    EXPECT_FALSE(f.Stato.Affiancata);
    EXPECT_EQ(testi(), QStringList({"Elimino l'ultima query affiancata?"}));
}

TEST_F(CatenaForm, ALinkedStoredQueryInBothMembersOfAUnion) {
    storico.CreaTabelle();
    archivio.exec({"CREATE TABLE PRZ (COD INTEGER, LISTINO INTEGER)",
                   "INSERT INTO PRZ VALUES (1, 10)", "INSERT INTO PRZ VALUES (2, 20)",
                   "INSERT INTO PRZ VALUES (3, 30)",
                   "CREATE TABLE STOQUER (CODICE INTEGER, TABELLA VARCHAR(31), "
                   "PERCORSO VARCHAR(255))",
                   "INSERT INTO STOQUER VALUES (7, 'PRZ', '')",
                   // A chain of this user's, in progress: what it stored stays.
                   "CREATE TABLE RSUCC0700 (X INTEGER)", "INSERT INTO RSUCC0700 VALUES (42)"});
    // Stored query 7: the prices above 15, then those of the codes below 3.
    storico.SalvaInterrogazione(
        {0, 7},
        {{1, "COD", 1, ""}, {2, "LISTINO", 1, "(LISTINO > 15)"}, {3, "QUERY SUCCESSIVA", 4, "8"}});
    storico.SalvaInterrogazione(
        {2000, 8},
        {{1, "QUERY PRECEDENTE", 4, "7"}, {2, "COD", 1, "(COD < 3)"}, {3, "LISTINO", 1, ""}});
    TIBLQueryForm& f = apri(dialoghi());
    f.ScriviRighe({{1, "COD", 1, ""},
                   {2, "NOME", 1, "vite"},
                   {3, "XXXXXXXX.XXX = B", 9, "0007"},
                   {4, "B.COD", 8, "COD"},
                   {5, "B.LISTINO", 1, ""},
                   {6, "QUERY BLOCCATA", 7, ""}});
    f.Stato.Bloccata = true;
    elabora(elaborazione::QueryAffiancata);
    Definizione righe = f.LeggiRighe();
    ASSERT_EQ(righe.value(9), (RigaDefinizione{10, "XXXXXXXX.XXX = B", 9, "0007"}));
    righe[8].Condizione = "dado";
    f.ScriviRighe(righe);
    esegui();
    ASSERT_TRUE(f.VistaRisposta()) << testi().join(u'\n').toStdString();
    const QStringList codici = colonnaRisposta(f, "COD");
    const QStringList listini = colonnaRisposta(f, "LISTINO");
    QStringList coppie;
    for (qsizetype i = 0; i < codici.size(); ++i)
        coppie << codici[i] + u'=' + listini.value(i);
    coppie.sort();
    EXPECT_EQ(coppie, QStringList({"1=", "2=20", "3="}));
    EXPECT_EQ(archivio.scalar("SELECT LIST(COD || ';' || LISTINO) FROM \"0007\""), "2;20");
    EXPECT_EQ(archivio.scalar("SELECT LIST(X) FROM RSUCC0700"), 42);
    EXPECT_TRUE(esiste("RCOLL0700"));
    clic(*f.ButtonRitornaQuery);

    // A stored query the register does not know: the run stops, nothing made.
    f.TabRispTmp.Rilascia();
    archivio.exec({"DROP TABLE \"0007\"", "DELETE FROM STOQUER"});
    const qsizetype prima = testi().size();
    esegui();
    EXPECT_FALSE(f.VistaRisposta());
    EXPECT_EQ(testi().mid(prima), QStringList({"Query collegata 0007 non trovata in STOQUER",
                                               "Errore di esecuzione query collegate"}));
    EXPECT_FALSE(esiste("0007"));
}

TEST_F(CatenaForm, AChainOfThreeQueries) {
    storico.CreaTabelle();
    storico.SalvaInterrogazione({5, 1}, {{1, "COD", 1, ""},
                                         {2, "NOME", 1, "vite"},
                                         {3, "PREZZO", 1, ""},
                                         {4, "DATA", 0, ""},
                                         {5, "NOTE", 0, ""}});
    // Answers left by an earlier chain of this user, and one of another user.
    archivio.exec({"CREATE TABLE RSUCC0705 (X INTEGER)", "CREATE TABLE RSUCC0800 (X INTEGER)"});
    TIBLQueryForm& f = apriStorico({5, 1});

    elabora(elaborazione::PassaSuccessiva);
    EXPECT_EQ(f.LivelloCatena, 1);
    EXPECT_EQ(f.LeggiRighe(), (Definizione{{1, "QUERY PRECEDENTE", 4, "1"},
                                           {2, "COD", 1, ""},
                                           {3, "NOME", 1, ""},
                                           {4, "PREZZO", 1, ""}}));
    EXPECT_EQ(storico.LeggiInterrogazione({5, 1}).last(),
              (RigaDefinizione{6, "QUERY SUCCESSIVA", 4, "1"}));
    EXPECT_EQ(righe("RSUCC0700"), "1;Vite M6;1234.50|3;Vite M8;12.00");
    EXPECT_FALSE(esiste("RSUCC0705"));
    EXPECT_TRUE(esiste("RSUCC0800")) << "another user's";
    EXPECT_TRUE(f.LabelF11->isVisible());
    EXPECT_FALSE(f.LabelF12->isVisible());

    scriviCondizione(f, "PREZZO", "(PREZZO < 100)");
    elabora(elaborazione::PassaSuccessiva);
    EXPECT_EQ(f.LivelloCatena, 2);
    EXPECT_EQ(f.NumeroCatena, 2);
    EXPECT_EQ(righe("RSUCC0701"), "3;Vite M8;12.00");
    EXPECT_EQ(storico.LeggiInterrogazione({2000, 1}).value(3).Condizione, "(PREZZO < 100)");
    esegui();
    EXPECT_EQ(colonnaRisposta(f, "NOME"), QStringList({"Vite M8"}));
    clic(*f.ButtonRitornaQuery);
    // The fields offered are those of what the level reads.
    f.InserisciSommaClick();
    EXPECT_EQ(tabellaSomma, "RSUCC0701");

    // F11 back, F12 forward again: the answer stored again, as it is now.
    // F11 on a button of the form: the form's own key handler.
    f.ButtonEseguiInterrogazione->setFocus();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::focusWidget() == f.ButtonEseguiInterrogazione; }));
    QTest::keyRelease(f.ButtonEseguiInterrogazione, Qt::Key_F11);
    EXPECT_EQ(f.LivelloCatena, 1);
    EXPECT_EQ(condizioneDi(f, "PREZZO"), "(PREZZO < 100)");
    EXPECT_TRUE(f.LabelF12->isVisible());
    // What the second query reads has changed meanwhile.
    archivio.exec("UPDATE RSUCC0700 SET PREZZO = 13 WHERE COD = 3");
    f.Successiva1->trigger();
    EXPECT_EQ(f.LivelloCatena, 2);
    EXPECT_EQ(righe("RSUCC0701"), "3;Vite M8;13.00");

    // Only the last successor can go; back to the one before, unlinked.
    port.queueConferma(true);
    elabora(elaborazione::EliminaSuccessiva);
    EXPECT_EQ(f.LivelloCatena, 1);
    EXPECT_TRUE(storico.LeggiInterrogazione({2000, 2}).isEmpty());
    EXPECT_EQ(storico.LeggiInterrogazione({2000, 1}).size(), 4);
    EXPECT_EQ(f.LeggiRighe().size(), 4);
    EXPECT_FALSE(f.LabelF12->isVisible());

    // Closing above the first query goes back to it.
    clic(*f.ButtonChiudi);
    EXPECT_EQ(f.LivelloCatena, 0);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(testi(),
              QStringList({"Aggiornare lo storico aspetto?", "Elimino la query successiva?"}));

    // A change the successor cannot take is refused and undone.
    const qsizetype primi = port.messages().size();
    Definizione senzaPrezzo = f.LeggiRighe();
    senzaPrezzo[2].Mostra = 0;
    f.ScriviRighe(senzaPrezzo);
    elabora(elaborazione::PassaSuccessiva);
    EXPECT_EQ(f.LivelloCatena, 0);
    EXPECT_EQ(testi().mid(primi),
              QStringList({"Attenzione: non è possibile eseguire le modifiche apportate;"
                           "Ripristino la query iniziale cancellando tali cambiamenti?"}));
    EXPECT_EQ(mostraDi(f, "PREZZO"), 1);
    // So is it on closing, when the user asks for the check: the form stays.
    f.ScriviRighe(senzaPrezzo);
    port.queueConferma(true);
    clic(*f.ButtonChiudi);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(testi().mid(primi + 1),
              QStringList({"La query è stata modificata; Effettuo il controllo di validazione "
                           "delle query successive ?",
                           "Attenzione: non è possibile eseguire le modifiche apportate;"
                           "Ripristino la query iniziale cancellando tali cambiamenti?"}));
    EXPECT_EQ(mostraDi(f, "PREZZO"), 1);
    EXPECT_EQ(storico.LeggiInterrogazione({5, 1}).value(2).Mostra, 1);

    // A new field is taken: the successor gets it, hidden, once.
    Definizione conData = f.LeggiRighe();
    conData[3].Mostra = 1;
    f.ScriviRighe(conData);
    elabora(elaborazione::PassaSuccessiva);
    EXPECT_EQ(f.LivelloCatena, 1);
    EXPECT_EQ(f.LeggiRighe(), (Definizione{{1, "QUERY PRECEDENTE", 4, "1"},
                                           {2, "COD", 1, ""},
                                           {3, "NOME", 1, ""},
                                           {4, "PREZZO", 1, "(PREZZO < 100)"},
                                           {5, "DATA", 0, ""}}));
    EXPECT_EQ(storico.LeggiInterrogazione({5, 1}).value(3).Mostra, 1);
}

TEST_F(CatenaForm, TwoUsersChainingAtOnce) {
    storico.CreaTabelle();
    storico.SalvaInterrogazione(
        {5, 1}, {{1, "COD", 1, "(COD = 1)"}, {2, "NOME", 1, ""}, {3, "PREZZO", 1, ""}});
    storico.SalvaInterrogazione(
        {6, 1}, {{1, "COD", 1, "(COD > 1)"}, {2, "NOME", 1, ""}, {3, "PREZZO", 1, ""}});
    TIBLQueryForm& primo = apriStorico({5, 1});
    // The second user's form, on the same archive.
    TIBLQueryForm secondo(tabella, "C:\\BIN", lavoro.path(), "D01", archivio.db(), 8, &port,
                          nullptr, dialoghi());
    secondo.ModoStorico = true;
    secondo.Codice1 = 6;
    secondo.Codice2 = 1;
    secondo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&secondo));

    elabora(elaborazione::PassaSuccessiva);
    parola = elaborazione::PassaSuccessiva;
    clic(*secondo.ButtonElabAvanzate);
    EXPECT_EQ(primo.NumeroCatena, 1);
    EXPECT_EQ(secondo.NumeroCatena, 2);
    // The first user starts his chain again: the second's answer stays.
    primo.Precedente1->trigger();
    elabora(elaborazione::PassaSuccessiva);
    EXPECT_EQ(righe("RSUCC0700"), "1;Vite M6;1234.50");
    EXPECT_EQ(righe("RSUCC0800"), "2;Dado M6;0.00|3;Vite M8;12.00");
    EXPECT_EQ(primo.LivelloCatena, 1);
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(CatenaForm, ChainOperationsNeedHistoryMode) {
    apri(dialoghi());
    elabora(elaborazione::PassaSuccessiva);
    EXPECT_EQ(testi(), QStringList({"Operazione possibile solo in modalità Archivio Storico"}));
    EXPECT_EQ(form->LivelloCatena, 0);
}

} // namespace
