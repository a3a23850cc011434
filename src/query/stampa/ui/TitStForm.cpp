#include "query/stampa/ui/TitStForm.h"

#include "common/ui/AspettoDialogo.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"
#include "query/stampa/disegno/DisegnoStampa.h"
#include "query/stampa/ui/DesignerReport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace mavo {

namespace {

QGroupBox* gruppoRadio(const QString& titolo, const QStringList& voci, QButtonGroup*& gruppo,
                       QWidget* owner) {
    auto* box = new QGroupBox(titolo, owner);
    auto* layout = new QVBoxLayout(box);
    gruppo = new QButtonGroup(box);
    for (int i = 0; i < voci.size(); ++i) {
        auto* radio = new QRadioButton(voci[i], box);
        gruppo->addButton(radio, i);
        layout->addWidget(radio);
    }
    return box;
}

QFont fontDiStampa(const CarattereStampa& c) {
    QFont f(c.Nome);
    f.setPointSize(c.Dimensione);
    f.setBold(c.Grassetto);
    f.setItalic(c.Corsivo);
    f.setUnderline(c.Sottolineato);
    f.setStrikeOut(c.Barrato);
    return f;
}

} // namespace

TTitStForm::TTitStForm(const ScelteTitolo& iniziali, GestoriTitolo gestori, Interazione& port,
                       QWidget* owner)
    : QDialog(owner), scelte_(iniziali), gestori_(std::move(gestori)), port_(port) {
    setWindowTitle(QStringLiteral("Stampa"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gruppoRadio(QStringLiteral("Tipo report"), TipiReport(), TipoReport, this));

    auto* campi = new QFormLayout;
    EditTitolo = new QLineEdit(scelte_.Titolo, this);
    // The proposed title (company, table, date) shows whole.
    EditTitolo->setMinimumWidth(
        std::min(560, EditTitolo->fontMetrics().horizontalAdvance(scelte_.Titolo) + 40));
    EditNote = new QLineEdit(scelte_.Note, this);
    campi->addRow(QStringLiteral("Titolo:"), EditTitolo);
    campi->addRow(QStringLiteral("Note def.:"), EditNote);
    auto* report = new QHBoxLayout;
    EditNomeReport = new QLineEdit(this);
    ButtonSfoglia = new QPushButton(QStringLiteral("Sfoglia"), this);
    report->addWidget(EditNomeReport);
    report->addWidget(ButtonSfoglia);
    campi->addRow(QStringLiteral("Nome file report:"), report);
    EditRighe = new QLineEdit(scelte_.RighePerPagina, this);
    LabelRighe = new QLabel(QStringLiteral("Numero righe per pagina:"), this);
    campi->addRow(LabelRighe, EditRighe);
    layout->addLayout(campi);

    CheckNumeraPagine = new QCheckBox(QStringLiteral("Numera pagine"), this);
    CheckNumeraPagine->setChecked(scelte_.NumeraPagine);
    CheckMemoEstesi = new QCheckBox(QStringLiteral("Stampa campi memo estesi"), this);
    CheckMemoEstesi->setChecked(scelte_.MemoEstesi);
    layout->addWidget(CheckNumeraPagine);
    layout->addWidget(CheckMemoEstesi);
    GruppoOrientamento =
        gruppoRadio(QStringLiteral("Orientamento"), Orientamenti(), Orientamento, this);
    Orientamento->button(scelte_.Orientamento)->setChecked(true);
    layout->addWidget(GruppoOrientamento);

    auto* pulsanti = new QDialogButtonBox(this);
    ButtonFont = pulsanti->addButton(QStringLiteral("Font"), QDialogButtonBox::ActionRole);
    ButtonEditaReport =
        pulsanti->addButton(QStringLiteral("Edita report"), QDialogButtonBox::ActionRole);
    ButtonEditaReport->setEnabled(bool(gestori_.EditaReport));
    pulsanti->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    layout->addWidget(pulsanti);

    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ButtonSfoglia, &QPushButton::clicked, this, [this] { sfoglia(); });
    connect(ButtonFont, &QPushButton::clicked, this, [this] { scegliFont(); });
    connect(ButtonEditaReport, &QPushButton::clicked, this,
            [this] { gestori_.EditaReport(Scelte()); });
    connect(TipoReport, &QButtonGroup::idClicked, this, [this](int tipo) {
        cambiaTipo(tipo);
        if (gestori_.OpzioniCambiate)
            gestori_.OpzioniCambiate();
    });
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(CheckNumeraPagine),
                               static_cast<QAbstractButton*>(CheckMemoEstesi)})
        connect(b, &QAbstractButton::toggled, this, [this] {
            if (gestori_.OpzioniCambiate)
                gestori_.OpzioniCambiate();
        });
    connect(Orientamento, &QButtonGroup::idClicked, this, [this] {
        if (gestori_.OpzioniCambiate)
            gestori_.OpzioniCambiate();
    });

    TipoReport->button(scelte_.Tipo)->setChecked(true);
    const QString nome = scelte_.NomeReport;
    cambiaTipo(scelte_.Tipo);
    EditNomeReport->setText(nome);
    ImpostaCarattereDialogo(*this);
    CentraSulloSchermo(*this);
    EditTitolo->setFocus();
}

void TTitStForm::cambiaTipo(int tipo) {
    scelte_.NomeReport = EditNomeReport->text();
    CambiaTipoReport(scelte_, tipo);
    EditNomeReport->setText(scelte_.NomeReport);
    const VisibilitaTitolo v = VisibilitaPerTipo(tipo);
    ButtonFont->setVisible(v.Font);
    ButtonEditaReport->setVisible(v.EditaReport);
    LabelRighe->setVisible(v.RighePerPagina);
    EditRighe->setVisible(v.RighePerPagina);
    GruppoOrientamento->setVisible(v.Orientamento);
}

void TTitStForm::sfoglia() {
    const QString file = port_.ScegliFile(FiltroReport(scelte_.Tipo), scelte_.CartellaReport);
    if (file.isEmpty())
        return;
    const ReportScelto scelto = VerificaReportScelto(file, scelte_.CartellaReport);
    if (scelto.Nome)
        EditNomeReport->setText(*scelto.Nome);
    else
        port_.Avviso(scelto.Avviso);
}

void TTitStForm::scegliFont() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, fontDiStampa(scelte_.CarattereDialogo), this,
                                         QStringLiteral("Font"));
    if (!ok)
        return;
    scelte_.CarattereDialogo = {.Nome = f.family(),
                                .Dimensione = std::max(1, f.pointSize()),
                                .Grassetto = f.bold(),
                                .Corsivo = f.italic(),
                                .Sottolineato = f.underline(),
                                .Barrato = f.strikeOut(),
                                .Colore = scelte_.CarattereDialogo.Colore};
    if (gestori_.FontScelto)
        gestori_.FontScelto();
}

ScelteTitolo TTitStForm::Scelte() const {
    ScelteTitolo s = scelte_;
    s.Esito = result() == QDialog::Accepted ? 1 : 2;
    s.Titolo = EditTitolo->text();
    s.Note = EditNote->text();
    s.NumeraPagine = CheckNumeraPagine->isChecked();
    s.MemoEstesi = CheckMemoEstesi->isChecked();
    s.RighePerPagina = EditRighe->text();
    s.NomeReport = EditNomeReport->text().trimmed();
    s.Tipo = std::max(0, TipoReport->checkedId());
    s.Orientamento = std::max(0, Orientamento->checkedId());
    return s;
}

namespace {

// Paper and orientation as the print asks; the report's coordinates are the
// paper's own, hence full page.
void preparaStampante(QPrinter& stampante, const LavoroStampa& lavoro) {
    stampante.setFullPage(true);
    stampante.setPageLayout(ImpaginazioneStampa(lavoro));
}

} // namespace

bool ConfiguraStampante(QPrinter& stampante, QWidget* owner) {
    QPrintDialog dialogo(&stampante, owner);
    dialogo.setWindowTitle(QStringLiteral("Configurazione parametri di stampa"));
    // Wide enough for its caption.
    dialogo.setMinimumWidth(480);
    return dialogo.exec() == QDialog::Accepted;
}

void MostraAnteprima(const LavoroStampa& lavoro, QWidget* owner, Interazione& port,
                     QPrinter* configurata) {
    QPrinter propria(QPrinter::HighResolution);
    if (!configurata)
        preparaStampante(propria, lavoro);
    QPrinter& stampante = configurata ? *configurata : propria;
    QPrintPreviewDialog anteprima(&stampante, owner);
    anteprima.setWindowTitle(lavoro.TitoloFinestra);
    QObject::connect(&anteprima, &QPrintPreviewDialog::paintRequested, &anteprima,
                     [&](QPrinter* p) {
                         try {
                             DisegnaStampa(lavoro, *p);
                         } catch (const IoError& e) {
                             port.Errore(e.message());
                         }
                     });
    anteprima.resize(900, 700);
    anteprima.exec();
}

DialoghiStampa DialoghiStampaFinestre(QWidget* owner, Interazione& port) {
    DialoghiStampa d;
    d.Titolo = [owner, &port](const ScelteTitolo& iniziali, const GestoriTitolo& gestori) {
        TTitStForm dialogo(iniziali, gestori, port, owner);
        dialogo.exec();
        return dialogo.Scelte();
    };
    d.Designer = [owner, &port](const QString& file) { return EditaReport(file, owner, port); };
    // The printer the options dialog sets up is the one the preview prints on.
    auto stampante = std::make_shared<std::unique_ptr<QPrinter>>();
    d.Opzioni = [owner, stampante](const LavoroStampa& lavoro) {
        *stampante = std::make_unique<QPrinter>(QPrinter::HighResolution);
        preparaStampante(**stampante, lavoro);
        if (ConfiguraStampante(**stampante, owner))
            return true;
        stampante->reset();
        return false;
    };
    d.Uscita = [owner, &port, stampante](const LavoroStampa& lavoro) {
        const std::unique_ptr<QPrinter> configurata = std::move(*stampante);
        MostraAnteprima(lavoro, owner, port, configurata.get());
    };
    return d;
}

} // namespace mavo
