#pragma once

#include "grid/ricerca/SqlRicerca.h"
#include "grid/ricerca/StatoRicerca.h"
#include "grid/ricerca/TemporizzatoreRicerca.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mavo {

class GruppoOpzioni;
class Interazione;
class TEditData;

// What the grid tells the search dialog about the searched column.
struct ImpostazioniRicerca {
    QString titoloColonna;
    ClasseCampo classe = ClasseCampo::Testo;
    bool sorgenteQuery = false; // the generic search and the field classes are for queries
    bool ricercaATempo = true;  // search after a pause in typing, not at every change
    int intervallo = TemporizzatoreRicerca::kIntervallo;
};

// The search dialog on one column of the grid. The grid carries out what
// the user asks through the hooks; the dialog never touches the data.
class TRVEKGridForm : public QDialog {
    Q_OBJECT
public:
    TRVEKGridForm(const ImpostazioniRicerca& impostazioni, Interazione& interazione,
                  QWidget* parent = nullptr);

    // Search with the dialog's text and options (after a pause in typing, at
    // once without the timer, on Enter and on "&+"). Enter then closes the
    // dialog with Accepted; any other way of closing drops a pending search.
    std::function<void(const RichiestaRicerca&)> applica;
    // "Esegui" with "Generica" ticked: the text in every column.
    std::function<void(const QString& testo)> applicaGenerica;
    // Esc in the search boxes: the search is reset, then the dialog closes (Rejected).
    std::function<void()> annulla;

    // The remembered state; without one the dialog is centred on the screen.
    void RipristinaStato(const std::optional<StatoDialogoRicerca>& stato);
    StatoDialogoRicerca Stato() const;
    // The text and options as they stand, for the record filter while the dialog is open.
    RichiestaRicerca Richiesta() const;

    void done(int risultato) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaControlli();
    void adattaAllaClasse();
    void testoCambiato();
    void applicaRicerca();
    bool tastoPremuto(QLineEdit& casella, const QKeyEvent& tasto);
    void genericaCambiata(bool spuntata);
    std::optional<RichiestaRicerca> richiestaCompleta() const;

    ImpostazioniRicerca impostazioni_;
    Interazione& interazione_;
    bool modoData_;
    bool reazioniTesto_ = true;
    QString titoloSalvato_;

    QLabel* Label1;
    QLineEdit* EditStringa;
    GruppoOpzioni* EditTipoRicerca;
    QLabel* Label2;
    TEditData* EditData1;
    TEditData* EditData2;
    QCheckBox* EditUpper;
    QPushButton* ButtonAggRete;
    GruppoOpzioni* EditOrdinamento;
    QCheckBox* EditGenerica;
    QPushButton* ButtonEsegui;
    TemporizzatoreRicerca* TimerRicerca;
};

} // namespace mavo
