#include "FormQuery.h"

#include "common/ui/EditData.h"
#include "dataset/DatasetModel.h"
#include "query/esporta/OpzioniEsportazione.h"
#include "query/form/AspettoRisposta.h"
#include "query/form/ui/FinestraSql.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "query/form/ui/ModelliQuery.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace mavo;
using namespace mavo::test;

namespace {

using QueryForm = FormQuery;

Definizione definizione(std::initializer_list<std::tuple<const char*, int, const char*>> elenco) {
    Definizione d;
    for (const auto& [nome, codice, condizione] : elenco)
        d.append({int(d.size()) + 1, nome, codice, condizione});
    return d;
}

TEST_F(QueryForm, ANewFormListsEveryFieldShownAndRunsAsItIs) {
    TIBLQueryForm& f = apri();
    EXPECT_EQ(f.windowTitle(), "Query - Ditta: D01");
    EXPECT_EQ(f.size(), QSize(640, 480));
    EXPECT_EQ(f.LeggiRighe(), definizione({{"COD", 1, ""},
                                           {"NOME", 1, ""},
                                           {"PREZZO", 1, ""},
                                           {"DATA", 1, ""},
                                           {"NOTE", 1, ""}}));
    // The functions to come show their buttons, which stay off until they are there.
    EXPECT_EQ(
        pulsantiAbilitati(f),
        QStringList({"&Esegui Query", "&Seleziona Tutto", "&Deselez. Tutto", "&Aggiungi tabella",
                     "E&limina tabella ", "Elab. a&vanzate", "&Chiudi"}));

    esegui();
    ASSERT_TRUE(f.VistaRisposta());
    EXPECT_TRUE(f.DBGrid2->isVisible());
    EXPECT_FALSE(f.DBGrid1->isVisible());
    EXPECT_EQ(f.DBGrid2->modello().columnCount(), 5);
    EXPECT_EQ(colonnaRisposta(f, "COD"), QStringList({"1", "2", "3"}));
    EXPECT_EQ(pulsantiAbilitati(f),
              QStringList({"N.Rec.", "Aa", "1 Rec.", "So&mma", "&Ord./Tot.", "&Grafico", "&Stampa",
                           "&Esporta", "&Ritorna a Query"}));
    QStringList etichette;
    for (QLabel* l : f.Panel1->findChildren<QLabel*>())
        if (l->isVisible())
            etichette << l->text();
    EXPECT_EQ(etichette,
              QStringList({"F3: elimina campo", "F4: aspetto base", "F5: raggruppa cifre"}));

    clic(*f.ButtonRitornaQuery);
    EXPECT_FALSE(f.VistaRisposta());
    EXPECT_TRUE(f.DBGrid1->isVisible());
    EXPECT_FALSE(f.DBGrid2->isVisible());
    EXPECT_TRUE(port.messages().isEmpty());

    clic(*f.ButtonChiudi);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(QueryForm, ConditionsAreTypedInTheGridAndOnlyThere) {
    TIBLQueryForm& f = apri();
    scriviCondizione(f, "NOME", "vite");
    EXPECT_EQ(condizioneDi(f, "NOME"), "vite");
    scriviCondizione(f, "COD", "(COD > 1)");
    esegui();
    EXPECT_EQ(colonnaRisposta(f, "COD"), QStringList({"3"}));

    // Names, codes and the rows of other kinds are the form's own.
    f.ScriviRighe(definizione({{"COD", 1, ""}, {"ALTRA = A", 9, ""}, {"A.COD", 8, "COD"}}));
    ModelloDefinizione& modello = f.DBGrid1->definizione();
    const int nome = f.TabIntTmp.fieldByName("Nome")->index();
    const int condizione = f.TabIntTmp.fieldByName("Condizione")->index();
    EXPECT_TRUE(modello.flags(modello.index(0, condizione)) & Qt::ItemIsEditable);
    EXPECT_FALSE(modello.setData(modello.index(0, nome), "ALTRO"));
    EXPECT_FALSE(modello.setData(modello.index(1, condizione), "C:\\"));
    EXPECT_FALSE(modello.setData(modello.index(2, condizione), "NOME"));
    EXPECT_EQ(f.LeggiRighe(),
              definizione({{"COD", 1, ""}, {"ALTRA = A", 9, ""}, {"A.COD", 8, "COD"}}));
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(QueryForm, ShowCodesToggleByKeyAndDoubleClick) {
    TIBLQueryForm& f = apri();
    tastoSuRiga(f, "NOME", Qt::Key_F3);
    EXPECT_EQ(mostraDi(f, "NOME"), 0);
    const QRect cella = f.DBGrid1->visualRect(f.DBGrid1->currentIndex());
    QTest::mouseDClick(f.DBGrid1->viewport(), Qt::LeftButton, {}, cella.center());
    EXPECT_EQ(mostraDi(f, "NOME"), 1);
    EXPECT_FALSE(f.DBGrid1->InScrittura());

    clic(*f.ButtonDeselezionaTutto);
    tastoSuRiga(f, "PREZZO", Qt::Key_F3);
    EXPECT_EQ(f.LeggiRighe(), definizione({{"COD", 0, ""},
                                           {"NOME", 0, ""},
                                           {"PREZZO", 1, ""},
                                           {"DATA", 0, ""},
                                           {"NOTE", 0, ""}}));
    esegui();
    EXPECT_EQ(colonnaRisposta(f, "PREZZO"), QStringList({"1234,50", "0,00", "12,00"}));
    EXPECT_EQ(f.DBGrid2->modello().columnCount(), 1);
    clic(*f.ButtonRitornaQuery);
    clic(*f.ButtonSelezionaTutto);
    for (const RigaDefinizione& r : f.LeggiRighe())
        EXPECT_EQ(r.Mostra, 1) << r.Nome.toStdString();
}

TEST_F(QueryForm, ALockedQueryKeepsItsRows) {
    int dialoghiAperti = 0;
    DialoghiQuery dialoghi = DialoghiPredefiniti();
    dialoghi.Formule = [&](QWidget*, Interazione&, const QStringList&, const QString&) {
        ++dialoghiAperti;
        return std::optional<SceltaFormula>({"COD", ""});
    };
    dialoghi.EditorCondizione = [&](QWidget*, const QString&) {
        ++dialoghiAperti;
        return std::optional<QString>("X");
    };
    TIBLQueryForm& f = apri(dialoghi);
    f.Stato.Bloccata = true;
    const Definizione prima = f.LeggiRighe();
    clic(*f.ButtonDeselezionaTutto);
    for (Qt::Key k : {Qt::Key_F3, Qt::Key_F7, Qt::Key_F9})
        tastoSuRiga(f, "NOME", k);
    QTest::mouseDClick(f.DBGrid1->viewport(), Qt::LeftButton, {},
                       f.DBGrid1->visualRect(f.DBGrid1->currentIndex()).center());
    EXPECT_EQ(f.LeggiRighe(), prima);
    EXPECT_EQ(dialoghiAperti, 0);
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{ScriptedInterazione::Kind::Avviso,
                    "Attenzione: operazione non possibile, la Query è bloccata!"}}));
}

TEST_F(QueryForm, BuildersWriteTheirTextsFromKeys) {
    const struct {
        const char* caso;
        const char* campo;
        QVector<Qt::Key> tasti;
        const char* digitato; // typed after the first key, then Enter
        const char* attesa;
    } casi[] = {
        {"F4 tre volte", "NOME", {Qt::Key_F4, Qt::Key_F4, Qt::Key_F4}, "", "())"},
        {"F4, scrittura, F4", "COD", {Qt::Key_F4}, "COD>1", "(COD>1"},
        {"F5", "PREZZO", {Qt::Key_F5}, "", "PREZZO"},
    };
    TIBLQueryForm& f = apri();
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        for (Qt::Key k : c.tasti)
            tastoSuRiga(f, c.campo, k);
        if (*c.digitato) {
            // F4 left the cell open after "(": the user goes on typing.
            ASSERT_TRUE(f.DBGrid1->InScrittura());
            digita(c.digitato);
            invio();
        }
        EXPECT_EQ(condizioneDi(f, c.campo), c.attesa);
    }
    tastoSuRiga(f, "COD", Qt::Key_F4);
    EXPECT_EQ(condizioneDi(f, "COD"), "(COD>1)");
}

TEST_F(QueryForm, F10AsksForAValueAsTheFieldWantsIt) {
    const struct {
        const char* campo;
        const char* digitato;
        const char* attesa;
    } casi[] = {
        {"NOME", "Vite M6", "(NOME='Vite M6')"},
        {"NOME", "D'Angelo", "(NOME='D''Angelo')"},
        {"COD", "12", "(COD=12)"},
        {"PREZZO", "1234,5", "(PREZZO=1234.5)"},
        {"DATA", "05122024", "(DATA='05/12/2024')"},
    };
    TIBLQueryForm& f = apri();
    for (const auto& c : casi) {
        SCOPED_TRACE(c.attesa);
        const bool aperto = conDialogo(
            [&](QDialog& dialogo) {
                // A date field gets the date edit, any other the plain one.
                const bool data = QString(c.campo) == "DATA";
                EXPECT_EQ(dialogo.findChild<TEditData*>() != nullptr, data);
                QLineEdit* casella = dialogo.findChild<QLineEdit*>();
                EXPECT_TRUE(casella->text().isEmpty());
                for (QChar ch : QString(c.digitato))
                    QTest::keyClick(casella, ch.toLatin1());
                QTest::keyClick(casella, Qt::Key_Return);
            },
            [&] { tastoSuRiga(f, c.campo, Qt::Key_F10); });
        ASSERT_TRUE(aperto);
        EXPECT_EQ(condizioneDi(f, c.campo), c.attesa);
    }
    // Cancel leaves the condition alone.
    conDialogo([](QDialog& dialogo) { dialogo.findChild<QPushButton*>("CancelBtn")->click(); },
               [&] { tastoSuRiga(f, "COD", Qt::Key_F10); });
    EXPECT_EQ(condizioneDi(f, "COD"), "(COD=12)");

    // The server takes what the builder wrote.
    f.ScriviRighe(definizione({{"COD", 1, ""}, {"PREZZO", 1, "(PREZZO=1234.5)"}}));
    esegui();
    EXPECT_EQ(colonnaRisposta(f, "COD"), QStringList({"1"}));
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(QueryForm, AnswerKeysHideColumnsGroupDigitsAndRestoreTheBaseLook) {
    TIBLQueryForm& f = apri();
    esegui();
    GrigliaCampi& griglia = *f.DBGrid2;
    const auto visibili = [&] {
        QStringList nomi;
        for (int c = 0; c < griglia.modello().columnCount(); ++c)
            if (!griglia.isColumnHidden(c))
                nomi << griglia.CampoColonna(c)->fieldName();
        return nomi;
    };
    // F3 on every column: the last one in sight stays.
    for (int i = 0; i < 6; ++i)
        tasto(griglia, Qt::Key_F3);
    EXPECT_EQ(visibili(), QStringList({"NOTE"}));
    tasto(griglia, Qt::Key_F4);
    EXPECT_EQ(visibili(), QStringList({"COD", "NOME", "PREZZO", "DATA", "NOTE"}));

    // F5 cycles the grouping display of the number column, zero shown as nothing.
    griglia.setCurrentIndex(griglia.modello().index(0, colonnaDi(f, "PREZZO")));
    const QList<QStringList> attesi = {
        {"1.234,50", "", "12,00"}, {"1.235", "", "12"}, {"1234,50", "0,00", "12,00"}};
    for (const QStringList& attesa : attesi) {
        tasto(griglia, Qt::Key_F5);
        EXPECT_EQ(colonnaRisposta(f, "PREZZO"), attesa);
    }
    EXPECT_TRUE(port.messages().isEmpty());
}

TEST_F(QueryForm, OneRecordViewCutsALongMemoIntoPieces) {
    TIBLQueryForm& f = apri();
    esegui();
    f.TabRispTmp.Codici().AggTipoRaggruppamento(2, u'1');
    tasto(*f.DBGrid2, Qt::Key_F7);
    ASSERT_TRUE(f.UnRecord());
    QVector<RigaUnRecord> righe;
    for (f.TabRecTmp.first(); !f.TabRecTmp.eof(); f.TabRecTmp.next())
        righe.append({f.TabRecTmp.fieldByName("NomeCampo")->asString(),
                      f.TabRecTmp.fieldByName("Dato")->asString()});
    const QString nota = notaLunga();
    ASSERT_EQ(righe.size(), 7);
    EXPECT_EQ(
        righe.mid(0, 4),
        QVector<RigaUnRecord>(
            {{"COD", "1"}, {"NOME", "Vite M6"}, {"PREZZO", "1.234,50"}, {"DATA", "05/01/2024"}}));
    QString ricomposta;
    for (const RigaUnRecord& r : righe.mid(4)) {
        EXPECT_EQ(r.NomeCampo, "NOTE");
        EXPECT_LE(r.Dato.size(), 100);
        ricomposta += (ricomposta.isEmpty() ? "" : " ") + r.Dato;
    }
    EXPECT_EQ(ricomposta, nota);
    EXPECT_EQ(f.DBGrid2->dataset(), &f.TabRecTmp);
    EXPECT_FALSE(f.ButtonSomma->isVisible());
    EXPECT_FALSE(f.ButtonRitornaQuery->isVisible());
    EXPECT_TRUE(f.ButtonChiudiRisposta->isVisible());

    clic(*f.ButtonGira);
    EXPECT_FALSE(f.UnRecord());
    EXPECT_EQ(f.DBGrid2->dataset(), &f.TabRispTmp.Dati());
    EXPECT_TRUE(f.ButtonRitornaQuery->isEnabled());
    EXPECT_FALSE(f.ButtonChiudiRisposta->isVisible());
}

TEST_F(QueryForm, TheFontButtonSetsTheAnswerGridsAndThePrintFont) {
    QFont scelto("DejaVu Serif");
    scelto.setPixelSize(17);
    DialoghiQuery dialoghi = DialoghiPredefiniti();
    dialoghi.Carattere = [&](QWidget*, const QFont&) { return std::optional(scelto); };
    TIBLQueryForm& f = apri(dialoghi);
    esegui();
    clic(*f.ButtonFont);
    EXPECT_EQ(f.DBGrid2->font(), scelto);
    EXPECT_EQ(f.CaratterePerStampa, scelto);
    // A new answer starts again from the form's own font.
    clic(*f.ButtonRitornaQuery);
    esegui();
    EXPECT_EQ(f.DBGrid2->font(), f.font());
}

TEST_F(QueryForm, ChartsAndExportGetTheOpenAnswerAndTheFormsPlaces) {
    QStringList chiamate;
    DialoghiQuery dialoghi = DialoghiPredefiniti();
    dialoghi.Grafici = [&](QWidget*, Interazione&, const QString& ditta, const QString&,
                           const QString& directoryLavoro, Risposta& risposta) {
        chiamate << "Grafico " + ditta + " " + QString::number(risposta.Dati().recordCount()) +
                        (directoryLavoro == form->DirectoryLavoro() ? " lavoro" : " altrove");
    };
    dialoghi.Esporta = [&](QWidget*, Interazione&, Risposta& risposta,
                           const ContestoEsportazione& c) {
        chiamate << "Esporta " + c.Ditta + " " + c.NomeFile + " " + c.Separatore + " " +
                        QString::number(risposta.Dati().recordCount());
    };
    TIBLQueryForm& f = apri(dialoghi);
    esegui();
    clic(*f.ButtonGrafico);
    clic(*f.ButtonEsporta);
    EXPECT_EQ(chiamate, QStringList({"Grafico D01 3 lavoro", "Esporta D01 ART.TXT ; 3"}));
}

TEST_F(QueryForm, RecordCountSaysZeroForAnEmptyAnswer) {
    TIBLQueryForm& f = apri();
    esegui();
    clic(*f.ButtonNumeroRecord);
    clic(*f.ButtonRitornaQuery);
    scriviCondizione(f, "COD", "(COD > 99)");
    esegui();
    clic(*f.ButtonNumeroRecord);
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{ScriptedInterazione::Kind::Informazione, "Numero record presenti: 3"},
                   {ScriptedInterazione::Kind::Informazione, "Numero record presenti: 0"}}));
}

TEST_F(QueryForm, CopySqlShowsTheStatementAndCopiesItOnOk) {
    TIBLQueryForm& f = apri();
    f.ScriviRighe(definizione({{"COD", 1, ""}, {"NOME", 0, "(NOME = 'D''A')"}}));
    const QString sql = QStringList({"SELECT", "XX.COD", "FROM ", "\"ART\" XX ", "WHERE ",
                                     "((XX.NOME = ''D''''A''))"})
                            .join('\n');
    QApplication::clipboard()->setText("prima");
    // The statement is shown; Cancel leaves the clipboard alone.
    for (const char* pulsante : {"Cancel", "Ok"})
        ASSERT_TRUE(conDialogo(
            [&](QDialog& d) {
                auto& finestra = dynamic_cast<FinestraSql&>(d);
                EXPECT_EQ(finestra.MemoSql->toPlainText(), sql);
                for (QPushButton* p : finestra.findChildren<QPushButton*>())
                    if (p->text() == pulsante)
                        clic(*p);
            },
            [&] { f.CopiaSqlnelclipboard1->trigger(); }));
    EXPECT_EQ(QApplication::clipboard()->text(), sql);
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{ScriptedInterazione::Kind::Informazione, "Script SQL copiato!"}}));
    EXPECT_FALSE(f.VistaRisposta());
}

TEST_F(QueryForm, RunAtOpenRunsOnceWhenTheFormFirstShows) {
    DialoghiQuery dialoghi = DialoghiPredefiniti();
    int richieste = 0;
    dialoghi.Valore = [&](QWidget*, bool) {
        ++richieste;
        return std::optional<QString>();
    };
    TIBLQueryForm& f = apri(dialoghi, true);
    QTRY_VERIFY(f.VistaRisposta());
    clic(*f.ButtonRitornaQuery);
    scriviCondizione(f, "NOME", "dado");
    // A dialog closing, the form hidden and shown again: the user's work stays.
    tastoSuRiga(f, "COD", Qt::Key_F10);
    f.hide();
    f.show();
    QTest::qWait(20);
    EXPECT_EQ(richieste, 1);
    EXPECT_FALSE(f.VistaRisposta());
    EXPECT_EQ(condizioneDi(f, "NOME"), "dado");
}

TEST_F(QueryForm, ASyntaxErrorIsToldAndTheViewStays) {
    TIBLQueryForm& f = apri();
    scriviCondizione(f, "COD", "(COD >>> 1)");
    esegui();
    EXPECT_FALSE(f.VistaRisposta());
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_TRUE(port.messages()[0].text.startsWith(
        "Si prega di verificare la sintassi delle condizioni o dei collegamenti"));
}

TEST_F(QueryForm, TheLayoutTableKeepsTheAnswersLookAcrossAReopening) {
    TIBLQueryForm& f = apri();
    esegui();
    Dataset& dati = f.TabRispTmp.Dati();
    dati.fieldByName("NOME")->setVisible(false);
    dati.fieldByName("PREZZO")->setDisplayWidth(3);
    dati.moveField(dati.fieldByName("DATA"), 0);
    f.TabRispTmp.Codici().AggTipoRaggruppamento(2, u'2');
    f.SalvaAspetto();
    QStringList tabella;
    for (f.TabAspRTmp.first(); !f.TabAspRTmp.eof(); f.TabAspRTmp.next()) {
        QStringList riga;
        for (int i = 0; i < f.TabAspRTmp.fieldCount(); ++i)
            riga << f.TabAspRTmp.field(i)->asString();
        tabella << riga.join(' ');
    }
    EXPECT_EQ(tabella, QStringList({"0 COD 10 1 1 0", "1 NOME 30 0 2 0", "2 PREZZO 3 1 3 2",
                                    "3 DATA 10 1 0 0", "4 NOTE 10 1 4 0"}));

    tasto(*f.DBGrid2, Qt::Key_F4);
    EXPECT_EQ(dati.fieldNames(), QStringList({"COD", "NOME", "PREZZO", "DATA", "NOTE"}));
    RipristinaAspetto(f.TabAspRTmp, dati);
    EXPECT_EQ(dati.fieldNames(), QStringList({"DATA", "COD", "NOME", "PREZZO", "NOTE"}));
    EXPECT_FALSE(dati.fieldByName("NOME")->visible());
    EXPECT_EQ(dati.fieldByName("PREZZO")->displayWidth(), 3);
    EXPECT_EQ(dati.fieldByName("PREZZO")->displayLabel(), "PRE");
    EXPECT_TRUE(f.DBGrid2->isColumnHidden(colonnaDi(f, "NOME")));
}

} // namespace
