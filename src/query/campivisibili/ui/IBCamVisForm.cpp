#include "query/campivisibili/ui/IBCamVisForm.h"

#include "context/EseguiProtetto.h"
#include "grid/Colore.h"
#include "platform/Interazione.h"
#include "query/calcoli/ui/DialogoCalcoli.h"
#include "query/collegate/ui/Navigatore.h"
#include "query/motore/DescrizioneTabella.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mavo {

namespace {

void scriviCella(QTableWidget& griglia, int riga, int colonna, const QString& testo) {
    if (QTableWidgetItem* cella = griglia.item(riga, colonna))
        cella->setText(testo);
    else
        griglia.setItem(riga, colonna, new QTableWidgetItem(testo));
}

QColor coloreCodice(int codice) {
    switch (codice) {
    case codice_campo::Nascosto:
        return ColoreQt(clSfondo, QApplication::palette());
    case codice_campo::Fisso:
        return ColoreQt(0x00FF00, {});
    case codice_campo::Testata:
        return ColoreQt(0x0000FF, {});
    default:
        return {};
    }
}

// F3 (and a double-click) toggles the current row of a grid.
void conScambio(QTableWidget* griglia, QObject* contesto, std::function<void(int)> scambia) {
    auto* azione = new QAction(griglia);
    azione->setShortcut(Qt::Key_F3);
    azione->setShortcutContext(Qt::WidgetShortcut);
    griglia->addAction(azione);
    QObject::connect(azione, &QAction::triggered, contesto,
                     [griglia, scambia] { scambia(griglia->currentRow()); });
    QObject::connect(griglia, &QTableWidget::cellDoubleClicked, contesto,
                     [scambia](int riga) { scambia(riga); });
}

} // namespace

TIBCamVisForm::TIBCamVisForm(Definizione& definizione, db::Database& database, const QString& ditta,
                             const QString& tabellaPrincipale, const QString& prefisso,
                             Interazione& port, QWidget* owner)
    : QDialog(owner),
      GrigliaTabelle(GrigliaDiScelta(
          {QStringLiteral("Tabella"), QStringLiteral("L"), QStringLiteral("S")}, this)),
      ButtonMostraCampi(new QPushButton(QStringLiteral("&Mostra campi"), this)),
      ButtonChiudi(new QPushButton(QStringLiteral("Ch&iudi"), this)), VistaCampi(new QWidget(this)),
      LabelCampi(new QLabel(QStringLiteral("CAMPI TABELLE SELEZIONATE:"), VistaCampi)),
      GrigliaCampi(GrigliaDiScelta({QStringLiteral("Campo"), QStringLiteral("S")}, VistaCampi)),
      ButtonTuttoVisibile(new QPushButton(QStringLiteral("Rendi tutto vis."), VistaCampi)),
      ButtonTuttoInvisibile(new QPushButton(QStringLiteral("Rendi tutto invis."), VistaCampi)),
      ButtonAggiorna(new QPushButton(QStringLiteral("Aggiorna e chiudi"), VistaCampi)),
      ButtonAnnulla(new QPushButton(QStringLiteral("Annulla e chiudi"), VistaCampi)),
      definizione_(definizione), database_(database), port_(port),
      tabelle_(TabelleQuery(tabellaPrincipale, prefisso, definizione)) {
    auto* campi = new QVBoxLayout(VistaCampi);
    campi->setContentsMargins(0, 0, 0, 0);
    campi->addWidget(LabelCampi);
    campi->addWidget(GrigliaCampi, 1);
    campi->addWidget(new Navigatore(GrigliaCampi, VistaCampi));
    // Two by two: the view keeps to its 640 pixels.
    auto* pulsantiCampi = new QGridLayout;
    pulsantiCampi->addWidget(ButtonTuttoVisibile, 0, 0);
    pulsantiCampi->addWidget(ButtonTuttoInvisibile, 0, 1);
    pulsantiCampi->addWidget(ButtonAggiorna, 1, 0);
    pulsantiCampi->addWidget(ButtonAnnulla, 1, 1);
    campi->addLayout(pulsantiCampi);

    auto* tabelle = new QVBoxLayout;
    tabelle->addWidget(GrigliaTabelle, 1);
    auto* pulsantiTabelle = new QHBoxLayout;
    pulsantiTabelle->addWidget(ButtonMostraCampi);
    pulsantiTabelle->addWidget(ButtonChiudi);
    tabelle->addLayout(pulsantiTabelle);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(tabelle, 2);
    layout->addWidget(VistaCampi, 3);
    VistaCampi->hide();

    mostraTabelle();
    conScambio(GrigliaTabelle, this, [this](int riga) { ScambiaTabella(riga); });
    conScambio(GrigliaCampi, this, [this](int riga) { ScambiaCampo(riga); });
    // A table that cannot be read is told; the dialog stays as it was.
    connect(ButtonMostraCampi, &QPushButton::clicked, this,
            [this] { EseguiProtetto(port_, [this] { MostraCampi(); }); });
    connect(ButtonChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonTuttoVisibile, &QPushButton::clicked, this, [this] { RendiTutto(true); });
    connect(ButtonTuttoInvisibile, &QPushButton::clicked, this, [this] { RendiTutto(false); });
    connect(ButtonAggiorna, &QPushButton::clicked, this, [this] { Aggiorna(); });
    connect(ButtonAnnulla, &QPushButton::clicked, this, &QDialog::reject);

    PreparaDialogo(*this, QStringLiteral("Elaborazione Campi Visibili - Ditta: ") + ditta,
                   {250, 300});
}

void TIBCamVisForm::mostraTabelle() {
    GrigliaTabelle->setRowCount(int(tabelle_.size()));
    for (int riga = 0; riga < int(tabelle_.size()); ++riga) {
        const TabellaQuery& t = tabelle_[riga];
        scriviCella(*GrigliaTabelle, riga, 0, t.NomeTabella);
        scriviCella(*GrigliaTabelle, riga, 1, t.Lettera);
        scriviCella(*GrigliaTabelle, riga, 2, t.Selezione ? QStringLiteral("1") : "0");
        ColoraRiga(*GrigliaTabelle, riga,
                   t.Selezione ? ColoreQt(clSfondo, QApplication::palette()) : QColor());
    }
    if (GrigliaTabelle->currentRow() < 0 && !tabelle_.isEmpty())
        GrigliaTabelle->setCurrentCell(0, 0);
}

void TIBCamVisForm::mostraCampo(int riga) {
    scriviCella(*GrigliaCampi, riga, 0, campi_[riga].NomeCampo);
    scriviCella(*GrigliaCampi, riga, 1, QString::number(campi_[riga].Selezione));
    ColoraRiga(*GrigliaCampi, riga, coloreCodice(campi_[riga].Selezione));
}

void TIBCamVisForm::ScambiaTabella(int riga) {
    if (riga < 0 || riga >= tabelle_.size() || !GrigliaTabelle->isEnabled())
        return;
    tabelle_[riga].Selezione = !tabelle_[riga].Selezione;
    mostraTabelle();
}

void TIBCamVisForm::ScambiaCampo(int riga) {
    if (riga < 0 || riga >= campi_.size())
        return;
    campi_[riga].Selezione = CodiceScambiato(campi_[riga].Selezione);
    mostraCampo(riga);
}

void TIBCamVisForm::MostraCampi() {
    if (std::none_of(tabelle_.cbegin(), tabelle_.cend(),
                     [](const TabellaQuery& t) { return t.Selezione; })) {
        port_.Informazione(QStringLiteral("Selezionare almeno una tabella per proseguire"));
        return;
    }
    // Every table lives on the main table's database; one that cannot be read
    // reaches the caller.
    campi_ = CampiTabelle(tabelle_, definizione_, [this](const TabellaQuery& t) {
        QStringList nomi;
        for (const FieldDef& campo : DescriviTabella(database_, t.NomeTabella))
            nomi << campo.name;
        return nomi;
    });
    GrigliaCampi->setRowCount(int(campi_.size()));
    for (int riga = 0; riga < int(campi_.size()); ++riga)
        mostraCampo(riga);
    GrigliaTabelle->setEnabled(false);
    ButtonMostraCampi->setEnabled(false);
    ButtonChiudi->setEnabled(false);
    VistaCampi->show();
    PreparaDialogo(*this, windowTitle(), {640, 480});
    if (!campi_.isEmpty())
        GrigliaCampi->setCurrentCell(0, 0);
    GrigliaCampi->setFocus();
}

void TIBCamVisForm::RendiTutto(bool visibile) {
    const int da = visibile ? codice_campo::Assente : codice_campo::Nascosto;
    for (int riga = 0; riga < int(campi_.size()); ++riga)
        if (campi_[riga].Selezione == da) {
            campi_[riga].Selezione = CodiceScambiato(da);
            mostraCampo(riga);
        }
}

void TIBCamVisForm::Aggiorna() {
    definizione_ = RicostruisciDefinizione(definizione_, tabelle_, campi_);
    Esito = 1;
    accept();
}

bool CampiVisibili(QWidget* owner, Interazione& port, db::Database& database, const QString& ditta,
                   const QString& tabellaPrincipale, const QString& prefisso,
                   Definizione& definizione) {
    TIBCamVisForm dialogo(definizione, database, ditta, tabellaPrincipale, prefisso, port, owner);
    dialogo.exec();
    return dialogo.Esito == 1;
}

} // namespace mavo
