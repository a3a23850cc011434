#pragma once

#include "dataset/IbQuery.h"
#include "netprices/AgganciFinestra.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace mavo {

class Interazione;
class QtInterazione;
class TDataModuleMavo;
class TTabXForm;
class TVEKGrid;

// The net-price window: the staging table MANUTENZIONENETTI, emptied at every
// opening, shown in a preview grid; five buttons run the import and the
// apply/remove operations, which write their summary into a panel that stays
// hidden until one of them first fills it.
class TSincroPrezziNettiForm : public QWidget {
    Q_OBJECT

    // What the library's entry hands over. Declared first so that it goes
    // last: the preview query below reads through the context's connection.
    std::unique_ptr<TTabXForm> contestoAffidato_;
    std::unique_ptr<TDataModuleMavo> moduloAffidato_;

public:
    // The window takes the call context from the data module; both must
    // outlive it unless handed over with AffidaApertura(). Messages go to
    // boxes over the window, the summary to MemoRiepilogo.
    explicit TSincroPrezziNettiForm(TDataModuleMavo& modulo, QWidget* parent = nullptr);
    // Messages, questions and the summary go to `port`, which must outlive the window.
    TSincroPrezziNettiForm(TDataModuleMavo& modulo, Interazione& port, QWidget* parent = nullptr);
    ~TSincroPrezziNettiForm() override;

    // Opened by the library's entry: the window owns the call's data module and
    // context from now on, and frees them, and itself, when it closes.
    void AffidaApertura(std::unique_ptr<TDataModuleMavo> modulo,
                        std::unique_ptr<TTabXForm> contesto);
    bool AperturaEsterna() const { return contestoAffidato_ != nullptr; }

    TDataModuleMavo& DataModule() const { return modulo_; }

    // Components (children of the window).
    QWidget* PanelClient;
    QWidget* PanelClient_Top;
    QToolButton* ButtonSelezionaFile;
    QToolButton* ButtonAggNettiListone;
    QToolButton* ButtonDelNettiListone;
    QToolButton* ButtonAggNettiAnaMag;
    QToolButton* ButtonDelNettiAnaMag;
    QToolButton* ButtonChiudi;
    QLabel* LabelFile;
    QSplitter* SplitterRiepilogo; // grid above, summary panel below
    TVEKGrid* GridAnteprima;
    QWidget* PanelRiepilogo;
    QLabel* Label1;
    QPlainTextEdit* MemoRiepilogo;
    IbQuery QueryAnteprima;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TSincroPrezziNettiForm(TDataModuleMavo& modulo, Interazione* port, QWidget* parent);

    void creaComponenti();
    QToolButton* creaPulsante(const QString& caption, const QRect& posizione,
                              void (TSincroPrezziNettiForm::*gestore)());
    void inizializza();
    void collegaAnteprima();
    // Runs a step or a command: a failure is shown, never thrown into the event loop.
    void protetto(const std::function<void()>& passo);

    void QueryAnteprimaBeforeOpen();
    void QueryAnteprimaBeforeClose();
    int tagGriglia() const;

    void ButtonSelezionaFileClick();
    void ButtonAggNettiListoneClick();
    void ButtonDelNettiListoneClick();
    void ButtonAggNettiAnaMagClick();
    void ButtonDelNettiAnaMagClick();
    AgganciFinestra agganci();
    void mostraRiepilogo();

    TDataModuleMavo& modulo_;
    TTabXForm& contesto_;
    std::unique_ptr<QtInterazione> portaFinestra_;
    Interazione& port_;
};

} // namespace mavo
