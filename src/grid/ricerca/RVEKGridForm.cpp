#include "grid/ricerca/RVEKGridForm.h"
#include "platform/SqlTesto.h"

#include "common/ui/AspettoDialogo.h"
#include "common/ui/EditData.h"
#include "context/EseguiProtetto.h"
#include "grid/ricerca/GruppoOpzioni.h"
#include "platform/Formats.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mavo {

namespace {

const QStringList kTipiRicerca{QStringLiteral(">="), QStringLiteral("LIKE %%"),
                               QStringLiteral("LIKE %")};

// A date the user finished typing (dd/mm/yyyy); none for an empty or incomplete one.
std::optional<QDate> dataCompleta(const QString& testo) {
    if (testo.size() != 10)
        return std::nullopt;
    const std::optional<QDate> data = textToDate(testo);
    if (!data || *data <= QDate(1899, 12, 30))
        return std::nullopt;
    return data;
}

template <typename T> T* controllo(T* widget, const char* nome, const QRect& posto) {
    widget->setObjectName(QLatin1String(nome));
    widget->setGeometry(posto);
    return widget;
}

} // namespace

TRVEKGridForm::TRVEKGridForm(const ImpostazioniRicerca& impostazioni, Interazione& interazione,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), impostazioni_(impostazioni),
      interazione_(interazione),
      modoData_(impostazioni.sorgenteQuery && impostazioni.classe == ClasseCampo::Data),
      TimerRicerca(new TemporizzatoreRicerca([this] { applicaRicerca(); },
                                             impostazioni.ricercaATempo, this,
                                             impostazioni.intervallo)) {
    setFixedSize(262, 183);
    creaControlli();
    EditGenerica->setEnabled(impostazioni_.sorgenteQuery);
    if (impostazioni_.sorgenteQuery)
        adattaAllaClasse();
    setWindowTitle(QStringLiteral("Ricerca su ") + impostazioni_.titoloColonna);

    connect(EditStringa, &QLineEdit::textChanged, this, &TRVEKGridForm::testoCambiato);
    connect(ButtonAggRete, &QPushButton::clicked, this, [this] { TimerRicerca->testoCambiato(); });
    connect(ButtonEsegui, &QPushButton::clicked, this, [this] {
        if (applicaGenerica)
            EseguiProtetto(interazione_, [this] { applicaGenerica(EditStringa->text()); });
    });
    connect(EditGenerica, &QCheckBox::toggled, this, &TRVEKGridForm::genericaCambiata);
    for (QLineEdit* casella : std::initializer_list<QLineEdit*>{EditStringa, EditData1, EditData2})
        casella->installEventFilter(this);
}

void TRVEKGridForm::creaControlli() {
    Label1 = controllo(new QLabel(QStringLiteral("Stringa di ricerca"), this), "Label1",
                       {8, 6, 246, 16});
    EditStringa = controllo(new QLineEdit(this), "EditStringa", {8, 22, 246, 22});
    EditTipoRicerca =
        controllo(new GruppoOpzioni(QStringLiteral(" Tipo ricerca "), kTipiRicerca, 3, this),
                  "EditTipoRicerca", {8, 48, 246, 44});
    EditTipoRicerca->setIndice(RicercaMaggioreUguale);
    Label2 =
        controllo(new QLabel(QStringLiteral("e (facoltativo):"), this), "Label2", {8, 50, 246, 16});
    EditData1 = controllo(new TEditData(this), "EditData1", {8, 22, 120, 22});
    EditData2 = controllo(new TEditData(this), "EditData2", {8, 66, 120, 22});
    for (QWidget* nascosto : std::initializer_list<QWidget*>{Label2, EditData1, EditData2})
        nascosto->hide();
    EditUpper =
        controllo(new QCheckBox(QStringLiteral("Upper"), this), "EditUpper", {8, 98, 100, 20});
    EditUpper->setChecked(true);
    ButtonAggRete =
        controllo(new QPushButton(QStringLiteral("&+"), this), "ButtonAggRete", {222, 96, 32, 24});
    EditOrdinamento = controllo(new GruppoOpzioni(QStringLiteral(" Tipo ordinamento "),
                                                  {QStringLiteral("No"), QStringLiteral("Cresc."),
                                                   QStringLiteral("Decres.")},
                                                  3, this),
                                "EditOrdinamento", {8, 122, 246, 44});
    EditOrdinamento->setIndice(OrdinamentoCrescente);
    EditGenerica = controllo(new QCheckBox(QStringLiteral("Generica"), this), "EditGenerica",
                             {8, 166, 100, 16});
    ButtonEsegui = controllo(new QPushButton(QStringLiteral("Esegui"), this), "ButtonEsegui",
                             {174, 162, 80, 20});
    ButtonEsegui->setEnabled(false);
    // Enter belongs to the search boxes, never to a button.
    for (QPushButton* pulsante : {ButtonAggRete, ButtonEsegui})
        pulsante->setAutoDefault(false);
}

void TRVEKGridForm::adattaAllaClasse() {
    switch (impostazioni_.classe) {
    case ClasseCampo::Numerico:
        EditTipoRicerca->setVoci(kTipiRicerca.mid(0, 2), 2);
        EditTipoRicerca->setIndice(RicercaMaggioreUguale);
        break;
    case ClasseCampo::Data:
        EditData1->setGeometry(EditStringa->geometry());
        EditStringa->hide();
        EditData1->show();
        EditData2->show();
        Label1->setText(QStringLiteral("Inserisci una data compresa tra:"));
        Label2->show();
        EditTipoRicerca->hide();
        EditData1->setFocus();
        break;
    case ClasseCampo::Blob:
        EditUpper->setEnabled(false);
        break;
    case ClasseCampo::Testo:
        break;
    }
}

void TRVEKGridForm::RipristinaStato(const std::optional<StatoDialogoRicerca>& stato) {
    if (!stato) {
        CentraSulloSchermo(*this);
        return;
    }
    move(stato->posizione);
    // A type the column does not offer (">=" and "LIKE %%" only, for numbers) becomes ">=".
    EditTipoRicerca->setIndice(stato->tipo < EditTipoRicerca->numeroVoci() ? stato->tipo
                                                                           : RicercaMaggioreUguale);
    EditUpper->setChecked(stato->upper);
    EditOrdinamento->setIndice(stato->ordinamento);
}

StatoDialogoRicerca TRVEKGridForm::Stato() const {
    return {pos(), EditTipoRicerca->indice(), EditOrdinamento->indice(), EditUpper->isChecked()};
}

RichiestaRicerca TRVEKGridForm::Richiesta() const {
    RichiestaRicerca richiesta;
    richiesta.testo = EditStringa->text();
    richiesta.tipo = EditTipoRicerca->indice();
    richiesta.upper = EditUpper->isChecked();
    richiesta.ordinamento = EditOrdinamento->indice();
    if (modoData_) {
        richiesta.dal = dataCompleta(EditData1->text()).value_or(QDate());
        richiesta.al = dataCompleta(EditData2->text()).value_or(QDate());
    }
    return richiesta;
}

// A date search waits until each date typed is complete and valid.
std::optional<RichiestaRicerca> TRVEKGridForm::richiestaCompleta() const {
    const RichiestaRicerca richiesta = Richiesta();
    if (modoData_ && ((!EditData1->text().isEmpty() && !richiesta.dal.isValid()) ||
                      (!EditData2->text().isEmpty() && !richiesta.al.isValid())))
        return std::nullopt;
    return richiesta;
}

void TRVEKGridForm::testoCambiato() {
    if (reazioniTesto_)
        TimerRicerca->testoCambiato();
}

void TRVEKGridForm::applicaRicerca() {
    TimerRicerca->ferma();
    std::optional<RichiestaRicerca> richiesta = richiestaCompleta();
    if (!richiesta)
        return;
    if (modoData_ && richiesta->dal.isValid()) {
        EditTipoRicerca->setIndice(RicercaMaggioreUguale);
        richiesta->tipo = RicercaMaggioreUguale;
    }
    if (applica)
        EseguiProtetto(interazione_, [&] { applica(*richiesta); });
}

bool TRVEKGridForm::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* casella = qobject_cast<QLineEdit*>(oggetto);
    const bool reagisce = casella == EditStringa ? reazioniTesto_ : modoData_;
    if (evento->type() != QEvent::KeyPress || !casella || !reagisce)
        return QDialog::eventFilter(oggetto, evento);
    return tastoPremuto(*casella, static_cast<const QKeyEvent&>(*evento));
}

bool TRVEKGridForm::tastoPremuto(QLineEdit& casella, const QKeyEvent& tasto) {
    switch (tasto.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        applicaRicerca();
        accept();
        return true;
    case Qt::Key_Escape:
        TimerRicerca->ferma();
        if (annulla)
            EseguiProtetto(interazione_, annulla);
        reject();
        return true;
    default:
        if (tasto.text() != QStringLiteral("'"))
            return false;
        casella.insert(QString(sql::Acuto)); // ´ stands for a typed apostrophe
        return true;
    }
}

void TRVEKGridForm::genericaCambiata(bool spuntata) {
    if (spuntata) {
        EditStringa->show();
        EditData1->hide();
        // The box now only holds the text for "Esegui"; it stays deaf once unticked.
        reazioniTesto_ = false;
        TimerRicerca->ferma();
        titoloSalvato_ = windowTitle();
        setWindowTitle(QStringLiteral("Ricerca su TUTTI i campi"));
    } else {
        setWindowTitle(titoloSalvato_);
        // A date column searches on its date boxes again.
        EditStringa->setVisible(!modoData_);
        EditData1->setVisible(modoData_);
    }
    for (QWidget* opzione :
         std::initializer_list<QWidget*>{EditTipoRicerca, ButtonAggRete, EditOrdinamento})
        opzione->setEnabled(!spuntata);
    EditUpper->setEnabled(!spuntata && impostazioni_.classe != ClasseCampo::Blob);
    ButtonEsegui->setEnabled(spuntata);
}

void TRVEKGridForm::done(int risultato) {
    // A search still waiting for the pause must not reach a closed dialog.
    TimerRicerca->ferma();
    QDialog::done(risultato);
}

} // namespace mavo
