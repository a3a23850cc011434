#include "query/collegate/ui/IBAggForm.h"

#include "common/ui/ListTabForm.h"
#include "context/EseguiProtetto.h"
#include "grid/Colore.h"
#include "platform/Interazione.h"
#include "query/calcoli/ui/DialogoCalcoli.h"
#include "query/collegate/ui/Navigatore.h"
#include "query/motore/DescrizioneTabella.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mavo {

namespace {

constexpr int altezzaPiccola = 120;
constexpr int altezzaGrande = 535;
constexpr int larghezza = 620;

QString sceltaDaElenco(QWidget* owner, db::Database& database) {
    TListTabForm elenco(owner, database);
    elenco.exec();
    const QListWidgetItem* voce = elenco.ListBox1->currentItem();
    return elenco.Esito == 1 && voce ? voce->text() : QString();
}

void coloraCampo(QTableWidget& griglia, int riga) {
    const bool mostra = griglia.item(riga, 1)->text() == u"1";
    ColoraRiga(griglia, riga, mostra ? ColoreQt(clSfondo, QApplication::palette()) : QColor());
}

} // namespace

TIBAggForm::TIBAggForm(Definizione& definizione, db::Database& database, const QString& ditta,
                       const QString& prefisso, Interazione& port, QWidget* owner)
    : QDialog(owner), ScegliTabella(sceltaDaElenco),
      ButtonTabella(new QPushButton(QStringLiteral("Tabella da aggiungere"), this)),
      EditTabella(new QLineEdit(this)), EditPercorso(new QLineEdit(this)),
      LabelNota(new QLabel(
          QStringLiteral("Nota: nel terzo caso le condizioni prima possono filtrare vari record "
                         "in tabella2, aumentando il numero buchi finale sui campi provenienti "
                         "da tabella2"),
          this)),
      ButtonChiudi(new QPushButton(QStringLiteral("Ch&iudi"), this)),
      GroupJoin(new QGroupBox(QStringLiteral("Impostazione Join"), this)),
      RadioLeft(new QRadioButton(QStringLiteral("Left"))),
      RadioRight(new QRadioButton(QStringLiteral("Right (con buchi)"))),
      RadioCondizioniPrima(new QRadioButton(QStringLiteral("Left (con condizioni prima)"))),
      ComboPrincipale(new QComboBox(GroupJoin)), ComboCollegata(new QComboBox(GroupJoin)),
      ButtonAggiungiLegame(new QPushButton(QStringLiteral("Aggiungi alla tabella"), GroupJoin)),
      GrigliaLegami(GrigliaDiScelta(
          {QStringLiteral("Campo tabella principale"), QStringLiteral("Campo tabella collegata")},
          GroupJoin)),
      GrigliaCampi(GrigliaDiScelta({QStringLiteral("Campo"), QStringLiteral("Mostra")}, GroupJoin)),
      ButtonSelezionaTutto(new QPushButton(QStringLiteral("&Seleziona Tutto"), GroupJoin)),
      ButtonDeselezionaTutto(new QPushButton(QStringLiteral("&Deseleziona Tutto"), GroupJoin)),
      ButtonRiporta(new QPushButton(QStringLiteral("&Riporta"), GroupJoin)),
      ButtonAnnulla(new QPushButton(QStringLiteral("&Annulla"), GroupJoin)),
      definizione_(definizione), database_(database), port_(port) {
    EditTabella->setReadOnly(true);
    EditPercorso->setReadOnly(true);
    EditPercorso->setText(prefisso);
    LabelNota->setWordWrap(true);
    ComboPrincipale->addItems(CampiPrincipali(definizione_));
    for (QComboBox* c : {ComboPrincipale, ComboCollegata})
        c->setMaxVisibleItems(20);

    auto* modalita = new QGroupBox(QStringLiteral("Modalità Join"), GroupJoin);
    auto* radio = new QVBoxLayout(modalita);
    for (QRadioButton* r : {RadioLeft, RadioRight, RadioCondizioniPrima})
        radio->addWidget(r);
    RadioLeft->setChecked(true);

    auto* legami = new QGridLayout;
    legami->addWidget(new QLabel(QStringLiteral("Campi tabella principale"), GroupJoin), 0, 0);
    legami->addWidget(new QLabel(QStringLiteral("Campi tabella collegata"), GroupJoin), 0, 1);
    legami->addWidget(ComboPrincipale, 1, 0);
    legami->addWidget(ComboCollegata, 1, 1);
    legami->addWidget(ButtonAggiungiLegame, 1, 2);
    legami->addWidget(GrigliaLegami, 2, 0, 1, 3);
    legami->addWidget(new Navigatore(GrigliaLegami, GroupJoin), 3, 0, 1, 3);

    auto* campi = new QGridLayout;
    campi->addWidget(new QLabel(QStringLiteral("Campi da riportare:"), GroupJoin), 0, 0);
    campi->addWidget(GrigliaCampi, 1, 0, 4, 1);
    campi->addWidget(ButtonSelezionaTutto, 1, 1);
    campi->addWidget(ButtonDeselezionaTutto, 2, 1);
    campi->addWidget(new Navigatore(GrigliaCampi, GroupJoin), 5, 0);
    auto* finali = new QHBoxLayout;
    finali->addStretch();
    finali->addWidget(ButtonRiporta);
    finali->addWidget(ButtonAnnulla);

    auto* join = new QVBoxLayout(GroupJoin);
    auto* sopra = new QHBoxLayout;
    sopra->addWidget(modalita);
    sopra->addLayout(legami, 1);
    join->addLayout(sopra, 1);
    join->addLayout(campi, 1);
    join->addLayout(finali);

    auto* tabella = new QGridLayout;
    tabella->addWidget(ButtonTabella, 0, 0);
    tabella->addWidget(EditTabella, 0, 1);
    tabella->addWidget(EditPercorso, 0, 2);
    tabella->addWidget(ButtonChiudi, 0, 3);
    tabella->addWidget(LabelNota, 1, 0, 1, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tabella);
    layout->addWidget(GroupJoin, 1);

    auto* scambia = new QAction(GrigliaCampi);
    scambia->setShortcut(Qt::Key_F3);
    scambia->setShortcutContext(Qt::WidgetShortcut);
    GrigliaCampi->addAction(scambia);
    connect(scambia, &QAction::triggered, this,
            [this] { ScambiaCampo(GrigliaCampi->currentRow()); });
    connect(GrigliaCampi, &QTableWidget::cellDoubleClicked, this,
            [this](int riga) { ScambiaCampo(riga); });
    // A table that cannot be read is told; the dialog stays as it was.
    connect(ButtonTabella, &QPushButton::clicked, this,
            [this] { EseguiProtetto(port_, [this] { ButtonTabellaClick(); }); });
    connect(ButtonAggiungiLegame, &QPushButton::clicked, this, [this] { AggiungiLegame(); });
    connect(ButtonSelezionaTutto, &QPushButton::clicked, this, [this] { SelezionaCampi(true); });
    connect(ButtonDeselezionaTutto, &QPushButton::clicked, this, [this] { SelezionaCampi(false); });
    connect(ButtonRiporta, &QPushButton::clicked, this, [this] { Riporta(); });
    connect(ButtonAnnulla, &QPushButton::clicked, this, [this] { Annulla(); });
    connect(ButtonChiudi, &QPushButton::clicked, this, &QDialog::reject);

    PreparaDialogo(*this, QStringLiteral("Aggiungi tabella - Ditta: ") + ditta,
                   {larghezza, altezzaPiccola});
    mostraJoin(false);
}

void TIBAggForm::mostraJoin(bool mostra) {
    GroupJoin->setVisible(mostra);
    PreparaDialogo(*this, windowTitle(), {larghezza, mostra ? altezzaGrande : altezzaPiccola});
}

void TIBAggForm::ButtonTabellaClick() {
    const QString nome = ScegliTabella(this, database_);
    if (!nome.isEmpty())
        CambiaTabella(nome);
}

void TIBAggForm::CambiaTabella(const QString& nome) {
    EditTabella->setText(nome);
    if (nome.isEmpty() || nome.compare(u"*.db", Qt::CaseInsensitive) == 0) {
        EditTabella->setFocus();
        return;
    }
    if (TabellaPresente(definizione_, nome, EditPercorso->text())) {
        port_.Informazione(QStringLiteral("Tabella gia presente nella Query!"));
        EditTabella->clear();
        EditPercorso->clear();
        return;
    }
    // A table that cannot be read reaches the caller before anything shows.
    const QVector<FieldDef> campi = DescriviTabella(database_, nome);
    ComboCollegata->clear();
    GrigliaLegami->setRowCount(0);
    GrigliaCampi->setRowCount(0);
    for (const FieldDef& campo : campi) {
        ComboCollegata->addItem(campo.name);
        const int riga = GrigliaCampi->rowCount();
        GrigliaCampi->insertRow(riga);
        GrigliaCampi->setItem(riga, 0, new QTableWidgetItem(campo.name));
        GrigliaCampi->setItem(riga, 1, new QTableWidgetItem(QStringLiteral("0")));
    }
    if (GrigliaCampi->rowCount() > 0)
        GrigliaCampi->setCurrentCell(0, 0);
    mostraJoin(true);
}

void TIBAggForm::AggiungiLegame() {
    const Legame legame{ComboPrincipale->currentText(), ComboCollegata->currentText()};
    if (legame.CampoPrincipale.isEmpty() || legame.CampoCollegato.isEmpty())
        return;
    for (int riga = 0; riga < GrigliaLegami->rowCount(); ++riga)
        if (GrigliaLegami->item(riga, 0)->text() == legame.CampoPrincipale &&
            GrigliaLegami->item(riga, 1)->text() == legame.CampoCollegato)
            return;
    const int riga = GrigliaLegami->rowCount();
    GrigliaLegami->insertRow(riga);
    GrigliaLegami->setItem(riga, 0, new QTableWidgetItem(legame.CampoPrincipale));
    GrigliaLegami->setItem(riga, 1, new QTableWidgetItem(legame.CampoCollegato));
    GrigliaLegami->setCurrentCell(riga, 0);
}

void TIBAggForm::ScambiaCampo(int riga) {
    if (riga < 0 || riga >= GrigliaCampi->rowCount())
        return;
    QTableWidgetItem* mostra = GrigliaCampi->item(riga, 1);
    mostra->setText(mostra->text() == u"1" ? QStringLiteral("0") : QStringLiteral("1"));
    coloraCampo(*GrigliaCampi, riga);
}

void TIBAggForm::SelezionaCampi(bool mostra) {
    for (int riga = 0; riga < GrigliaCampi->rowCount(); ++riga) {
        GrigliaCampi->item(riga, 1)->setText(mostra ? QStringLiteral("1") : QStringLiteral("0"));
        coloraCampo(*GrigliaCampi, riga);
    }
}

TabellaDaCollegare TIBAggForm::Scelta() const {
    TabellaDaCollegare scelta;
    scelta.Tabella = EditTabella->text();
    scelta.Percorso = EditPercorso->text();
    scelta.Modo = RadioRight->isChecked()             ? ModoJoin::Right
                  : RadioCondizioniPrima->isChecked() ? ModoJoin::LeftCondizioniPrima
                                                      : ModoJoin::Left;
    for (int riga = 0; riga < GrigliaLegami->rowCount(); ++riga)
        scelta.Legami.append(
            {GrigliaLegami->item(riga, 0)->text(), GrigliaLegami->item(riga, 1)->text()});
    for (int riga = 0; riga < GrigliaCampi->rowCount(); ++riga)
        if (GrigliaCampi->item(riga, 1)->text() == u"1")
            scelta.Campi << GrigliaCampi->item(riga, 0)->text();
    return scelta;
}

void TIBAggForm::Riporta() {
    if (!AggiungiTabella(definizione_, Scelta(), port_))
        return;
    Esito = 1;
    accept();
}

void TIBAggForm::Annulla() {
    mostraJoin(false);
    ComboCollegata->clear();
    EditTabella->setFocus();
}

TEliminaForm::TEliminaForm(const QStringList& tabelle, QWidget* owner)
    : QDialog(owner), ComboTabelle(new QComboBox(this)) {
    ComboTabelle->addItems(tabelle);
    QDialogButtonBox* pulsanti = PulsantiOkCancel(*this, Esito);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Tabella da eliminare:"), this));
    layout->addWidget(ComboTabelle);
    layout->addWidget(pulsanti);
    PreparaDialogo(*this, QStringLiteral("Elimina tabella collegata"), {300, 120});
}

bool AggiungiTabellaCollegata(QWidget* owner, Interazione& port, db::Database& database,
                              const QString& ditta, const QString& prefisso,
                              Definizione& definizione) {
    TIBAggForm dialogo(definizione, database, ditta, prefisso, port, owner);
    dialogo.exec();
    return dialogo.Esito == 1;
}

QString ScegliTabellaDaEliminare(QWidget* owner, const QStringList& tabelle) {
    TEliminaForm dialogo(tabelle, owner);
    dialogo.exec();
    return dialogo.Esito == 1 ? dialogo.ComboTabelle->currentText() : QString();
}

} // namespace mavo
