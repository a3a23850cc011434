#include "query/form/ui/IBLQueryForm.h"
#include "query/catena/QueryCollegate.h"

#include "common/ui/AspettoDialogo.h"
#include "context/EseguiProtetto.h"
#include "dataset/IbTable.h"
#include "platform/ui/QtInterazione.h"
#include "query/form/AspettoRisposta.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "query/form/ui/ModelliQuery.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace mavo {

namespace {

constexpr int larghezzaColonnaDestra = 122;
constexpr int altezzaPulsante = 24;

// The lines of the legend under the definition buttons.
const char* const legenda[] = {
    "F3 Selez/Deselez", "F4 ins.parentesi",  "F5 ins.nome campo", "F6 ins. range",
    "F7 ins. formule",  "F8 Estr.Anni/Mesi", "F9 Editor condiz.", "F10 Ins. valore",
    "OPERATORI:",       "like, IS NULL",     "<, >, =, <>",       "AND, OR, NOT",
    "+,-,*,/",          "FORMATO DATE:",     "'gg/mm/aaaa'",
};

QFont carattereForm() {
    // Where Tahoma is missing, a narrow face keeps the captions within their buttons.
    QFont carattere;
    carattere.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans Condensed")});
    carattere.setPixelSize(13);
    return carattere;
}

QHBoxLayout* riga(QWidget* pannello) {
    auto* layout = new QHBoxLayout(pannello);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    return layout;
}

} // namespace

TIBLQueryForm::TIBLQueryForm(IbTable& tabella, const QString& directoryBin,
                             const QString& directoryLavoro, const QString& ditta,
                             db::Database& database, int utente, Interazione* port, QWidget* owner,
                             DialoghiQuery dialoghi)
    : QDialog(owner), TabRispTmp(database),
      portaForm_(port ? nullptr : std::make_unique<QtInterazione>(this)),
      port_(port ? *port : *portaForm_), dialoghi_(std::move(dialoghi)), tabella_(tabella),
      database_(database), directoryBin_(directoryBin), directoryLavoro_(directoryLavoro),
      ditta_(ditta), utente_(utente) {
    setWindowTitle("Query - Ditta: " + ditta_);
    setFont(carattereForm());
    creaComponenti();

    CreaTabRecTmp(TabRecTmp);
    CreaTabAspRTmp(TabAspRTmp);
    motore_ = std::make_unique<TIBFQuerForm>(port_, database_,
                                             TIBFQuerForm::Impostazioni{
                                                 .Utente = utente_,
                                                 .TabellaPrincipale = tabella_.tableName(),
                                                 .DirectoryLavoro = directoryLavoro_,
                                                 .DirectoryBin = directoryBin_,
                                                 .Ditta = ditta_,
                                                 .Livello = 0,
                                             });
    InstallaTestQueryCollegate(*motore_, database_, port_);
    // Names of 31 characters (Firebird's longest) stay whole as a linked
    // table's "L.FIELD" and in its header "TABLE = L".
    CreaTabIntTmp(TabIntTmp, 35, 1024);
    {
        const ModificaInterna modifica(*this);
        RiempiTabIntTmp(TabIntTmp, tabella_);
    }
    TabIntTmp.fieldByName("Numero")->setVisible(false);
    TabIntTmp.fieldByName("Nome")->setDisplayWidth(21);
    TabIntTmp.fieldByName("Mostra")->setDisplayLabel(QStringLiteral("M"));
    TabIntTmp.fieldByName("Mostra")->setDisplayWidth(1);
    TabIntTmp.fieldByName("Condizione")->setDisplayWidth(32);
    DBGrid1->setDataset(&TabIntTmp);
    DBGrid1->SelezionaRiga(0);
    collegaCatena();

    // The answer grid follows the answer, query or computed table.
    connect(&TabRispTmp, &Risposta::datiCambiati, this, [this] {
        if (!unRecord_)
            mostraDatiRisposta();
    });
    mostraDatiRisposta();

    Panel1->hide();
    Panel2->hide();
    DBGrid2->hide();
    SettaggioControlli();
    resize(640, 480);
    // In the middle of its owner's screen, whole.
    const QScreen* schermo = owner ? owner->window()->screen() : QGuiApplication::primaryScreen();
    move(schermo->availableGeometry().center() - rect().center());
    PortaSulloSchermo(*this);
}

TIBLQueryForm::~TIBLQueryForm() {
    // The grids let go of the tables before these go.
    disconnect(&TabRispTmp, nullptr, this, nullptr);
    DBGrid2->setDataset(nullptr);
    DBGrid1->setDataset(nullptr);
}

void TIBLQueryForm::creaComponenti() {
    auto* radice = new QVBoxLayout(this);
    radice->setContentsMargins(4, 4, 4, 4);
    radice->setSpacing(3);
    creaPannelloRisposta();
    radice->addWidget(Panel2);

    auto* centro = new QHBoxLayout;
    centro->setSpacing(4);
    Panel5 = new QWidget(this);
    creaGriglie();
    centro->addWidget(Panel5, 1);
    creaPannelloDefinizione();
    centro->addWidget(Panel4);
    radice->addLayout(centro, 1);

    Panel1 = new QWidget(this);
    QHBoxLayout* tasti = riga(Panel1);
    for (const char* testo : {"F3: elimina campo", "F4: aspetto base", "F5: raggruppa cifre"}) {
        auto* etichetta = new QLabel(QString::fromUtf8(testo), Panel1);
        tasti->addWidget(etichetta);
        tasti->addSpacing(16);
    }
    tasti->addStretch();
    radice->addWidget(Panel1);
    creaTasti();
}

QPushButton* TIBLQueryForm::pulsante(const QString& testo, QWidget* pannello) {
    auto* p = new QPushButton(testo, pannello);
    // Enter belongs to the grids: no button is pressed by it.
    p->setAutoDefault(false);
    p->setMinimumHeight(altezzaPulsante);
    // As narrow as the caption allows, so that the answer's row of buttons
    // fits the form's width.
    p->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    p->setMinimumWidth(p->fontMetrics().horizontalAdvance(QString(testo).remove(u'&')) + 14);
    return p;
}

void TIBLQueryForm::creaPannelloRisposta() {
    Panel2 = new QWidget(this);
    QHBoxLayout* layout = riga(Panel2);
    ButtonNumeroRecord = pulsante(QStringLiteral("N.Rec."), Panel2);
    layout->addWidget(ButtonNumeroRecord);
    layout->addStretch();
    ButtonFont = new QToolButton(Panel2);
    ButtonFont->setText(QStringLiteral("Aa"));
    ButtonFont->setToolTip(QStringLiteral("Carattere della griglia"));
    ButtonGira = new QToolButton(Panel2);
    ButtonGira->setText(QStringLiteral("1 Rec."));
    ButtonGira->setToolTip(QStringLiteral("Un record per volta (F7)"));
    for (QToolButton* b : {ButtonFont, ButtonGira}) {
        b->setMinimumHeight(altezzaPulsante);
        layout->addWidget(b);
    }
    ButtonSomma = pulsante(QStringLiteral("So&mma"), Panel2);
    ButtonOrdina = pulsante(QStringLiteral("&Ord./Tot."), Panel2);
    ButtonGrafico = pulsante(QStringLiteral("&Grafico"), Panel2);
    ButtonStampa = pulsante(QStringLiteral("&Stampa"), Panel2);
    ButtonEsporta = pulsante(QStringLiteral("&Esporta"), Panel2);
    ButtonRitornaQuery = pulsante(QStringLiteral("&Ritorna a Query"), Panel2);
    ButtonChiudiRisposta = pulsante(QStringLiteral("&Chiudi"), Panel2);
    for (QPushButton* b : {ButtonSomma, ButtonOrdina, ButtonGrafico, ButtonStampa, ButtonEsporta,
                           ButtonRitornaQuery, ButtonChiudiRisposta})
        layout->addWidget(b);
    ButtonChiudiRisposta->hide();
    pulsantiRisposta_ = {ButtonNumeroRecord, ButtonFont,          ButtonGira,   ButtonSomma,
                         ButtonOrdina,       ButtonGrafico,       ButtonStampa, ButtonEsporta,
                         ButtonRitornaQuery, ButtonChiudiRisposta};

    CollegaPulsante(ButtonNumeroRecord, [this] { ButtonNumeroRecordClick(); });
    CollegaPulsante(ButtonFont, [this] { ButtonFontClick(); });
    CollegaPulsante(ButtonGira, [this] { MostraUnRecord(); });
    CollegaPulsante(ButtonSomma, [this] { ButtonSommaClick(); });
    CollegaPulsante(ButtonOrdina, [this] { ButtonOrdinaClick(); });
    CollegaPulsante(ButtonGrafico, [this] { ButtonGraficoClick(); });
    CollegaPulsante(ButtonEsporta, [this] { ButtonEsportaClick(); });
    CollegaPulsante(ButtonStampa, [this] { ButtonStampaClick(); });
    CollegaPulsante(ButtonRitornaQuery, [this] { ButtonRitornaQueryClick(); });
    CollegaPulsante(ButtonChiudiRisposta, [this] { ButtonChiudiClick(); });
}

void TIBLQueryForm::creaPannelloDefinizione() {
    Panel4 = new QWidget(this);
    Panel4->setFixedWidth(larghezzaColonnaDestra);
    auto* layout = new QVBoxLayout(Panel4);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    ButtonEseguiInterrogazione = pulsante(QStringLiteral("&Esegui Query"), Panel4);
    ButtonSelezionaTutto = pulsante(QStringLiteral("&Seleziona Tutto"), Panel4);
    ButtonDeselezionaTutto = pulsante(QStringLiteral("&Deselez. Tutto"), Panel4);
    ButtonAggiungiT = pulsante(QStringLiteral("&Aggiungi tabella"), Panel4);
    ButtonEliminaT = pulsante(QStringLiteral("E&limina tabella "), Panel4);
    ButtonElabAvanzate = pulsante(QStringLiteral("Elab. a&vanzate"), Panel4);
    ButtonChiudi = pulsante(QStringLiteral("&Chiudi"), Panel4);
    pulsantiDefinizione_ = {ButtonEseguiInterrogazione,
                            ButtonSelezionaTutto,
                            ButtonDeselezionaTutto,
                            ButtonAggiungiT,
                            ButtonEliminaT,
                            ButtonElabAvanzate,
                            ButtonChiudi};
    for (QAbstractButton* b : std::as_const(pulsantiDefinizione_))
        layout->addWidget(b);
    layout->addSpacing(6);

    QFont piccolo = font();
    piccolo.setPixelSize(11);
    for (const char* testo : legenda) {
        auto* etichetta = new QLabel(QString::fromUtf8(testo), Panel4);
        etichetta->setFont(piccolo);
        layout->addWidget(etichetta);
    }
    layout->addStretch();
    QFont grassetto = piccolo;
    grassetto.setBold(true);
    LabelF11 = new QLabel(QStringLiteral("F11 Prec."), Panel4);
    LabelF12 = new QLabel(QStringLiteral("F12 Succ."), Panel4);
    for (QLabel* l : {LabelF11, LabelF12}) {
        l->setFont(grassetto);
        l->setStyleSheet(QStringLiteral("color: #FF00FF"));
        l->hide();
        layout->addWidget(l);
    }

    CollegaPulsante(ButtonEseguiInterrogazione, [this] { ButtonEseguiInterrogazioneClick(); });
    CollegaPulsante(ButtonSelezionaTutto, [this] { ButtonSelezionaTuttoClick(); });
    CollegaPulsante(ButtonDeselezionaTutto, [this] { ButtonDeselezionaTuttoClick(); });
    CollegaPulsante(ButtonAggiungiT, [this] { ButtonAggiungiTClick(); });
    CollegaPulsante(ButtonEliminaT, [this] { ButtonEliminaTClick(); });
    CollegaPulsante(ButtonChiudi, [this] { ButtonChiudiClick(); });
    CollegaPulsante(ButtonElabAvanzate, [this] { ButtonElabAvanzateClick(); });
    CollegaElaborazione(elaborazione::BloccaQuery, [this] { BloccaQuery(); });
    CollegaElaborazione(elaborazione::CampiVisibili, [this] { ScegliCampiVisibili(); });
}

void TIBLQueryForm::creaGriglie() {
    auto* layout = new QVBoxLayout(Panel5);
    layout->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = new GrigliaDefinizione(
        new ModelloDefinizione([this] { return ModificaInternaAttiva(); }), Panel5);
    modelloRisposta_ = new ModelloRisposta;
    DBGrid2 = new GrigliaCampi(modelloRisposta_, Panel5);
    DBGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid2->setTitoliSpostabili(true);
    layout->addWidget(DBGrid1);
    layout->addWidget(DBGrid2);
    connect(DBGrid1, &GrigliaDefinizione::doppioClic, this,
            [this] { protetto([this] { DBGrid1DblClick(); }); });
}

QAction* TIBLQueryForm::azione(QWidget* griglia, const QString& testo, const QKeySequence& tasto,
                               void (TIBLQueryForm::*gestore)()) {
    auto* a = new QAction(testo, griglia);
    a->setShortcut(tasto);
    // The key works while the grid, or the cell being typed in, has the focus.
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (gestore)
        connect(a, &QAction::triggered, this,
                [this, gestore] { protetto([&] { (this->*gestore)(); }); });
    griglia->addAction(a);
    return a;
}

void TIBLQueryForm::creaTasti() {
    // Keys of the definition grid.
    azione(DBGrid1, QStringLiteral("Selez/Deselez"), Qt::Key_F3, &TIBLQueryForm::SelezionaRigaInt);
    azione(DBGrid1, QStringLiteral("ins.parentesi"), Qt::Key_F4, &TIBLQueryForm::MettiParentesi);
    azione(DBGrid1, QStringLiteral("ins.nome campo"), Qt::Key_F5,
           &TIBLQueryForm::InserisciNomeCampo);
    azione(DBGrid1, QStringLiteral("ins. range"), Qt::Key_F6, &TIBLQueryForm::InserisciRange);
    azione(DBGrid1, QStringLiteral("ins. formule"), Qt::Key_F7, &TIBLQueryForm::InserisciFormule);
    azione(DBGrid1, QStringLiteral("Estr.Anni/Mesi"), Qt::Key_F8, &TIBLQueryForm::RaggruppaMesi);
    azione(DBGrid1, QStringLiteral("Editor condiz."), Qt::Key_F9, &TIBLQueryForm::EditorCondizione);
    azione(DBGrid1, QStringLiteral("Ins. valore"), Qt::Key_F10, &TIBLQueryForm::InserisciValore);

    // Its popup menu.
    PopupMenu1 = new QMenu(this);
    Precedente1 = azione(DBGrid1, QStringLiteral("Precedente"), Qt::Key_F11, nullptr);
    Successiva1 = azione(DBGrid1, QStringLiteral("Successiva"), Qt::Key_F12, nullptr);
    CopiaSqlnelclipboard1 = azione(DBGrid1, QStringLiteral("Copia Sql nel clipboard"),
                                   QKeySequence(), &TIBLQueryForm::CopiaSqlnelclipboard1Click);
    InserisciSomma1 = azione(DBGrid1, QStringLiteral("Inserisci somma con raggruppamento corrente"),
                             QKeySequence(), &TIBLQueryForm::InserisciSommaClick);
    PopupMenu1->addActions({Precedente1, Successiva1, CopiaSqlnelclipboard1, InserisciSomma1});
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& punto) {
        PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(punto));
    });

    // Keys of the answer grid.
    azioniRisposta_ = {
        azione(DBGrid2, QStringLiteral("elimina campo"), Qt::Key_F3, &TIBLQueryForm::EliminaCampo),
        azione(DBGrid2, QStringLiteral("aspetto base"), Qt::Key_F4, &TIBLQueryForm::AspettoBase),
        azione(DBGrid2, QStringLiteral("raggruppa cifre"), Qt::Key_F5,
               &TIBLQueryForm::RaggruppaCifre),
    };
    azione(DBGrid2, QStringLiteral("Un record"), Qt::Key_F7, &TIBLQueryForm::MostraUnRecord);
}

void TIBLQueryForm::CollegaPulsante(QAbstractButton* pulsante, std::function<void()> azione) {
    disconnect(pulsante, &QAbstractButton::clicked, this, nullptr);
    connect(pulsante, &QAbstractButton::clicked, this,
            [this, azione = std::move(azione)] { protetto(azione); });
    if (!collegati_.contains(pulsante))
        collegati_ << pulsante;
    SettaggioControlli();
}

void TIBLQueryForm::abilita(QAbstractButton* pulsante, bool abilitato) {
    // A function not there yet keeps its button off: nothing would happen.
    pulsante->setEnabled(abilitato && collegati_.contains(pulsante));
}

void TIBLQueryForm::SettaggioControlli() {
    if (!Panel2 || !Panel4)
        return;
    for (QAbstractButton* b : std::as_const(pulsantiRisposta_))
        abilita(b, Panel2->isVisibleTo(this));
    for (QAbstractButton* b : std::as_const(pulsantiDefinizione_))
        abilita(b, Panel4->isVisibleTo(this));
}

bool TIBLQueryForm::VistaRisposta() const {
    return Panel2->isVisibleTo(this);
}

bool TIBLQueryForm::protetto(const std::function<void()>& comando) {
    return EseguiProtetto(port_, comando);
}

void TIBLQueryForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (mostrata_)
        return;
    mostrata_ = true;
    SettaggioControlli();
    // Loaded once: coming back from a dialog must not load it again over
    // what the user changed meanwhile.
    if (ModoStorico && !protetto([this] { CheckArchiviStorico(); }))
        return;
    // Once, when the form first shows: coming back from a dialog must not run
    // it again and throw away what the user did meanwhile.
    if (EseguiAllApertura)
        QTimer::singleShot(0, this,
                           [this] { protetto([this] { ButtonEseguiInterrogazioneClick(); }); });
}

void TIBLQueryForm::keyPressEvent(QKeyEvent* event) {
    // Esc leaves a cell being typed in (the grid's), never the whole tool.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TIBLQueryForm::mostraDatiRisposta() {
    DBGrid2->setDataset(&TabRispTmp.Dati());
    modelloRisposta_->setCodici(&TabRispTmp.Codici());
}

Definizione TIBLQueryForm::LeggiRighe() {
    return LeggiDefinizione(TabIntTmp);
}

void TIBLQueryForm::ScriviRighe(const Definizione& righe) {
    const int corrente = DBGrid1->RigaCorrente();
    const ModificaInterna modifica(*this);
    ScriviDefinizione(TabIntTmp, righe);
    DBGrid1->SelezionaRiga(std::min(corrente, int(righe.size()) - 1));
}

} // namespace mavo
