#include "query/stampa/ui/DesignerReport.h"

#include "platform/Interazione.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "query/calcoli/ui/DialogoCalcoli.h"
#include "query/collegate/ui/Navigatore.h"
#include "query/stampa/TitoloStampa.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace mavo {

namespace {

enum ColonnaGriglia { kTitolo, kLarghezza, kAllineamento, kEspressione };

// The project counts in thousandths of a millimetre.
constexpr double kMillesimi = 1000.0;

// What a text object is, from the expression the tool writes in it.
QString nomeTesto(const QString& espressione, int numero) {
    if (espressione.trimmed() == u"Titolo")
        return QStringLiteral("Titolo:");
    if (espressione.trimmed() == u"Note")
        return QStringLiteral("Note:");
    if (espressione.contains(u"Page()", Qt::CaseInsensitive))
        return QStringLiteral("Numero pagina:");
    return QStringLiteral("Testo %1:").arg(numero);
}

// Millimetres written as the users write them, "31,5".
QLocale italiano() {
    return QLocale(QLocale::Italian, QLocale::Italy);
}

QString millimetri(int millesimi) {
    return italiano().toString(millesimi / kMillesimi, 'f', 1);
}

} // namespace

TDesignerReport::TDesignerReport(const QString& file, ReportLst progetto, Interazione& port,
                                 QWidget* owner)
    : QDialog(owner), file_(file), progetto_(std::move(progetto)), port_(port) {
    auto* layout = new QVBoxLayout(this);

    auto* colonne = new QGroupBox(QStringLiteral("Colonne dell'elenco"), this);
    auto* layoutColonne = new QVBoxLayout(colonne);
    GrigliaColonne =
        GrigliaDiScelta({QStringLiteral("Titolo"), QStringLiteral("Larghezza (mm)"),
                         QStringLiteral("Allineamento"), QStringLiteral("Espressione")},
                        colonne);
    GrigliaColonne->setEditTriggers(QAbstractItemView::DoubleClicked |
                                    QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::AnyKeyPressed);
    GrigliaColonne->horizontalHeader()->setSectionResizeMode(kTitolo, QHeaderView::Interactive);
    GrigliaColonne->horizontalHeader()->setSectionResizeMode(kEspressione, QHeaderView::Stretch);
    GrigliaColonne->setColumnWidth(kTitolo, 180);
    // Every row as high as the spin box and the combo box it holds.
    GrigliaColonne->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GrigliaColonne->verticalHeader()->setDefaultSectionSize(QComboBox().sizeHint().height() + 2);
    layoutColonne->addWidget(GrigliaColonne, 1);
    auto* sotto = new QHBoxLayout;
    ButtonSu = new QPushButton(QStringLiteral("Sposta su"), colonne);
    ButtonGiu = new QPushButton(QStringLiteral("Sposta giù"), colonne);
    LabelLarghezza = new QLabel(colonne);
    sotto->addWidget(ButtonSu);
    sotto->addWidget(ButtonGiu);
    sotto->addStretch(1);
    sotto->addWidget(LabelLarghezza);
    layoutColonne->addLayout(sotto);
    layout->addWidget(colonne, 1);

    testi_ = progetto_.OggettiTesto();
    if (!testi_.isEmpty()) {
        auto* testi = new QGroupBox(QStringLiteral("Testi di intestazione e piè di pagina"), this);
        auto* layoutTesti = new QFormLayout(testi);
        for (int i = 0; i < testi_.size(); ++i) {
            const QString testo = progetto_.Oggetti[testi_[i]].Testi.first().Testo();
            auto* edit = new QLineEdit(testo, testi);
            EditTesti.append(edit);
            layoutTesti->addRow(nomeTesto(testo, i + 1), edit);
            connect(edit, &QLineEdit::textChanged, this, [this, i](const QString& nuovo) {
                progetto_.ImpostaTestoOggetto(testi_[i], nuovo);
            });
        }
        layout->addWidget(testi);
    }

    auto* pagina = new QGroupBox(QStringLiteral("Orientamento"), this);
    auto* layoutPagina = new QHBoxLayout(pagina);
    Orientamento = new QButtonGroup(pagina);
    for (int i = 0; i < Orientamenti().size(); ++i) {
        auto* radio = new QRadioButton(Orientamenti()[i], pagina);
        Orientamento->addButton(radio, i);
        layoutPagina->addWidget(radio);
    }
    layoutPagina->addStretch(1);
    Orientamento->button(progetto_.Orizzontale ? 1 : 0)->setChecked(true);
    layout->addWidget(pagina);

    auto* pulsanti = new QDialogButtonBox(this);
    ButtonSalva = pulsanti->addButton(QStringLiteral("Salva"), QDialogButtonBox::AcceptRole);
    ButtonAnnulla = pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    ButtonSalva->setDefault(true);
    layout->addWidget(pulsanti);

    connect(ButtonSu, &QPushButton::clicked, this, [this] { sposta(-1); });
    connect(ButtonGiu, &QPushButton::clicked, this, [this] { sposta(1); });
    connect(Orientamento, &QButtonGroup::idClicked, this, [this](int id) {
        progetto_.ImpostaOrizzontale(id == 1);
        mostraLarghezza();
    });
    connect(GrigliaColonne, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* cella) {
        if (cella->column() == kTitolo)
            progetto_.ImpostaTitoloColonna(cella->row(), cella->text());
    });
    connect(pulsanti, &QDialogButtonBox::accepted, this, [this] { salva(); });
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);

    mostraColonne();
    PreparaDialogo(*this, "Edita report - " + fileNamePart(file_), {760, 520});
}

void TDesignerReport::mostraColonne() {
    const QSignalBlocker blocco(GrigliaColonne);
    const int n = progetto_.NumeroColonne();
    GrigliaColonne->setRowCount(n);
    for (int r = 0; r < n; ++r) {
        const std::optional<QString> titolo = progetto_.TitoloColonna(r);
        auto* cellaTitolo = new QTableWidgetItem(titolo.value_or(QString()));
        // The simple report's single column has no title line to hold one.
        if (!titolo)
            cellaTitolo->setFlags(cellaTitolo->flags() & ~Qt::ItemIsEditable);
        GrigliaColonne->setItem(r, kTitolo, cellaTitolo);

        auto* larghezza = new QDoubleSpinBox(GrigliaColonne);
        larghezza->setLocale(italiano());
        larghezza->setDecimals(1);
        larghezza->setRange(1.0, 1000.0);
        larghezza->setSuffix(QStringLiteral(" mm"));
        larghezza->setValue(progetto_.LarghezzaColonna(r) / kMillesimi);
        connect(larghezza, &QDoubleSpinBox::valueChanged, this, [this, r](double mm) {
            progetto_.ImpostaLarghezzaColonna(r, int(std::lround(mm * kMillesimi)));
            mostraLarghezza();
        });
        GrigliaColonne->setCellWidget(r, kLarghezza, larghezza);

        auto* allineamento = new QComboBox(GrigliaColonne);
        allineamento->addItems(
            {QStringLiteral("Sinistra"), QStringLiteral("Centro"), QStringLiteral("Destra")});
        allineamento->setCurrentIndex(qBound(0, progetto_.AllineamentoColonna(r), 2));
        connect(allineamento, &QComboBox::currentIndexChanged, this,
                [this, r](int indice) { progetto_.ImpostaAllineamentoColonna(r, indice); });
        GrigliaColonne->setCellWidget(r, kAllineamento, allineamento);

        auto* espressione = new QTableWidgetItem(progetto_.EspressioneColonna(r));
        espressione->setFlags(espressione->flags() & ~Qt::ItemIsEditable);
        GrigliaColonne->setItem(r, kEspressione, espressione);
    }
    mostraLarghezza();
}

// The room the columns take on the list's width: what is beyond it is cut.
void TDesignerReport::mostraLarghezza() {
    int totale = 0;
    for (int r = 0; r < progetto_.NumeroColonne(); ++r)
        totale += progetto_.LarghezzaColonna(r);
    const int elenco = progetto_.Elenco();
    const int disponibile = elenco < 0 ? 0 : progetto_.Oggetti[elenco].Rettangolo.Larghezza();
    LabelLarghezza->setText("Larghezza colonne: " + millimetri(totale) + " mm su " +
                            millimetri(disponibile) + " mm");
}

void TDesignerReport::sposta(int passo) {
    const int da = GrigliaColonne->currentRow();
    const int a = da + passo;
    if (da < 0 || a < 0 || a >= progetto_.NumeroColonne())
        return;
    progetto_.SpostaColonna(da, a);
    mostraColonne();
    GrigliaColonne->setCurrentCell(a, kTitolo);
}

void TDesignerReport::salva() {
    try {
        progetto_.Salva(file_);
        accept();
    } catch (const IoError& e) {
        port_.Errore(e.message());
    }
}

bool EditaReport(const QString& file, QWidget* owner, Interazione& port) {
    ReportLst progetto;
    try {
        progetto = ReportLst::Leggi(file);
    } catch (const IoError& e) {
        port.Errore(e.message());
        return false;
    }
    if (!progetto.Valido()) {
        port.Errore("Attenzione: il file " + file + " non è un progetto di report valido");
        return false;
    }
    TDesignerReport designer(file, std::move(progetto), port, owner);
    return designer.exec() == QDialog::Accepted;
}

} // namespace mavo
