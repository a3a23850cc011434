#include "FormQuery.h"

#include "common/ui/EditData.h"
#include "dataset/DatasetModel.h"
#include "query/calcoli/Calcoli.h"
#include "query/calcoli/OrdineETotali.h"
#include "query/calcoli/ui/CalcSommaForm.h"
#include "query/calcoli/ui/EditCondForm.h"
#include "query/calcoli/ui/FormuleForm.h"
#include "query/calcoli/ui/OrdETotForm.h"
#include "query/calcoli/ui/RaggMesiForm.h"
#include "query/calcoli/ui/RangeForm.h"
#include "query/calcoli/ui/SommaForm.h"
#include "query/form/CondizioniGuidate.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "support/Gesti.h"
#include "support/QtPrinters.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace mavo;
using namespace mavo::test;
using Kind = ScriptedInterazione::Kind;

namespace {

QStringList voci(const QListWidget& lista) {
    QStringList testi;
    for (int i = 0; i < lista.count(); ++i)
        testi << lista.item(i)->text();
    return testi;
}

// A double-click on a name of the list.
void doppioClicVoce(QListWidget& lista, const QString& nome) {
    const QList<QListWidgetItem*> trovate = lista.findItems(nome, Qt::MatchExactly);
    ASSERT_EQ(trovate.size(), 1) << nome.toStdString();
    const QPoint centro = lista.visualItemRect(trovate.first()).center();
    QTest::mouseClick(lista.viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(lista.viewport(), Qt::LeftButton, {}, centro);
}

QPushButton& pulsante(QDialog& dialogo, const QString& testo) {
    for (QPushButton* p : dialogo.findChildren<QPushButton*>())
        if (p->text() == testo)
            return *p;
    throw std::runtime_error("no button " + testo.toStdString());
}

// A click on a radio button's round box.
void scegli(QRadioButton& scelta) {
    QTest::mouseClick(&scelta, Qt::LeftButton, {}, {6, scelta.height() / 2});
}

void scriviIn(QWidget& casella, const QString& testo) {
    for (QChar c : testo)
        QTest::keyClick(&casella, c.toLatin1());
}

TEST(Calcoli, RangesDatesAndLineBreaks) {
    const struct {
        const char* da;
        const char* a;
        bool valido;
    } intervalli[] = {{"9", "10", true},    {"09", "10", true},   {"10", "9", false},
                      {"10,5", "9", false}, {"abc", "abd", true}, {"b", "a", false},
                      {"", "a", true},      {"7", "", true}};
    for (const auto& c : intervalli)
        EXPECT_EQ(RangeValido(c.da, c.a), c.valido) << c.da << " - " << c.a;
    EXPECT_EQ(DataRiscritta("5/3/2024"), std::optional<QString>("05/03/2024"));
    EXPECT_EQ(DataRiscritta("32/01/2024"), std::nullopt);
    EXPECT_EQ(CondizioneDaEditor("(A = 1)\r\nAND\n(B = 2)\rOR C"), "(A = 1) AND (B = 2) OR C");
}

TEST(Calcoli, TheOrderByFollowsTheCodes) {
    const QStringList base{"SELECT", "XX.A,", "XX.B,", "XX.C", "FROM ", "\"T\" XX "};
    const struct {
        const char* caso;
        QVector<int> codici;
        bool ordinata;
        QStringList sql; // after the base
        bool ordinataDopo;
    } casi[] = {
        {"due chiavi crescenti", {200, 0, 100}, false, {"ORDER BY", "3, ", "1"}, true},
        {"decrescente su ogni chiave",
         {10200, 10100, 1},
         false,
         {"ORDER BY", "2 DESCENDING, ", "1 DESCENDING"},
         true},
        {"sostituisce l'ordine di prima", {0, 100, 0}, true, {"ORDER BY", "2"}, true},
        {"nessuna chiave toglie l'ordine", {0, 11, 2}, true, {}, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        CodiciVisualizzazione codici;
        codici.Dimensiona(3);
        for (int n = 0; n < 3; ++n)
            codici.SetCodice(n, c.codici[n]);
        bool ordinata = c.ordinata;
        const QStringList prima = c.ordinata ? base + QStringList{"ORDER BY", "1, ", "3"} : base;
        EXPECT_EQ(OrdinaIstruzione(prima, ordinata, codici, 3), base + c.sql);
        EXPECT_EQ(ordinata, c.ordinataDopo);
    }
}

// The dialogs over the answer of ART (COD, NOME, PREZZO, DATA, NOTE).
class DialoghiRisposta : public FormQuery {
protected:
    Dataset& risposta() {
        if (!form)
            apri();
        if (!form->VistaRisposta())
            esegui();
        return form->TabRispTmp.Dati();
    }
    CodiciVisualizzazione& codici() { return form->TabRispTmp.Codici(); }
    void imposta(std::initializer_list<std::pair<const char*, int>> valori) {
        Dataset& dati = risposta();
        for (const auto& [campo, codice] : valori)
            codici().SetCodice(dati.fieldByName(campo)->fieldNo(), codice);
    }
    int codice(const char* campo) {
        const int n = risposta().fieldByName(campo)->fieldNo();
        return codici().Codice(n);
    }
};

TEST_F(DialoghiRisposta, OrderAndTotalsOpenOnTheCodesAndRewriteThem) {
    imposta({{"COD", 10200}, {"NOME", 10100}});
    {
        TOrdETotForm dialogo(risposta(), codici(), "D01", port);
        EXPECT_EQ(dialogo.windowTitle(), "Ordinamento e Totali");
        EXPECT_TRUE(dialogo.Decrescente->isChecked());
        EXPECT_EQ(voci(*dialogo.ListBox2), QStringList({"NOME", "COD"}));
        // A memo cannot be ordered on; numbers can have totals.
        EXPECT_EQ(voci(*dialogo.ListBox1), QStringList({"PREZZO", "DATA"}));
        EXPECT_EQ(voci(*dialogo.ListBox3), QStringList({"COD", "PREZZO"}));
        EXPECT_TRUE(voci(*dialogo.ListBox4).isEmpty());
    }

    // The example: ascending on NOME then DATA, a total on PREZZO shown grouped.
    imposta({{"COD", 0}, {"NOME", 0}, {"PREZZO", 1}});
    TOrdETotForm dialogo(risposta(), codici(), "D01", port);
    dialogo.show();
    EXPECT_TRUE(dialogo.Crescente->isChecked());
    doppioClicVoce(*dialogo.ListBox1, "NOME");
    doppioClicVoce(*dialogo.ListBox1, "DATA");
    doppioClicVoce(*dialogo.ListBox3, "PREZZO");
    EXPECT_EQ(voci(*dialogo.ListBox1), QStringList({"COD", "PREZZO"}));
    clic(*dialogo.ButtonAggiorna);
    EXPECT_EQ(dialogo.Esito, 1);
    EXPECT_EQ(codice("NOME"), 100);
    EXPECT_EQ(codice("DATA"), 200);
    EXPECT_EQ(codice("PREZZO"), 11);
    EXPECT_EQ(codice("COD"), 0);

    // Closed without "&Aggiorna": the codes stay.
    TOrdETotForm chiuso(risposta(), codici(), "D01", port);
    chiuso.show();
    doppioClicVoce(*chiuso.ListBox2, "NOME");
    clic(*chiuso.ButtonChiudi);
    EXPECT_EQ(chiuso.Esito, 2);
    EXPECT_EQ(codice("NOME"), 100);
}

TEST(OrdineETotali, AThirtySecondKeyIsRefusedAndRemovingEveryKeyClearsThem) {
    MemoryDataset risposta;
    for (int i = 1; i <= 32; ++i)
        risposta.addFieldDef(QStringLiteral("C%1").arg(i), FieldType::Integer);
    risposta.open();
    CodiciVisualizzazione codici;
    codici.Dimensiona(32);
    ScriptedInterazione port;
    TOrdETotForm dialogo(risposta, codici, "D01", port);
    dialogo.show();
    for (int i = 1; i <= 32; ++i)
        doppioClicVoce(*dialogo.ListBox1, QStringLiteral("C%1").arg(i));
    EXPECT_EQ(dialogo.ListBox2->count(), 31);
    EXPECT_EQ(voci(*dialogo.ListBox1), QStringList({"C32"}));
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{Kind::Avviso, "Attenzione: Troppi campi in Chiave di ordinamento"}}));
    scegli(*dialogo.Decrescente);
    clic(*dialogo.ButtonAggiorna);
    EXPECT_EQ(codici.Codice(30), 13100);

    codici.SetCodice(31, 2);
    TOrdETotForm di_nuovo(risposta, codici, "D01", port);
    di_nuovo.show();
    while (di_nuovo.ListBox2->count() > 0)
        doppioClicVoce(*di_nuovo.ListBox2, di_nuovo.ListBox2->item(0)->text());
    clic(*di_nuovo.ButtonAggiorna);
    for (int n = 0; n < 32; ++n)
        EXPECT_EQ(codici.Codice(n), n == 31 ? 2 : 0) << n;
}

TEST_F(DialoghiRisposta, OrderingReopensTheAnswerInOrderWithItsLook) {
    archivio.exec("INSERT INTO ART VALUES (4, 'Vite M6', 5, '2024-04-01', NULL)");
    risposta().fieldByName("PREZZO")->setVisible(false);
    const auto ordina = [&](const std::function<void(TOrdETotForm&)>& scelta) {
        ASSERT_TRUE(conDialogo(
            [&](QDialog& d) {
                auto& dialogo = dynamic_cast<TOrdETotForm&>(d);
                scelta(dialogo);
                clic(*dialogo.ButtonAggiorna);
            },
            [&] { clic(*form->ButtonOrdina); }));
    };
    // Descending on NOME then COD: both keys reversed.
    ordina([](TOrdETotForm& dialogo) {
        doppioClicVoce(*dialogo.ListBox1, "NOME");
        doppioClicVoce(*dialogo.ListBox1, "COD");
        scegli(*dialogo.Decrescente);
    });
    EXPECT_EQ(colonnaRisposta(*form, "COD"), QStringList({"3", "4", "1", "2"}));
    EXPECT_TRUE(form->TabRispTmp.Query().sql().contains("1 DESCENDING"));
    EXPECT_FALSE(risposta().fieldByName("PREZZO")->visible());
    EXPECT_TRUE(form->DBGrid2->isColumnHidden(colonnaDi(*form, "PREZZO")));

    // Every key taken away: no order left, the rows as the table has them.
    ordina([](TOrdETotForm& dialogo) {
        while (dialogo.ListBox2->count() > 0)
            doppioClicVoce(*dialogo.ListBox2, dialogo.ListBox2->item(0)->text());
    });
    EXPECT_FALSE(form->TabRispTmp.Query().sql().join(' ').contains("ORDER BY"));
    EXPECT_EQ(colonnaRisposta(*form, "COD"), QStringList({"1", "2", "3", "4"}));
    EXPECT_TRUE(port.messages().isEmpty());
}

// Numbers of every kind, for the sums.
class Somme : public FormQuery {
protected:
    void SetUp() override {
        FormQuery::SetUp();
        archivio.exec({"CREATE TABLE NUM (S SMALLINT, I INTEGER, B BIGINT, D DOUBLE PRECISION, "
                       "DE DECIMAL(15,2), N NUMERIC(18,4), T VARCHAR(5))",
                       "INSERT INTO NUM VALUES (1, 5, 7, 1.5, 1000.25, 1, 'a')",
                       "INSERT INTO NUM VALUES (2, -5, 8, 0.75, 234.25, NULL, 'b')",
                       "INSERT INTO NUM VALUES (NULL, NULL, 9, NULL, NULL, 2.5, 'c')"});
        tabella.close();
        tabella.setTableName("NUM");
        tabella.open();
    }
};

TEST_F(Somme, EachSumDialogOffersItsNumbers) {
    TIBLQueryForm& f = apri();
    esegui();
    TSommaForm somma("D01", "", lavoro.path(), f.TabRispTmp.Dati(), port);
    EXPECT_EQ(somma.windowTitle(), "Calcolo somma");
    QStringList offerti;
    for (int i = 0; i < somma.EditCampi->count(); ++i)
        offerti << somma.EditCampi->itemText(i);
    EXPECT_EQ(offerti, QStringList({"S", "I", "D", "DE", "N"}));

    TCalcSommaForm raggruppata("NUM", archivio.db());
    EXPECT_EQ(raggruppata.windowTitle(), "Inserimento somma");
    offerti.clear();
    for (int i = 0; i < raggruppata.ComboCampo->count(); ++i)
        offerti << raggruppata.ComboCampo->itemText(i);
    EXPECT_EQ(offerti, QStringList({"B", "D", "DE", "I", "N", "S"}));
    EXPECT_EQ(raggruppata.EditSomma->text(), "Tot");
}

TEST_F(Somme, TheSumIsToldAndTheUsersPlaceStays) {
    TIBLQueryForm& f = apri();
    esegui();
    f.DBGrid2->setCurrentIndex(f.DBGrid2->modello().index(1, 0));
    f.TabRispTmp.Dati().moveTo(1);
    ASSERT_TRUE(conDialogo(
        [&](QDialog& d) {
            auto& dialogo = dynamic_cast<TSommaForm&>(d);
            for (const char* campo : {"DE", "I", "D", "N"}) {
                dialogo.EditCampi->setCurrentText(campo);
                clic(*dialogo.ButtonCalcola);
            }
            clic(*dialogo.ButtonOk);
        },
        [&] { clic(*f.ButtonSomma); }));
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>({{Kind::Informazione, "1.234,50"},
                                                   {Kind::Informazione, ""},
                                                   {Kind::Informazione, "2,25"},
                                                   {Kind::Informazione, "3,50"}}));
    EXPECT_EQ(f.TabRispTmp.Dati().recNo(), 1);
    EXPECT_EQ(f.DBGrid2->currentIndex().row(), 1);
}

// The builders of the definition view, driven by keys in their real dialogs.
using Costruttori = FormQuery;

TEST_F(Costruttori, F6WritesRangesOfValuesAndDates) {
    const struct {
        const char* caso;
        const char* campo;
        const char* da;
        const char* a;
        const char* attesa;
        bool rifiutato = false;
    } casi[] = {
        {"numeri in ordine di valore", "COD", "9", "10", "(COD>=9)AND(COD<=10)"},
        {"solo il secondo, con la virgola", "PREZZO", "", "10,5", "(PREZZO<=10.5)"},
        {"testi", "NOME", "A'B", "Z", "(NOME>='A''B')AND(NOME<='Z')"},
        {"date", "DATA", "01012024", "31122024", "(DATA>='01/01/2024')AND(DATA<='31/12/2024')"},
        {"solo la data finale", "DATA", "", "5/3/24", "(DATA<='05/03/2024')"},
        {"intervallo rovesciato", "COD", "10", "9", "(COD>=9)AND(COD<=10)", true},
    };
    TIBLQueryForm& f = apri();
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        port = ScriptedInterazione();
        const bool aperto = conDialogo(
            [&](QDialog& d) {
                auto& dialogo = dynamic_cast<TRangeForm&>(d);
                const bool date = QString(c.campo) == "DATA";
                EXPECT_EQ(dialogo.LabelTipo->text(), date ? "Data" : "Valore");
                QLineEdit* primo = date ? dialogo.EditData1 : dialogo.Edit1;
                QLineEdit* secondo = date ? dialogo.EditData2 : dialogo.Edit2;
                EXPECT_TRUE(primo->isVisible());
                EXPECT_EQ(dialogo.focusWidget(), primo);
                scriviIn(*primo, c.da);
                QTest::keyClick(primo, Qt::Key_Tab);
                scriviIn(*secondo, c.a);
                QTest::keyClick(secondo, Qt::Key_Return);
            },
            [&] { tastoSuRiga(f, c.campo, Qt::Key_F6); });
        ASSERT_TRUE(aperto);
        EXPECT_EQ(condizioneDi(f, c.campo), c.attesa);
        const QList<ScriptedInterazione::Message> rifiuto = {
            {Kind::Avviso, "Impostare correttamente i valori del range"}};
        EXPECT_EQ(port.messages(), c.rifiutato ? rifiuto : QList<ScriptedInterazione::Message>());
    }
    // The server takes them.
    f.ScriviRighe({{1, "COD", 1, "(COD>=1)AND(COD<=2)"}, {2, "PREZZO", 1, "(PREZZO<=10.5)"}});
    esegui();
    EXPECT_EQ(colonnaRisposta(f, "COD"), QStringList({"2"}));
}

TEST_F(Costruttori, F7F8F9AndThePopupSumWriteTheirConditions) {
    TIBLQueryForm& f = apri();
    // F7: a field added from the list, the rest typed.
    ASSERT_TRUE(conDialogo(
        [&](QDialog& d) {
            auto& dialogo = dynamic_cast<TFormuleForm&>(d);
            EXPECT_EQ(dialogo.windowTitle(), "Inserisci Formule");
            EXPECT_EQ(dialogo.EditNomiCampi->currentText(), "PREZZO");
            EXPECT_EQ(dialogo.EditNomiCampi->count(), 5);
            EXPECT_EQ(dialogo.focusWidget(), dialogo.EditFormula);
            clic(*dialogo.ButtonAggiungi);
            scriviIn(*dialogo.EditFormula, "*2");
            scriviIn(*dialogo.EditNomeCampoRisposta, "DOPPIO");
            QTest::keyClick(dialogo.EditNomeCampoRisposta, Qt::Key_Return);
        },
        [&] { tastoSuRiga(f, "PREZZO", Qt::Key_F7); }));
    EXPECT_EQ(condizioneDi(f, "PREZZO"), "(CALC (PREZZO*2) AS DOPPIO)");
    // Without a formula: told, and nothing written.
    ASSERT_TRUE(conDialogo(
        [&](QDialog& d) {
            QTest::keyClick(dynamic_cast<TFormuleForm&>(d).EditFormula, Qt::Key_Return);
        },
        [&] { tastoSuRiga(f, "COD", Qt::Key_F7); }));
    EXPECT_EQ(condizioneDi(f, "COD"), "");

    // F8: the month of the only date field, named after it; the checks in order.
    ASSERT_TRUE(conDialogo(
        [&](QDialog& d) {
            auto& dialogo = dynamic_cast<TRaggMesiForm&>(d);
            EXPECT_EQ(dialogo.EditNomiCampi->count(), 1);
            EXPECT_EQ(dialogo.EditNomiCampi->currentText(), "DATA");
            QPushButton* ok = &pulsante(dialogo, "OK");
            clic(*ok);
            EXPECT_TRUE(dialogo.isVisible());
            scegli(*dialogo.Mese);
            EXPECT_EQ(dialogo.EditNomeCampoRisposta->text(), "Mese");
            scegli(*dialogo.Anno);
            EXPECT_EQ(dialogo.EditNomeCampoRisposta->text(), "Mese");
            dialogo.EditNomeCampoRisposta->clear();
            clic(*ok);
            EXPECT_TRUE(dialogo.isVisible());
            scegli(*dialogo.Mese);
            clic(*ok);
        },
        [&] { tastoSuRiga(f, "DATA", Qt::Key_F8); }));
    EXPECT_EQ(condizioneDi(f, "DATA"), "(EXTRACT (MONTH from DATA)) AS Mese");
    EXPECT_EQ(port.messages(), QList<ScriptedInterazione::Message>(
                                   {{Kind::Avviso, "Formula non impostata!"},
                                    {Kind::Avviso, "Selezionare il dato da estrarre!"},
                                    {Kind::Avviso, "Impostare il nome del campo di risposta!"}}));

    // F9: lines joined by one blank.
    ASSERT_TRUE(conDialogo(
        [&](QDialog& d) {
            auto& dialogo = dynamic_cast<TEditCondForm&>(d);
            EXPECT_EQ(dialogo.windowTitle(), "EDITAZIONE CONDIZIONE QUERY");
            EXPECT_EQ(dialogo.Memo1->toPlainText(), "");
            // A condition holds 1024 characters: the box takes no more.
            dialogo.Memo1->setPlainText(QString(1100, u'x'));
            EXPECT_EQ(dialogo.Memo1->toPlainText().size(), 1024);
            dialogo.Memo1->clear();
            scriviIn(*dialogo.Memo1, "(NOME LIKE 'V%')");
            QTest::keyClick(dialogo.Memo1, Qt::Key_Return);
            scriviIn(*dialogo.Memo1, "OR (COD = 2)");
            pulsante(dialogo, "OK").click();
        },
        [&] { tastoSuRiga(f, "NOME", Qt::Key_F9); }));
    EXPECT_EQ(condizioneDi(f, "NOME"), "(NOME LIKE 'V%') OR (COD = 2)");

    // The popup's sum over the current grouping.
    ASSERT_TRUE(conDialogo(
        [&](QDialog& d) {
            auto& dialogo = dynamic_cast<TCalcSommaForm&>(d);
            dialogo.ComboCampo->setCurrentText("PREZZO");
            clic(*dialogo.ButtonOk);
        },
        [&] { f.InserisciSomma1->trigger(); }));
    EXPECT_EQ(condizioneDi(f, "PREZZO"), "(Calc (Sum(PREZZO)) as Tot)");

    // What they wrote runs: a total per name of the rows asked for.
    f.ScriviRighe({{1, "NOME", 1, "(NOME LIKE 'V%') OR (COD = 2)"},
                   {2, "PREZZO", 0, "(Calc (Sum(PREZZO)) as Tot)"}});
    esegui();
    EXPECT_EQ(colonnaRisposta(f, "TOT"), QStringList({"0,00", "1234,50", "12,00"}));
}

} // namespace
