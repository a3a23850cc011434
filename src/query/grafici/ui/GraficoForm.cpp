#include "query/grafici/ui/GraficoForm.h"

#include "common/ui/AspettoDialogo.h"
#include "context/EseguiProtetto.h"
#include "grid/ricerca/GruppoOpzioni.h"
#include "platform/Interazione.h"
#include "query/grafici/DatiGrafico.h"
#include "query/grafici/SceltaGrafico.h"
#include "query/grafici/ui/FinestraGrafico.h"
#include "query/grafici/ui/Grafico.h"
#include "query/risposta/Risposta.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace mavo {

namespace {

const QString DatiInsufficienti =
    QStringLiteral("Dati non sufficienti per la creazione del grafico!\rVerificare e correggere");
const QString SelezionareTipo = QStringLiteral("Selezionare il tipo grafico da visualizzare!");
const QString ImpostarePrima =
    QStringLiteral("Impostare prima i Campi relativi alle coordinate X e Y");

template <class W> W* nominato(W* widget, const char* nome) {
    widget->setObjectName(QLatin1String(nome));
    return widget;
}

QPushButton* pulsante(const QString& testo, const char* nome, QWidget* parent) {
    return nominato(new QPushButton(testo, parent), nome);
}

} // namespace

TGraficoForm::TGraficoForm(QWidget* owner, Interazione& port, const QString& ditta,
                           const QString& directoryBin, const QString& directoryLavoro,
                           Risposta& risposta)
    : QDialog(owner), EditDescrizione1(nominato(new QComboBox(this), "EditDescrizione1")),
      EditValore(nominato(new QComboBox(this), "EditValore")),
      ButtonCampiAggiunti(pulsante("&Campi valori aggiunti", "ButtonCampiAggiunti", this)),
      ListBox1(nominato(new QListWidget(this), "ListBox1")),
      ListBox2(nominato(new QListWidget(this), "ListBox2")),
      ButtonTitolo(pulsante("&Titolo grafico", "ButtonTitolo", this)),
      EditTitolo(nominato(new QLineEdit(this), "EditTitolo")),
      ButtonDescrAsseX(pulsante("Descrizione asse &x", "ButtonDescrAsseX", this)),
      EditDescrAsseX(nominato(new QLineEdit(this), "EditDescrAsseX")),
      ButtonDescrAsseY(pulsante("Descrizione asse &y", "ButtonDescrAsseY", this)),
      EditDescrAsseY(nominato(new QLineEdit(this), "EditDescrAsseY")),
      ButtonDescrAsseZ(pulsante("Descrizione asse &z", "ButtonDescrAsseZ", this)),
      EditDescrAsseZ(nominato(new QLineEdit(this), "EditDescrAsseZ")),
      RadioGroup1(nominato(
          new GruppoOpzioni("Tipo grafico (valori x/y)", NomiTipi(TipiGraficoXY()), 2, this, true),
          "RadioGroup1")),
      RadioGroup2(nominato(new GruppoOpzioni("Tipo grafico (valori x/y/z)",
                                             NomiTipi(TipiGraficoXYZ()), 2, this, true),
                           "RadioGroup2")),
      RadioGroup3(nominato(new GruppoOpzioni("Orientamento", {"Orizzontale", "Verticale"}, 2, this),
                           "RadioGroup3")),
      RadioGroup4(nominato(new GruppoOpzioni("Ordinamento", {"Ordina", "Originale"}, 2, this),
                           "RadioGroup4")),
      ButtonVisualizza(pulsante("&Visualizza", "ButtonVisualizza", this)),
      ButtonChiudi(pulsante("Ch&iudi", "ButtonChiudi", this)),
      ButtonOK(pulsante("OK", "ButtonOK", this)),
      ButtonCancel(pulsante("Cancel", "ButtonCancel", this)), Ditta(ditta),
      DirectoryBin(directoryBin), DirectoryLavoro(directoryLavoro), port_(port),
      risposta_(risposta), tabella_(directoryLavoro) {
    setWindowTitle(QStringLiteral("Elaborazione grafici"));
    setObjectName(QStringLiteral("GraficoForm"));
    ImpostaCarattereDialogo(*this);
    setFixedSize(648, 491);

    auto* etichettaX = new QLabel(QStringLiteral("Campo descrizione asse x:"), this);
    etichettaX->setGeometry(8, 6, 225, 16);
    EditDescrizione1->setGeometry(8, 24, 225, 24);
    auto* etichettaY = new QLabel(QStringLiteral("Campo valori asse y:"), this);
    etichettaY->setGeometry(8, 50, 225, 16);
    EditValore->setGeometry(8, 66, 225, 24);
    ButtonCampiAggiunti->setGeometry(280, 16, 225, 27);
    ListBox1->setGeometry(280, 48, 225, 65);
    ListBox1->setEnabled(false);
    ListBox2->setGeometry(8, 91, 225, 200);
    ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox2->hide();

    const struct {
        QPushButton* pulsante;
        QLineEdit* testo;
    } righe[] = {{ButtonTitolo, EditTitolo},
                 {ButtonDescrAsseX, EditDescrAsseX},
                 {ButtonDescrAsseY, EditDescrAsseY},
                 {ButtonDescrAsseZ, EditDescrAsseZ}};
    int y = 124;
    for (const auto& riga : righe) {
        riga.pulsante->setGeometry(8, y, 150, 26);
        riga.testo->setGeometry(164, y + 1, 476, 24);
        connect(riga.pulsante, &QPushButton::clicked, riga.testo,
                [testo = riga.testo] { testo->setFocus(); });
        righeNormali_ << riga.pulsante << riga.testo;
        y += 30;
    }

    RadioGroup1->setGeometry(8, 246, 230, 98);
    RadioGroup2->setGeometry(246, 246, 394, 168);
    RadioGroup2->setEnabled(false);
    RadioGroup3->setGeometry(8, 350, 230, 48);
    RadioGroup3->setIndice(0);
    RadioGroup4->setGeometry(8, 404, 230, 48);
    RadioGroup4->setIndice(0);
    ButtonVisualizza->setGeometry(404, 454, 112, 28);
    ButtonChiudi->setGeometry(528, 454, 112, 28);
    ButtonOK->setGeometry(404, 454, 112, 28);
    ButtonCancel->setGeometry(528, 454, 112, 28);
    ButtonOK->hide();
    ButtonCancel->hide();
    righeNormali_ << RadioGroup1 << RadioGroup2 << RadioGroup3 << RadioGroup4 << ButtonVisualizza
                  << ButtonChiudi;

    if (risposta_.Aperta())
        EditDescrizione1->addItems(CampiAsseX(risposta_.Dati()));
    EditDescrizione1->setCurrentIndex(-1);

    connect(EditDescrizione1, &QComboBox::currentIndexChanged, this, &TGraficoForm::campoXScelto);
    connect(EditValore, &QComboBox::currentIndexChanged, this, &TGraficoForm::campoValoriScelto);
    connect(ButtonCampiAggiunti, &QPushButton::clicked, this, &TGraficoForm::campiAggiunti);
    connect(ButtonOK, &QPushButton::clicked, this, &TGraficoForm::confermaSerie);
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { scegliSerie(false); });
    connect(ButtonVisualizza, &QPushButton::clicked, this, &TGraficoForm::visualizza);
    connect(ButtonChiudi, &QPushButton::clicked, this, &QDialog::reject);
    CentraSulloSchermo(*this);
}

TGraficoForm::~TGraficoForm() {
    // The charts read nothing more from the table: they may outlive the
    // dialog, beside the window that asked for them.
    for (FinestraGrafico* finestra : Finestre()) {
        if (!parentWidget()) {
            finestra->close();
            continue;
        }
        const QRect dove = finestra->geometry();
        finestra->setParent(parentWidget(), Qt::Window);
        finestra->setGeometry(dove);
        finestra->show();
    }
    try {
        tabella_.Chiudi();
    } catch (...) {
        // A work file left behind harms nobody.
    }
}

QList<FinestraGrafico*> TGraficoForm::Finestre() const {
    QList<FinestraGrafico*> aperte;
    for (const QPointer<FinestraGrafico>& finestra : finestre_)
        if (finestra)
            aperte << finestra.data();
    return aperte;
}

void TGraficoForm::campoXScelto() {
    {
        const QSignalBlocker silenzio(EditValore);
        EditValore->clear();
        if (risposta_.Aperta())
            EditValore->addItems(CampiValori(risposta_.Dati(), EditDescrizione1->currentText()));
        EditValore->setCurrentIndex(-1);
    }
    lasciaSerieAggiunte();
    EditDescrAsseX->setText(EditDescrizione1->currentText());
    EditDescrAsseY->setText(EditValore->currentText());
}

void TGraficoForm::campoValoriScelto() {
    EditDescrAsseY->setText(EditValore->currentText());
    lasciaSerieAggiunte();
}

void TGraficoForm::lasciaSerieAggiunte() {
    if (ListBox1->count() == 0)
        return;
    ListBox1->clear();
    RadioGroup1->setEnabled(true);
    RadioGroup2->setEnabled(false);
    RadioGroup2->azzera();
}

void TGraficoForm::campiAggiunti() {
    if (EditDescrizione1->currentIndex() < 0 || EditValore->currentIndex() < 0) {
        port_.Informazione(ImpostarePrima);
        return;
    }
    ListBox2->clear();
    QStringList scelte;
    for (int i = 0; i < ListBox1->count(); ++i)
        scelte << ListBox1->item(i)->text();
    for (int i = 0; i < EditValore->count(); ++i) {
        if (i == EditValore->currentIndex())
            continue;
        ListBox2->addItem(EditValore->itemText(i));
        // What was chosen before stays chosen: OK alone keeps it.
        ListBox2->item(ListBox2->count() - 1)
            ->setSelected(scelte.contains(EditValore->itemText(i)));
    }
    scegliSerie(true);
}

void TGraficoForm::confermaSerie() {
    ListBox1->clear();
    for (int i = 0; i < ListBox2->count(); ++i)
        if (ListBox2->item(i)->isSelected())
            ListBox1->addItem(ListBox2->item(i)->text());
    scegliSerie(false);
    const bool conSerie = ListBox1->count() > 0;
    RadioGroup1->setEnabled(!conSerie);
    RadioGroup2->setEnabled(conSerie);
    (conSerie ? RadioGroup1 : RadioGroup2)->azzera();
}

void TGraficoForm::scegliSerie(bool scelta) {
    for (QWidget* controllo : righeNormali_)
        controllo->setVisible(!scelta);
    ButtonOK->setVisible(scelta);
    ButtonCancel->setVisible(scelta);
    ListBox2->setVisible(scelta);
    ListBox1->setEnabled(scelta);
    EditValore->setEnabled(!scelta);
    // A new x column would change the columns on offer under the user's eyes.
    EditDescrizione1->setEnabled(!scelta);
    ButtonCampiAggiunti->setEnabled(!scelta);
    if (scelta)
        ListBox2->setFocus();
}

void TGraficoForm::visualizza() {
    if (EditDescrizione1->currentIndex() < 0 || EditValore->currentIndex() < 0) {
        port_.Informazione(DatiInsufficienti);
        return;
    }
    const bool conSerie = ListBox1->count() > 0;
    const GruppoOpzioni* gruppo = conSerie ? RadioGroup2 : RadioGroup1;
    const QList<TipoGrafico>& tipi = conSerie ? TipiGraficoXYZ() : TipiGraficoXY();
    if (gruppo->indice() < 0) {
        port_.Informazione(SelezionareTipo);
        return;
    }
    ImpostazioniGrafico impostazioni{
        EditDescrizione1->currentText(), EditValore->currentText(), {}, RadioGroup4->indice() == 1};
    for (int i = 0; i < ListBox1->count(); ++i)
        impostazioni.SerieAggiunte << ListBox1->item(i)->text();
    const SceltaGrafico scelta =
        *ScegliGrafico(conSerie, tipi[gruppo->indice()].Nome, RadioGroup3->indice() == 1);
    const Didascalie didascalie = CreaDidascalie(EditTitolo->text(), EditDescrAsseX->text(),
                                                 EditDescrAsseY->text(), EditDescrAsseZ->text());

    QApplication::setOverrideCursor(Qt::WaitCursor);
    EseguiProtetto(port_, [&] {
        tabella_.Riempi(risposta_, impostazioni, port_);
        const bool torte = scelta.Forma == FormaGrafico::TorteFisse ||
                           scelta.Forma == FormaGrafico::TorteProporzionali;
        const DatiGrafico dati =
            LeggiDatiGrafico(tabella_.Tabella(), torte ? MassimoTorte : MassimoDescrizioni);
        tabella_.Tabella().close();
        auto* finestra = new FinestraGrafico(CreaGrafico(dati, scelta, didascalie), port_, this);
        finestre_ << finestra;
        finestra->show();
    });
    QApplication::restoreOverrideCursor();
}

void MostraGrafici(QWidget* owner, Interazione& port, const QString& ditta,
                   const QString& directoryBin, const QString& directoryLavoro,
                   Risposta& risposta) {
    EseguiProtetto(port, [&] {
        TGraficoForm dialogo(owner, port, ditta, directoryBin, directoryLavoro, risposta);
        if (owner)
            dialogo.setFont(owner->font());
        dialogo.exec();
    });
}

} // namespace mavo
