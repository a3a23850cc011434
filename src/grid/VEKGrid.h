#pragma once

#include "dataset/IbTable.h"
#include "dataset/MemoryDataset.h"
#include "grid/Colore.h"
#include "grid/aspetto/ChiaviGriglia.h"
#include "grid/ordinamento/DecodificaCampi.h"
#include "grid/ordinamento/StatoOrdinamento.h"
#include "grid/ricerca/FiltroRicerca.h"
#include "grid/ricerca/RVEKGridForm.h"

#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <memory>

class QAction;

namespace mavo {

namespace db {
class Database;
}
class DatasetModel;
class Interazione;
class QtInterazione;
struct AspettoMemorizzato;
struct RigaAspettoGriglia;

// The data grid: a read-only table over a dataset with a per-user memory of
// its column layout and sort (order, width, title, colour, visibility), title
// colours for indexed and sorted columns, and a popup menu of commands.
//
// The window links the grid to its dataset with setDataset() (what a data
// source does) and binds it with SetSorgenteDati(), which hooks the dataset's
// opening; it sets the keys (Situazione, Utente, CodiceProgetto) first.
// Columns are the dataset's fields in their order: moving a column moves the
// field. The first column of the original, the record indicator, is the
// vertical header here, so column i is field i.
class TVEKGrid : public QTableView {
    Q_OBJECT
public:
    // TipoTabella: the kind of the bound dataset.
    static constexpr int TipoQuery = 0;
    static constexpr int TipoTabellaDb = 1;
    static constexpr int TipoMemoria = 2;

    explicit TVEKGrid(QWidget* parent = nullptr);
    ~TVEKGrid() override;

    // The dataset shown (the data source's link); binding does not change it.
    void setDataset(Dataset* dataset);
    Dataset* dataset() const;
    // A menu of the window's to append the grid's entries to; before Loaded().
    void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    QMenu* popupMenu() const { return popupMenu_; }
    // The window's own handler for the menu popping up, run before the grid's.
    std::function<void()> OnPopup;

    // Where the grid's messages and errors go; none gives message boxes over the grid.
    void setInterazione(Interazione* interazione) { interazione_ = interazione; }
    Interazione& interazione() const;

    // Builds the menu, resets the sort state and makes the grid read-only.
    void Loaded();

    // What "Query" (F8) starts: the query tool, which the library installs
    // once for every grid (the grid knows nothing of it). It reads what it
    // needs from the grid (main table, dataset, folders, company, user). While
    // none is installed the entry stays disabled.
    using FunzioneApriQuery = std::function<void(TVEKGrid& griglia)>;
    static void InstallaApriQuery(FunzioneApriQuery funzione);
    static bool ApriQueryInstallata();

    // Binds the grid to the dataset's opening; a null dataset rebinds the current one.
    void SetSorgenteDati(Dataset* dataset);
    Dataset* SorgenteDati() const { return sorgente_; }
    int TipoTabella() const { return tipoTabella_; }

    // Reads as a positive code; the grid keeps and uses the signed one.
    int Situazione() const;
    void SetSituazione(int situazione) { situazione_ = situazione; }

    // Stores the layout and sort when they differ from the stored ones.
    void SalvaAspetto();
    // Applies the stored layout to the open dataset; on a closed query keeps
    // the search in force by appending its condition to the SQL.
    void CaricaAspetto();

    // Settings read when the grid is bound.
    TColor ColoreRecordSelezionato() const { return coloreRecordSelezionato_; }
    TColor ColoreCampiIndicizzati() const { return coloreCampiIndicizzati_; }
    TColor ColoreCampoOrdinato() const { return coloreCampoOrdinato_; }
    bool RicercaATempo() const { return ricercaATempo_; }
    bool RicercaSempre() const { return ricercaSempre_; }
    bool MemoriaAspettoDisabilitata() const { return memoriaAspettoDisabilitata_; }

    // Columns (field i of the dataset's order is column i).
    int NumeroColonne() const;
    Field* CampoColonna(int colonna) const;
    int LarghezzaColonna(int colonna) const;
    void SetLarghezzaColonna(int colonna, int larghezza);
    QString TitoloColonna(int colonna) const;
    void SetTitoloColonna(int colonna, const QString& titolo);
    bool ColonnaVisibile(int colonna) const;
    void SetColonnaVisibile(int colonna, bool visibile);
    TColor ColoreColonna(int colonna) const;
    void SetColoreColonna(int colonna, TColor colore);
    TColor ColoreTitolo(int colonna) const;
    void SetColoreTitolo(int colonna, TColor colore);
    // The current cell's column (the first one before any is chosen), -1 without columns.
    int ColonnaSelezionata() const;
    void SelezionaColonna(int colonna);
    TColor Colore() const { return clWindow; }

    // Set by the host; the search, the sort and the query tool read them too.
    QStringList SQLIniziale;
    bool TabellaPiccola = false;
    QString TabellaAspettoGriglia;
    db::Database* DatabaseImpostazioni = nullptr;
    int Utente = 0;
    int CodiceProgetto = 0;
    QString TabellaPosizioneFinestre;
    QString TabellaAspettoGriglie;
    QString CampiIndicizzati; // ';'-separated
    bool OrderBy = true;
    IbTable* TabellaAppoggio = nullptr;
    QStringList CampiPersonalizzati;
    QStringList CampiPersonalizzatiDecodifica;
    std::function<void(TVEKGrid*)> OnInizioRicerca;
    std::function<void(TVEKGrid*)> OnFineRicerca;

    QString TabellaPrincipale;
    QString DirectoryBin;
    QString FileImpostazioni;
    QString SezioneImpostazioni;
    QString DirectoryLavoro;
    bool RicercaAbilitata = true;
    bool OrdinamentoDaTitolo = true;
    bool OrdinaPerChiavePrimaria = true;
    bool RipristinoInCorso = false;

    // Sort and search state, kept by the sort and search commands.
    StatoOrdinamento Ordinamento;
    QString CampoRicerca;
    QString EspressioneRicerca;
    QString CondizioneRicerca;

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct StatoColonna {
        int Larghezza = 0;
        TColor Colore = clWindow;
        TColor ColoreTitolo = clBtnFace;
    };

    // Binding.
    void restituisciGestori();
    void riconosciTipo();
    void beforeOpen(Dataset& dataset);
    void afterOpen(Dataset& dataset);

    // Sort.
    void ordinamentoMemorizzato();
    void doppioClicTitolo(int colonna, bool ctrl);
    void ordinaMemoria();
    void riordinaTabella(const QString& campi);
    DecodificaCampi decodifica() const {
        return {CampiPersonalizzati, CampiPersonalizzatiDecodifica};
    }
    bool ricercaLibera() const { return TabellaPiccola || ricercaSempre_; }

    // Search.
    void ricercaSuCampoCorrente();
    void applicaRicerca(const RichiestaRicerca& richiesta, ClasseCampo classe);
    void filtraDati(const RichiestaRicerca& richiesta);
    void ricercaGenerica(const QString& testo);
    void annullaRicerca();
    void annullaDaDialogo();
    void riapriSenzaRicerca();
    void riapriQuery(const QStringList& sql);
    CriteriFiltro criteriFiltro() const;
    void inizioRicerca();
    void fineRicerca();

    // Appearance.
    void personalizzaGriglia();
    void ripristinaAspettoBase(db::Database& database);

    // Settings.
    db::Database* databaseImpostazioni() const;
    void leggiImpostazioni(db::Database& database);
    void leggiMemoriaAspetto(db::Database& database);
    ChiaviGriglia chiavi() const { return {situazione_, Utente, CodiceProgetto}; }

    // Layout.
    AspettoMemorizzato leggiAspetto(db::Database& database, bool ordinato) const;
    bool aspettoCambiato(const AspettoMemorizzato& memorizzato) const;
    void scriviAspetto(db::Database& database, int lunghezzaNome);
    QString nomeDaMemorizzare(int colonna, int lunghezzaNome) const;
    void applicaRigaAspetto(const RigaAspettoGriglia& riga);
    void ricostruisciCampiIndicizzati();

    // Title colours.
    void coloraTitoli();
    void coloraTitoliIndicizzati();
    void coloraColonnaOrdinamento();
    QColor coloreIntestazione(int colonna) const;
    QColor coloreCelle(int colonna) const;

    // Columns.
    StatoColonna& statoColonna(int colonna);
    const StatoColonna* statoEsistente(int colonna) const;
    int larghezzaPredefinita(const Field& campo) const;
    void applicaColonne();
    void sezioneRidimensionata(int colonna, int vecchia, int nuova);

    // Menu.
    void costruisciMenu();
    QAction* aggiungiVoce(const QString& titolo, const QKeySequence& tasto,
                          void (TVEKGrid::*azione)());
    void menuInApertura();
    void abilitaVoci();
    bool queryPossibile() const;
    void dimezzaLarghezzaColonna();
    void apriQuery();

    DatasetModel* modello_;
    QMenu* menuProprio_;
    QPointer<QMenu> popupMenu_;
    std::unique_ptr<QtInterazione> interazioneQt_;
    Interazione* interazione_ = nullptr;
    QAction* voceRicerca_ = nullptr;
    QAction* voceQuery_ = nullptr;
    QVector<QAction*> vociDaAbilitare_; // from "Annulla ricerca" to "Personalizza Griglia"

    QPointer<Dataset> sorgente_;
    QPointer<Dataset> legato_; // the dataset whose handlers the grid holds
    QPointer<IbQuery> query_;
    QPointer<IbTable> tabella_;
    QPointer<MemoryDataset> memoria_;
    Dataset::Handler vecchioBeforeOpen_;
    Dataset::Handler vecchioAfterOpen_;
    int tipoTabella_ = TipoQuery;
    int situazione_ = 0;

    TColor coloreRecordSelezionato_ = 0;
    TColor coloreCampiIndicizzati_ = 0;
    TColor coloreCampoOrdinato_ = 0;
    bool ricercaATempo_ = false;
    bool ricercaSempre_ = false;
    bool memoriaAspettoDisabilitata_ = false;

    // Search remembered for record filters, and the search dialog while open.
    RichiestaRicerca richiestaRicerca_;
    QPointer<TRVEKGridForm> formRicerca_;

    QPoint posizioneMouse_; // last press, viewport co-ordinates
    QHash<const Field*, StatoColonna> colonne_;
    bool applicandoColonne_ = false;
};

} // namespace mavo
