#pragma once

#include "dataset/MemoryDataset.h"
#include "query/form/ui/DialoghiQuery.h"
#include "query/motore/Definizione.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "query/stampa/Stampa.h"
#include "query/storico/Storico.h"

#include <QDialog>
#include <QFont>
#include <QHash>
#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace mavo {

class GrigliaCampi;
class GrigliaDefinizione;
class IbTable;
class Interazione;
class ModelloRisposta;
class QtInterazione;
namespace db {
class Database;
}

// The query form: the definition list of a table (one row per field, with
// its show code and condition), the condition builders, the run, and the
// answer with its own keys and views. Shown modally by ApriQuery; it works
// on the private connection ApriQuery made, and frees what it made when it
// goes.
class TIBLQueryForm : public QDialog {
    Q_OBJECT
public:
    // `tabella`, open, is the main table; `database` is both the data and the
    // history database. Messages go to `port` when given (it must outlive the
    // form), else to boxes over the form.
    TIBLQueryForm(IbTable& tabella, const QString& directoryBin, const QString& directoryLavoro,
                  const QString& ditta, db::Database& database, int utente,
                  Interazione* port = nullptr, QWidget* owner = nullptr,
                  DialoghiQuery dialoghi = DialoghiPredefiniti());
    ~TIBLQueryForm() override;

    // Set before the form shows.
    bool EseguiAllApertura = false; // run the query when the form first shows
    QString FileImpostazioni;
    QString FileEsportazione;

    // While one lives the form is rewriting rows of the definition list
    // itself: the protected rows and inserts are open to it.
    class ModificaInterna {
    public:
        explicit ModificaInterna(TIBLQueryForm& form) : form_(form) { ++form_.modificaInterna_; }
        ~ModificaInterna() { --form_.modificaInterna_; }
        ModificaInterna(const ModificaInterna&) = delete;
        ModificaInterna& operator=(const ModificaInterna&) = delete;

    private:
        TIBLQueryForm& form_;
    };
    bool ModificaInternaAttiva() const { return modificaInterna_ > 0; }

    // A button of a function wired later: from now on it runs `azione` and
    // is enabled with the other buttons of its view.
    void CollegaPulsante(QAbstractButton* pulsante, std::function<void()> azione);
    // An operation of "Elab. a&vanzate", by the word its dialog returns
    // ("CampiVisibili", "QueryAffiancata", "TogliQueryAffiancata",
    // "PassaPrecedente", "PassaSuccessiva", "EliminaSuccessiva"; the form
    // itself connects all but "CampiVisibili"): from now on the dialog offers its
    // button and the form runs `azione` when it is chosen. The three chain
    // words run only in history mode.
    void CollegaElaborazione(const QString& parola, std::function<void()> azione);

    Interazione& interazione() const { return port_; }
    TIBFQuerForm& Motore() { return *motore_; }
    IbTable& TabellaPrincipale() const { return tabella_; }
    const QString& Ditta() const { return ditta_; }
    const QString& DirectoryBin() const { return directoryBin_; }
    const QString& DirectoryLavoro() const { return directoryLavoro_; }
    int Utente() const { return utente_; }

    // The views: the definition (the start), the answer, and within it the
    // one-record view.
    bool VistaRisposta() const;
    bool UnRecord() const { return unRecord_; }

    // State the later functions (history, chains, locks, printing) keep.
    QString TabellaExtra;
    StatoDefinizione Stato; // locked, side-by-side, in a chain, F11, F12
    int LivelloCatena = 0;
    double NumeroCatena = 0; // Codice2 of the current chained query (Codice1 2000)
    // History mode and the form's own entry: set before the form shows.
    bool ModoStorico = false;
    int Codice1 = 0;
    double Codice2 = 0;
    // Set by the chained queries: checks the successors of a changed query
    // before the form closes (true: it may close). Unset, nothing is checked.
    std::function<bool()> ValidazioneSuccessive;
    bool StampaAggiornata = false;
    int LunghezzaMassima = 100; // of a value in the one-record view
    QFont CaratterePerStampa;
    StatoStampa StatoDiStampa;
    // The print's windows (title dialog, preview); tests put theirs here.
    DialoghiStampa FinestreStampa;

    // Components.
    QWidget* Panel1 = nullptr; // key labels of the answer
    QWidget* Panel2 = nullptr; // buttons of the answer
    QWidget* Panel4 = nullptr; // buttons and legend of the definition
    QWidget* Panel5 = nullptr; // the two grids, in the same place
    QPushButton* ButtonNumeroRecord = nullptr;
    QToolButton* ButtonFont = nullptr;
    QToolButton* ButtonGira = nullptr;
    QPushButton* ButtonSomma = nullptr;
    QPushButton* ButtonOrdina = nullptr;
    QPushButton* ButtonGrafico = nullptr;
    QPushButton* ButtonStampa = nullptr;
    QPushButton* ButtonEsporta = nullptr;
    QPushButton* ButtonRitornaQuery = nullptr;
    QPushButton* ButtonChiudiRisposta = nullptr;
    QPushButton* ButtonEseguiInterrogazione = nullptr;
    QPushButton* ButtonSelezionaTutto = nullptr;
    QPushButton* ButtonDeselezionaTutto = nullptr;
    QPushButton* ButtonAggiungiT = nullptr;
    QPushButton* ButtonEliminaT = nullptr;
    QPushButton* ButtonElabAvanzate = nullptr;
    QPushButton* ButtonChiudi = nullptr;
    QLabel* LabelF11 = nullptr;
    QLabel* LabelF12 = nullptr;
    GrigliaDefinizione* DBGrid1 = nullptr;
    GrigliaCampi* DBGrid2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Precedente1 = nullptr;
    QAction* Successiva1 = nullptr;
    QAction* CopiaSqlnelclipboard1 = nullptr;
    QAction* InserisciSomma1 = nullptr;

    // The definition list, the layout table, the one-record table, the answer.
    MemoryDataset TabIntTmp;
    MemoryDataset TabAspRTmp;
    MemoryDataset TabRecTmp;
    Risposta TabRispTmp;

    // The definition list as rows, and back (a rewrite of the form's own).
    Definizione LeggiRighe();
    void ScriviRighe(const Definizione& righe);

    // Operations (buttons, keys, menu entries).
    void ButtonEseguiInterrogazioneClick();
    void ButtonSelezionaTuttoClick();
    void ButtonDeselezionaTuttoClick();
    void ButtonAggiungiTClick();
    void ButtonEliminaTClick();
    void ScegliCampiVisibili();
    void DBGrid1DblClick();
    void SelezionaRigaInt();
    void ButtonChiudiClick();
    void MettiParentesi();
    void InserisciNomeCampo();
    void InserisciRange();
    void InserisciFormule();
    void RaggruppaMesi();
    void EditorCondizione();
    void InserisciValore();
    void InserisciSommaClick();
    void CopiaSqlnelclipboard1Click();
    void ButtonNumeroRecordClick();
    void ButtonFontClick();
    void ButtonSommaClick();
    void ButtonOrdinaClick();
    void ButtonGraficoClick();
    void ButtonEsportaClick();
    void ButtonRitornaQueryClick();
    void SettaFormRisposta();
    void SettaggioControlli();
    void MostraUnRecord();
    void ButtonStampaClick();
    void EliminaCampo();   // F3 on the answer
    void AspettoBase();    // F4 on the answer
    void RaggruppaCifre(); // F5 on the answer
    void SalvaAspetto();
    void ButtonElabAvanzateClick();
    void BloccaQuery();

    // The history (history mode only). The entry in use is the form's own,
    // above the first query of a chain (2000, NumeroCatena).
    ChiaveStorico ChiaveCorrente() const;
    // On the first show: the tables made ready, the entry's definition loaded.
    void CheckArchiviStorico();
    void SalvaInterrogazioneSuStorico(ChiaveStorico chiave);
    void RecuperaInterrogazionedaStorico(ChiaveStorico chiave);
    bool ControllaInterrogazioneSalvata(ChiaveStorico chiave); // true: changed
    void EliminaInterrogazioneDaStorico(ChiaveStorico chiave);
    void SalvaAspettoSuStorico(ChiaveStorico chiave);
    bool ControllaAspettoSalvato(ChiaveStorico chiave); // true: changed
    void EliminaAspettoDaStorico(ChiaveStorico chiave);
    int NumeroQuerySuccessiva();
    // "F11 Prec." and "F12 Succ." shown as the flags say.
    void MostraF11F12();

    // Side-by-side members of a locked query (any mode).
    void AggiungiUnioneQuery();
    void EliminaUltimaQueryAffiancata();
    // The chain (history mode): each answer stored for the query after it.
    void PassaAQuerySuccessiva();
    void PassaAQueryPrecedente(bool salvaPrima);
    void EliminaUltimaQuerySuccessiva();
    // F11: back one query in a chain, else "&Chiudi"; F12: on to the
    // successor, else the run.
    void Precedente1Click();
    void Successiva1Click();

    // The window's close box: in history mode the same prompts as "&Chiudi".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void creaComponenti();
    void creaPannelloRisposta();
    void creaPannelloDefinizione();
    void creaGriglie();
    void creaTasti();
    QPushButton* pulsante(const QString& testo, QWidget* pannello);
    QAction* azione(QWidget* griglia, const QString& testo, const QKeySequence& tasto,
                    void (TIBLQueryForm::*gestore)());
    void abilita(QAbstractButton* pulsante, bool abilitato);
    // Runs a command of the user: a failure is told, never thrown into the event loop.
    bool protetto(const std::function<void()>& comando);

    // The current definition row, when the builders may act on it.
    int rigaCampo() const;
    QString nomeRiga(int riga);
    int mostraRiga(int riga);
    QString condizioneRiga(int riga);
    void scriviRiga(int riga, const QString& campo, const QVariant& valore);
    void impostaMostra(int da, int a);
    bool bloccata();
    // Posts the edit in progress; false, after telling the user, when the
    // query is locked and its rows may not change.
    bool modificabile();
    // Names of the definition's field rows (shown or not), in list order.
    QStringList nomiCampi(bool soloDate);
    void mostraDatiRisposta();
    // The answer reopened with the order its display codes ask for.
    void ordinaRisposta();
    // The entry's layout kept and applied: history mode, not identifier 1000.
    bool aspettoStorico() const;
    // The prompts on closing; false when the form must stay open.
    bool salvaPrimaDiChiudere();
    // The side-by-side and chain operations, their keys and the check of a
    // changed query's successors connected.
    void collegaCatena();
    void impostaLivello(int livello);
    bool eseguiPerCatena(const Definizione& righe);
    void mostraStato(const Definizione& righe);

    std::unique_ptr<QtInterazione> portaForm_;
    Interazione& port_;
    DialoghiQuery dialoghi_;
    IbTable& tabella_;
    db::Database& database_;
    QString directoryBin_;
    QString directoryLavoro_;
    QString ditta_;
    int utente_;
    std::unique_ptr<TIBFQuerForm> motore_;
    ModelloRisposta* modelloRisposta_ = nullptr;
    QVector<QWidget*> etichetteTasti_;
    QVector<QAbstractButton*> pulsantiRisposta_;
    QVector<QAbstractButton*> pulsantiDefinizione_;
    QVector<QAbstractButton*> collegati_;
    QHash<QString, std::function<void()>> elaborazioni_;
    QVector<QAction*> azioniRisposta_;
    int modificaInterna_ = 0;
    bool unRecord_ = false;
    bool mostrata_ = false;
};

} // namespace mavo
