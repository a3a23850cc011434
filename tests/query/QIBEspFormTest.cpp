#include "ArchivioEsportazione.h"

#include "platform/IniFile.h"
#include "query/esporta/ui/AvanzamentoForm.h"
#include "query/esporta/ui/EsportaRisposta.h"
#include "query/esporta/ui/QIBEspForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace mavo::test {
namespace {

class DialogoEsportazione : public ArchivioEsportazione {
protected:
    QString impostazione(const QString& chiave) const {
        return IniFile(contesto().FileImpostazioni).readString("DEMO", chiave, "(assente)");
    }
    void imposta(const QString& chiave, const QString& valore) {
        IniFile(contesto().FileImpostazioni).writeString("DEMO", chiave, valore);
    }
};

TEST_F(DialogoEsportazione, TypesRewriteTheNameAndShowTheirControls) {
    TQIBEspForm dialogo(contesto(), port);
    EXPECT_EQ(dialogo.windowTitle(), "Esporta - Ditta: DEMO");
    dialogo.EditNomeFile->setText("Listino.txt"); // what the dialog shows on activation
    dialogo.show();
    const struct {
        TipoExport tipo;
        const char* nome;
        const char* pulsante;
        bool cartella, separatore, intestazioni;
    } casi[] = {
        {TipoExport::IB, "EXPORT", "Nome Tabella", false, false, false},
        {TipoExport::Excel, "Listino.xls", "Nome del File", true, false, false},
        {TipoExport::ExcelX, "Listino.xlsx", "Nome del File", true, false, false},
        {TipoExport::ExcelL, "Listino.xls", "Nome del File", true, false, false},
        {TipoExport::ExcelLTesto, "Listino.xls", "Nome del File", true, false, false},
        {TipoExport::Testo, "Listino.txt", "Nome del File", true, true, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        dialogo.EditTipoExport->button(int(c.tipo))->click();
        EXPECT_EQ(dialogo.EditNomeFile->text(), c.nome);
        EXPECT_EQ(dialogo.ButtonNomeFile->text(), c.pulsante);
        EXPECT_EQ(dialogo.EditPercorso->isVisible(), c.cartella);
        EXPECT_EQ(dialogo.ButtonSelezPercorso->isVisible(), c.cartella);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 dialogo.EditSeparatore, dialogo.ButtonLunghezzaFissa,
                 dialogo.CheckStampaMemoEstesi, dialogo.EditTagSostRitornoCapo})
            EXPECT_EQ(w->isVisible(), c.separatore) << w->objectName().toStdString();
        EXPECT_EQ(dialogo.CheckSaltaIntestazioni->isVisible(), c.intestazioni);
        EXPECT_EQ(dialogo.Risultato().Tipo, c.tipo);
    }
    // The RTF choice only with extended memos.
    EXPECT_FALSE(dialogo.CheckRTFInChiaro->isVisible());
    dialogo.CheckStampaMemoEstesi->click();
    EXPECT_TRUE(dialogo.CheckRTFInChiaro->isVisible());
}

TEST_F(DialogoEsportazione, FixedWidthSwitchesTheSeparator) {
    TQIBEspForm dialogo(contesto(), port);
    dialogo.show();
    const struct {
        const char* prima;
        const char* fisso;
        const char* dopo;
    } casi[] = {{";", "|", ";"}, {"#", "#", "#"}, {"", "", ""}};
    for (const auto& c : casi) {
        dialogo.EditSeparatore->setText(c.prima);
        dialogo.ButtonLunghezzaFissa->click();
        EXPECT_EQ(dialogo.EditSeparatore->text(), c.fisso) << c.prima;
        dialogo.ButtonLunghezzaFissa->click();
        EXPECT_EQ(dialogo.EditSeparatore->text(), c.dopo) << c.prima;
    }
    EXPECT_EQ(dialogo.EditSeparatore->maxLength(), 1);
    EXPECT_EQ(dialogo.EditNomeFile->maxLength(), 64);
}

TEST_F(DialogoEsportazione, SettingsReadAtCreationAndWrittenOnConfirmation) {
    imposta("Directory bin", "/opt/bin");
    imposta("StampaMemoEstesi", "Si");
    imposta("StampaMemoEstesiTag", "<br>");
    imposta("Excel Preimpostato", "/modelli/base.xlsx");
    {
        TQIBEspForm dialogo(contesto(), port);
        EXPECT_EQ(dialogo.EditPercorso->text(), "/opt/bin");
        EXPECT_TRUE(dialogo.CheckStampaMemoEstesi->isChecked());
        EXPECT_EQ(dialogo.EditTagSostRitornoCapo->text(), "<br>");
        EXPECT_EQ(dialogo.EditExcelPreimpostato->text(), "/modelli/base.xlsx");
        EXPECT_EQ(dialogo.EditNomeFile->text(), "ART.TXT");
        EXPECT_EQ(dialogo.EditSeparatore->text(), ";");
        dialogo.CancelBtn->click();
        EXPECT_EQ(dialogo.Esito(), 2);
    }
    EXPECT_EQ(impostazione("Programma riferimento Excel"), "(assente)");
    imposta("Directory tabelle temporanee", "/var/tmp/tabelle");
    EXPECT_EQ(TQIBEspForm(contesto(), port).EditPercorso->text(), "/var/tmp/tabelle");

    TQIBEspForm dialogo(contesto(), port);
    dialogo.show();
    // The folder chosen is kept at once, with its separator.
    dialogo.ScegliCartella = [this](const QString& iniziale) {
        EXPECT_EQ(iniziale, "/var/tmp/tabelle");
        return cartella.path();
    };
    dialogo.ButtonSelezPercorso->click();
    EXPECT_EQ(dialogo.EditPercorso->text(), cartella.path() + "/");
    EXPECT_EQ(impostazione("Directory export Query"), cartella.path() + "/");
    dialogo.ScegliFile = [](const QString& titolo, const QString& filtro, const QString&) {
        EXPECT_EQ(titolo, "Eseguibile Excel");
        EXPECT_EQ(filtro, ""); // every file: programs here have no extension
        return QStringLiteral("/usr/bin/localc");
    };
    dialogo.ButtonEseguibileExcel->click();
    dialogo.CheckStampaMemoEstesi->click();
    dialogo.EditTagSostRitornoCapo->setText("");
    dialogo.OKBtn->click();
    EXPECT_EQ(dialogo.Esito(), 1);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(impostazione("StampaMemoEstesi"), "No");
    EXPECT_EQ(impostazione("StampaMemoEstesiTag"), "");
    EXPECT_EQ(impostazione("Programma riferimento Excel"), "/usr/bin/localc");
    const OpzioniEsportazione o = dialogo.Risultato();
    EXPECT_EQ(o.Esito, 1);
    EXPECT_EQ(o.Destinazione(), cartella.filePath("ART.TXT"));
    EXPECT_EQ(o.EseguibileExcel, "/usr/bin/localc");
    EXPECT_FALSE(o.MemoEstesi);
    EXPECT_EQ(o.Separatore, ";");
}

TEST_F(DialogoEsportazione, ApriExcelWantsAProgram) {
    TQIBEspForm dialogo(contesto(), port);
    dialogo.show();
    dialogo.BitBtnApriExcel->click();
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_EQ(dialogo.Esito(), 0);
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{ScriptedInterazione::Kind::Avviso, "Impostare prima l'eseguibile Excel"}}));
    dialogo.EditEseguibileExcel->setText("/usr/bin/localc");
    dialogo.BitBtnApriExcel->click();
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(dialogo.Risultato().Esito, 8);
    EXPECT_EQ(impostazione("Programma riferimento Excel"), "/usr/bin/localc");
}

// A stand-in for the spreadsheet program, in a folder with a blank, that
// writes down how many arguments it got and which.
class ApriExcel : public DialogoEsportazione {
protected:
    void SetUp() override {
        DialogoEsportazione::SetUp();
        QDir(cartella.path()).mkpath("programmi con spazi");
        QDir(cartella.path()).mkpath("export con spazi");
        programma = cartella.filePath("programmi con spazi/foglio elettronico");
        QFile script(programma);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$(dirname \"$0\")/argomenti.tmp\"\n"
            "mv \"$(dirname \"$0\")/argomenti.tmp\" \"$(dirname \"$0\")/argomenti\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        argomenti = cartella.filePath("programmi con spazi/argomenti");
    }

    // What the program was given, once it has run (a few seconds at most).
    QStringList argomentiRicevuti(int attesa = 10000) {
        QDeadlineTimer limite(attesa);
        while (!QFile::exists(argomenti) && !limite.hasExpired())
            QThread::msleep(20);
        QFile file(argomenti);
        if (!file.open(QIODevice::ReadOnly))
            return {"(non avviato)"};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // Runs the whole command with a dialog that answers `risposte` in turn.
    int esporta(QList<OpzioniEsportazione> risposte) {
        int chiamate = 0;
        esportazione.Esporta([&](const ContestoEsportazione& c) {
            EXPECT_EQ(c.Ditta, "DEMO");
            ++chiamate;
            if (risposte.isEmpty())
                return OpzioniEsportazione{}; // cancelled
            return risposte.takeFirst();
        });
        return chiamate;
    }

    QString programma;
    QString argomenti;
};

TEST_F(ApriExcel, TheFileGoesToTheProgramAsOneArgument) {
    apri();
    imposta("Programma riferimento Excel", programma);
    OpzioniEsportazione o = opzioni(TipoExport::ExcelX, "il mio foglio.xlsx");
    o.Cartella = cartella.filePath("export con spazi");
    o.Esito = 8;
    EXPECT_EQ(esporta({o}), 1);
    const QString file = cartella.filePath("export con spazi/il mio foglio.xlsx");
    EXPECT_EQ(argomentiRicevuti(), QStringList({"1", file}));
    EXPECT_TRUE(port.messages().isEmpty()); // no "terminato" before the program
}

TEST_F(ApriExcel, NoProgramAfterAFailureNorForATable) {
    apri();
    imposta("Programma riferimento Excel", programma);
    OpzioniEsportazione o = opzioni(TipoExport::ExcelX, "a.xlsx");
    o.Cartella = cartella.filePath("nessuna cartella");
    o.Esito = 8;
    esporta({o});
    OpzioniEsportazione tabella = opzioni(TipoExport::IB, "COPIA");
    tabella.Esito = 8;
    esporta({tabella});
    EXPECT_EQ(argomentiRicevuti(1500), QStringList({"(non avviato)"}));
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_TRUE(port.messages()[0].text.startsWith("ERRORE NELL' EXPORT SU FILE EXCEL!!!"));
    EXPECT_EQ(archivio.scalar("SELECT COUNT(*) FROM COPIA").toInt(), 3);

    // No program set: said, after the file has been written.
    imposta("Programma riferimento Excel", "");
    o.Cartella = cartella.path();
    esporta({o});
    EXPECT_EQ(port.messages().last().text,
              "Errore: specificare parametro \"Programma riferimento Excel\" nel tervald.ini");
    EXPECT_TRUE(QFile::exists(cartella.filePath("a.xlsx")));
}

TEST_F(ApriExcel, AnErrorIsShownBeforeTheDialogComesAgain) {
    archivio.exec("CREATE TABLE EXPORT (X INTEGER)");
    apri();
    OpzioniEsportazione tabella = opzioni(TipoExport::IB, "EXPORT");
    // Again with the earlier routine, which writes text files only.
    EXPECT_EQ(esporta({tabella, opzioni(TipoExport::Testo, "dopo.txt")}), 2);
    using K = ScriptedInterazione::Kind;
    EXPECT_EQ(
        port.messages(),
        QList<ScriptedInterazione::Message>(
            {{K::Errore, "La tabella EXPORT esiste già nell'archivio: scegliere un altro nome"},
             {K::Informazione, "EXPORT SU FILE TERMINATO !!!"}}));
    EXPECT_TRUE(contenuto("dopo.txt").startsWith("COD;DESCR;"));
    // Cancelled: nothing at all.
    EXPECT_EQ(esporta({}), 1);
    EXPECT_EQ(port.messages().size(), 2);
}

TEST_F(DialogoEsportazione, TheFormsButtonRunsDialogAndWindows) {
    apri();
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<TQIBEspForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialogo);
        dialogo->EditPercorso->setText(cartella.path());
        dialogo->EditNomeFile->setText("dal.pulsante.txt");
        dialogo->OKBtn->click();
    });
    ButtonEsportaClick(nullptr, port, risposta, contesto());
    EXPECT_TRUE(contenuto("dal.pulsante.txt").startsWith("COD;DESCR;"));
    EXPECT_EQ(port.messages().last().text, "EXPORT SU FILE TERMINATO !!!");
}

TEST(AvanzamentoForm, OneBarFillingTheWindow) {
    TAvanzamentoForm finestra;
    EXPECT_EQ(finestra.windowTitle(), "Avanzamento");
    EXPECT_EQ(finestra.BarraProgresso->size(), QSize(692, 21));
    EXPECT_EQ(finestra.size(), QSize(692, 21));
    EXPECT_EQ(finestra.BarraProgresso->maximum(), 100);
    EXPECT_EQ(finestra.font().pixelSize(), 13);
    ProgressoEsportazione progresso(nullptr, "Avanzamento", false);
    progresso.Mostra();
    progresso.SetProgresso(40);
    ASSERT_TRUE(progresso.finestra()->isVisible());
    EXPECT_EQ(progresso.finestra()->findChild<QProgressBar*>("BarraProgresso")->value(), 40);
}

} // namespace
} // namespace mavo::test
