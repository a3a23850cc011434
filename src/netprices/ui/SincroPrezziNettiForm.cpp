#include "netprices/ui/SincroPrezziNettiForm.h"

#include "common/ui/AspettoDialogo.h"
#include "common/ui/PosizioneForm.h"
#include "context/DataModuleMavo.h"
#include "context/EseguiProtetto.h"
#include "context/TabXForm.h"
#include "grid/VEKGrid.h"
#include "netprices/TabellaManutenzione.h"
#include "netprices/ui/ProgressoComunicazione.h"
#include "platform/Paths.h"
#include "platform/ui/QtInterazione.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace mavo {

namespace {

constexpr int margine = 8;
constexpr int altezzaBarra = 73;
constexpr int altezzaEtichetta = 16;
constexpr int spessoreSplitter = 3;

QVBoxLayout* colonna(QWidget* pannello, int margini = 0) {
    auto* layout = new QVBoxLayout(pannello);
    layout->setContentsMargins(margini, margini, margini, margini);
    layout->setSpacing(0);
    return layout;
}

QLabel* etichetta(const QString& testo, QWidget* parent) {
    auto* label = new QLabel(testo, parent);
    label->setFixedHeight(altezzaEtichetta);
    return label;
}

} // namespace

TSincroPrezziNettiForm::TSincroPrezziNettiForm(TDataModuleMavo& modulo, QWidget* parent)
    : TSincroPrezziNettiForm(modulo, nullptr, parent) {}

TSincroPrezziNettiForm::TSincroPrezziNettiForm(TDataModuleMavo& modulo, Interazione& port,
                                               QWidget* parent)
    : TSincroPrezziNettiForm(modulo, &port, parent) {}

TSincroPrezziNettiForm::TSincroPrezziNettiForm(TDataModuleMavo& modulo, Interazione* port,
                                               QWidget* parent)
    : QWidget(parent), modulo_(modulo), contesto_(modulo.Contesto),
      portaFinestra_(port ? nullptr : std::make_unique<QtInterazione>(this)),
      port_(port ? *port : *portaFinestra_) {
    creaComponenti();
    // The grid's messages and failures (a search the server refuses) are the window's.
    GridAnteprima->setInterazione(&port_);
    if (portaFinestra_) {
        portaFinestra_->setMemo(MemoRiepilogo);
        portaFinestra_->setFabbricaProgresso(CreaProgressoComunicazione);
    }
    inizializza();
}

TSincroPrezziNettiForm::~TSincroPrezziNettiForm() {
    // The query member closes while the window is being taken apart: that
    // closing must not call back into the window to store the grid's layout.
    QueryAnteprima.setBeforeClose({});
}

void TSincroPrezziNettiForm::creaComponenti() {
    // Where Tahoma is missing, a narrow face keeps the captions within their buttons.
    QFont carattere;
    carattere.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans Condensed")});
    carattere.setPixelSize(13);
    setFont(carattere);
    resize(800, 600);
    move(551, 223);

    PanelClient = new QWidget(this);
    colonna(this, margine)->addWidget(PanelClient);

    PanelClient_Top = new QWidget(PanelClient);
    PanelClient_Top->setFixedHeight(altezzaBarra);
    ButtonSelezionaFile = creaPulsante("Seleziona e analizza file", {0, 0, 166, 56},
                                       &TSincroPrezziNettiForm::ButtonSelezionaFileClick);
    ButtonAggNettiListone = creaPulsante("Aggiorna netti su listone", {182, 0, 165, 28},
                                         &TSincroPrezziNettiForm::ButtonAggNettiListoneClick);
    ButtonDelNettiListone = creaPulsante("Rimuovi netti da listone", {182, 28, 165, 28},
                                         &TSincroPrezziNettiForm::ButtonDelNettiListoneClick);
    ButtonAggNettiAnaMag = creaPulsante("Aggiorna netti su ana. mag.", {363, 0, 165, 28},
                                        &TSincroPrezziNettiForm::ButtonAggNettiAnaMagClick);
    ButtonDelNettiAnaMag = creaPulsante("Rimuovi netti da ana. mag.", {363, 28, 165, 28},
                                        &TSincroPrezziNettiForm::ButtonDelNettiAnaMagClick);
    ButtonChiudi = creaPulsante("Chiudi", {544, 0, 166, 56}, nullptr);
    connect(ButtonChiudi, &QToolButton::clicked, this, &QWidget::close);
    // The buttons keep their places; only the file label follows the bar's width.
    LabelFile = etichetta(QString(), PanelClient_Top);
    QVBoxLayout* barra = colonna(PanelClient_Top);
    barra->addStretch();
    barra->addWidget(LabelFile);

    // The splitter's handle shows only while the summary panel does.
    SplitterRiepilogo = new QSplitter(Qt::Vertical, PanelClient);
    SplitterRiepilogo->setHandleWidth(spessoreSplitter);
    GridAnteprima = new TVEKGrid(SplitterRiepilogo);
    PanelRiepilogo = new QWidget(SplitterRiepilogo);
    SplitterRiepilogo->addWidget(GridAnteprima);
    SplitterRiepilogo->addWidget(PanelRiepilogo);
    SplitterRiepilogo->setStretchFactor(0, 1);
    SplitterRiepilogo->setStretchFactor(1, 0);
    PanelRiepilogo->hide();
    Label1 = etichetta(QStringLiteral("Riepilogo:"), PanelRiepilogo);
    MemoRiepilogo = new QPlainTextEdit(PanelRiepilogo);
    MemoRiepilogo->setReadOnly(true);
    MemoRiepilogo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QVBoxLayout* riepilogo = colonna(PanelRiepilogo);
    riepilogo->addWidget(Label1);
    riepilogo->addWidget(MemoRiepilogo);

    QVBoxLayout* cliente = colonna(PanelClient);
    cliente->addWidget(PanelClient_Top);
    cliente->addWidget(SplitterRiepilogo, 1);

    GridAnteprima->setDataset(&QueryAnteprima);
    GridAnteprima->OnInizioRicerca = [](TVEKGrid* griglia) { griglia->setProperty("tag", 1); };
    GridAnteprima->OnFineRicerca = [](TVEKGrid* griglia) { griglia->setProperty("tag", 0); };
    GridAnteprima->Loaded();
}

QToolButton* TSincroPrezziNettiForm::creaPulsante(const QString& caption, const QRect& posizione,
                                                  void (TSincroPrezziNettiForm::*gestore)()) {
    auto* pulsante = new QToolButton(PanelClient_Top);
    pulsante->setText(caption);
    pulsante->setAutoRaise(true);
    pulsante->setGeometry(posizione);
    if (gestore)
        connect(pulsante, &QToolButton::clicked, this, [this, gestore] { (this->*gestore)(); });
    return pulsante;
}

void TSincroPrezziNettiForm::inizializza() {
    setWindowTitle("Sincro prezzi netti - Utente: " + contesto_.GetNomeUser() +
                   " - Ditta: " + contesto_.Ditta);
    const QString icona = toLocalPath(hostDirectory() + "Grafica\\ZENTRIVO.ICO");
    if (QFileInfo::exists(icona))
        setWindowIcon(QIcon(icona));

    bool tabellaPronta = false;
    protetto([&] { tabellaPronta = PreparaTabellaManutenzione(contesto_, true); });
    // Without the staging table the window opens unbound, at its design place.
    if (tabellaPronta) {
        protetto([this] {
            collegaAnteprima();
            QueryAnteprima.open();
        });
        protetto([this] {
            CaricaPosizioneForm(*this, contesto_.GetNumUser(), int(modulo_.SituazioneFinestra),
                                int(modulo_.CodiceProgetto), contesto_.IBDatabase1);
        });
    }
    // Whichever place it got, the window opens whole on a screen.
    PortaSulloSchermo(*this);
}

void TSincroPrezziNettiForm::collegaAnteprima() {
    QueryAnteprima.setDatabase(&contesto_.IBDatabase1);
    QueryAnteprima.setTransaction(&contesto_.IBTransaction1);
    QueryAnteprima.setParamCheck(false);
    QueryAnteprima.setBlockSize(1000);
    // Before the binding: the grid chains its own before-open hook after this one.
    QueryAnteprima.setBeforeOpen([this](Dataset&) { QueryAnteprimaBeforeOpen(); });
    QueryAnteprima.setBeforeClose([this](Dataset&) { QueryAnteprimaBeforeClose(); });

    GridAnteprima->CodiceProgetto = int(modulo_.CodiceProgetto);
    GridAnteprima->Utente = contesto_.GetNumUser();
    GridAnteprima->SetSituazione(int(modulo_.SituazioneGriglia));
    GridAnteprima->TabellaPrincipale = QStringLiteral("MANUTENZIONENETTI");
    GridAnteprima->SetSorgenteDati(&QueryAnteprima);
    GridAnteprima->TabellaPiccola = true;
    GridAnteprima->DirectoryBin = contesto_.GetV("BinDir");
    GridAnteprima->SezioneImpostazioni = contesto_.Ditta;
    GridAnteprima->RicercaAbilitata = true;
}

void TSincroPrezziNettiForm::protetto(const std::function<void()>& passo) {
    EseguiProtetto(port_, passo);
}

// A grid search (tag 1) sets its own statement and reopens the query itself.
int TSincroPrezziNettiForm::tagGriglia() const {
    return GridAnteprima->property("tag").toInt();
}

void TSincroPrezziNettiForm::QueryAnteprimaBeforeOpen() {
    if (tagGriglia() != 0)
        return;
    const QStringList sql{
        "SELECT", "  *", "FROM", "  MANUTENZIONENETTI", "WHERE", "  CODICE IS NOT NULL"};
    QueryAnteprima.setSql(sql);
    GridAnteprima->SQLIniziale = sql;
    // On the closed query this carries a search in force over to the new statement.
    GridAnteprima->CaricaAspetto();
}

void TSincroPrezziNettiForm::QueryAnteprimaBeforeClose() {
    if (tagGriglia() == 0 && !GridAnteprima->RipristinoInCorso)
        GridAnteprima->SalvaAspetto();
}

void TSincroPrezziNettiForm::AffidaApertura(std::unique_ptr<TDataModuleMavo> modulo,
                                            std::unique_ptr<TTabXForm> contesto) {
    Q_ASSERT(modulo.get() == &modulo_ && contesto.get() == &contesto_);
    moduloAffidato_ = std::move(modulo);
    contestoAffidato_ = std::move(contesto);
    setAttribute(Qt::WA_DeleteOnClose);
}

void TSincroPrezziNettiForm::closeEvent(QCloseEvent* event) {
    protetto([this] {
        SalvaPosizioneForm(*this, contesto_.GetNumUser(), int(modulo_.SituazioneFinestra),
                           int(modulo_.CodiceProgetto), contesto_.IBDatabase1);
    });
    event->accept();
    // The window goes with the context: the preview ends now, while its
    // connection is there, and its closing stores the grid's layout.
    if (AperturaEsterna())
        protetto([this] { QueryAnteprima.close(); });
}

} // namespace mavo
