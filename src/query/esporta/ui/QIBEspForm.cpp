#include "query/esporta/ui/QIBEspForm.h"

#include "common/ui/AspettoDialogo.h"
#include "platform/IniFile.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mavo {

namespace {

QString conEstensione(const QString& nome, const QString& estensione) {
    const qsizetype barra = std::max(nome.lastIndexOf(u'\\'), nome.lastIndexOf(u'/'));
    const qsizetype punto = nome.lastIndexOf(u'.');
    return (punto > barra ? nome.left(punto) : nome) + estensione;
}

QString conSeparatoreFinale(const QString& cartella) {
    if (cartella.isEmpty() || cartella.endsWith(u'\\') || cartella.endsWith(u'/'))
        return cartella;
    // A folder written Windows-style keeps its style.
    return cartella + (cartella.contains(u'\\') ? u'\\' : u'/');
}

QPushButton* pulsante(const QString& testo, const char* nome, QWidget* genitore) {
    auto* p = new QPushButton(testo, genitore);
    p->setObjectName(QLatin1String(nome));
    p->setAutoDefault(false);
    return p;
}

template <typename T> T* conNome(T* w, const char* nome) {
    w->setObjectName(QLatin1String(nome));
    return w;
}

} // namespace

TQIBEspForm::TQIBEspForm(const ContestoEsportazione& contesto, Interazione& port, QWidget* parent)
    : QDialog(parent), EditTipoExport(new QButtonGroup(this)),
      ButtonNomeFile(pulsante(QStringLiteral("Nome del File"), "ButtonNomeFile", this)),
      EditNomeFile(conNome(new QLineEdit(this), "EditNomeFile")),
      ButtonSelezPercorso(pulsante(QStringLiteral("&Selez.Percorso"), "ButtonSelezPercorso", this)),
      EditPercorso(conNome(new QLineEdit(this), "EditPercorso")),
      ButtonSeparatore(
          pulsante(QStringLiteral("Simbolo di separazione campi"), "ButtonSeparatore", this)),
      EditSeparatore(conNome(new QLineEdit(this), "EditSeparatore")),
      ButtonLunghezzaFissa(
          conNome(new QCheckBox(QStringLiteral("Imposta i campi a lunghezza fissa"), this),
                  "ButtonLunghezzaFissa")),
      CheckStampaMemoEstesi(
          conNome(new QCheckBox(QStringLiteral("Esporta campi memo estesi"), this),
                  "CheckStampaMemoEstesi")),
      CheckRTFInChiaro(conNome(new QCheckBox(QStringLiteral("Esporta memo RTF in chiaro"), this),
                               "CheckRTFInChiaro")),
      CheckSaltaIntestazioni(
          conNome(new QCheckBox(QStringLiteral("Non riportare le intestazioni colonne"), this),
                  "CheckSaltaIntestazioni")),
      LabelTag(conNome(
          new QLabel(QStringLiteral("Tag (opzionale) per sostituzione ritorno a capo nei memo:"),
                     this),
          "LabelTag")),
      EditTagSostRitornoCapo(conNome(new QLineEdit(this), "EditTagSostRitornoCapo")),
      ButtonEseguibileExcel(
          pulsante(QStringLiteral("&Eseguibile Excel"), "ButtonEseguibileExcel", this)),
      EditEseguibileExcel(conNome(new QLineEdit(this), "EditEseguibileExcel")),
      ButtonExcelPreimpostato(
          pulsante(QStringLiteral("Excel preimpostato"), "ButtonExcelPreimpostato", this)),
      EditExcelPreimpostato(conNome(new QLineEdit(this), "EditExcelPreimpostato")),
      OKBtn(pulsante(QStringLiteral("OK"), "OKBtn", this)),
      CancelBtn(pulsante(QStringLiteral("Annulla"), "CancelBtn", this)),
      BitBtnApriExcel(pulsante(QStringLiteral("Apri Excel"), "BitBtnApriExcel", this)),
      contesto_(contesto), port_(port) {
    setWindowTitle("Esporta - Ditta: " + contesto.Ditta);
    ImpostaCarattereDialogo(*this);

    auto* tipi = new QGroupBox(this);
    tipi->setObjectName(QStringLiteral("GroupTipoExport"));
    auto* colonnaTipi = new QVBoxLayout(tipi);
    const char* const voci[] = {"Formato Testo", "Tabella Interbase", "Excel",
                                "Excel X",       "Excel L",           "Excel L testo"};
    for (int i = 0; i < 6; ++i) {
        auto* voce = new QRadioButton(QString::fromUtf8(voci[i]), tipi);
        voce->setObjectName(QStringLiteral("TipoExport%1").arg(i));
        EditTipoExport->addButton(voce, i);
        colonnaTipi->addWidget(voce);
    }
    EditTipoExport->button(0)->setChecked(true);

    EditNomeFile->setMaxLength(64);
    EditSeparatore->setMaxLength(1);
    EditSeparatore->setMaximumWidth(40);

    auto* griglia = new QGridLayout;
    int r = 0;
    griglia->addWidget(ButtonNomeFile, r, 0);
    griglia->addWidget(EditNomeFile, r++, 1);
    griglia->addWidget(ButtonSelezPercorso, r, 0);
    griglia->addWidget(EditPercorso, r++, 1);
    griglia->addWidget(ButtonSeparatore, r, 0);
    griglia->addWidget(EditSeparatore, r++, 1, Qt::AlignLeft);
    griglia->addWidget(ButtonLunghezzaFissa, r++, 0, 1, 2);
    griglia->addWidget(CheckStampaMemoEstesi, r++, 0, 1, 2);
    griglia->addWidget(CheckRTFInChiaro, r++, 0, 1, 2);
    griglia->addWidget(CheckSaltaIntestazioni, r++, 0, 1, 2);
    griglia->addWidget(LabelTag, r++, 0, 1, 2);
    griglia->addWidget(EditTagSostRitornoCapo, r++, 0, 1, 2);
    griglia->addWidget(ButtonEseguibileExcel, r, 0);
    griglia->addWidget(EditEseguibileExcel, r++, 1);
    griglia->addWidget(ButtonExcelPreimpostato, r, 0);
    griglia->addWidget(EditExcelPreimpostato, r++, 1);
    griglia->setRowStretch(r, 1);

    auto* centro = new QHBoxLayout;
    centro->addWidget(tipi);
    centro->addLayout(griglia, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(OKBtn);
    pulsanti->addWidget(CancelBtn);
    pulsanti->addWidget(BitBtnApriExcel);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(centro);
    tutto->addLayout(pulsanti);
    OKBtn->setDefault(true);

    // Settings of the company.
    const IniFile impostazioni(contesto.FileImpostazioniEffettivo());
    const auto leggi = [&](const QString& chiave) {
        return impostazioni.readString(contesto.Ditta, chiave);
    };
    CheckStampaMemoEstesi->setChecked(leggi(chiavi_export::MemoEstesi) == u"Si");
    EditTagSostRitornoCapo->setText(leggi(chiavi_export::MemoEstesiTag));
    QString cartella = leggi(chiavi_export::DirectoryExport);
    if (cartella.isEmpty())
        cartella = leggi(chiavi_export::DirectoryTemporanee);
    if (cartella.isEmpty())
        cartella = leggi(chiavi_export::DirectoryBin);
    EditPercorso->setText(cartella);
    EditEseguibileExcel->setText(leggi(chiavi_export::ProgrammaExcel));
    EditExcelPreimpostato->setText(leggi(chiavi_export::ExcelPreimpostato));
    EditNomeFile->setText(contesto.NomeFile);
    EditSeparatore->setText(contesto.Separatore);
    nomeRicordato_ = contesto.NomeFile;

    ScegliCartella = [this](const QString& iniziale) {
        return QFileDialog::getExistingDirectory(this, QString(), toLocalPath(iniziale));
    };
    ScegliFile = [this](const QString& titolo, const QString& filtro, const QString& iniziale) {
        return QFileDialog::getOpenFileName(this, titolo, toLocalPath(iniziale), filtro);
    };

    connect(EditTipoExport, &QButtonGroup::idClicked, this, [this] { tipoCambiato(); });
    connect(ButtonNomeFile, &QPushButton::clicked, this, [this] { EditNomeFile->setFocus(); });
    connect(ButtonSeparatore, &QPushButton::clicked, this, [this] { EditSeparatore->setFocus(); });
    connect(ButtonSelezPercorso, &QPushButton::clicked, this, [this] { selezionaPercorso(); });
    connect(ButtonLunghezzaFissa, &QCheckBox::toggled, this,
            [this](bool fissa) { lunghezzaFissaCambiata(fissa); });
    connect(CheckStampaMemoEstesi, &QCheckBox::toggled, this, [this] { memoCambiati(); });
    connect(ButtonEseguibileExcel, &QPushButton::clicked, this, [this] { scegliEseguibile(); });
    connect(ButtonExcelPreimpostato, &QPushButton::clicked, this, [this] { scegliPreimpostato(); });
    connect(OKBtn, &QPushButton::clicked, this, [this] { chiudi(1); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { chiudi(2); });
    connect(BitBtnApriExcel, &QPushButton::clicked, this, [this] {
        if (EditEseguibileExcel->text().isEmpty()) {
            port_.Avviso(QStringLiteral("Impostare prima l'eseguibile Excel"));
            return;
        }
        chiudi(8);
    });
    tipoCambiato();
    CentraSulloSchermo(*this);
}

void TQIBEspForm::showEvent(QShowEvent* evento) {
    // The name the type changes start from is the one shown on activation.
    nomeRicordato_ = EditNomeFile->text();
    QDialog::showEvent(evento);
}

TipoExport TQIBEspForm::tipo() const {
    return TipoExport(std::max(0, EditTipoExport->checkedId()));
}

void TQIBEspForm::tipoCambiato() {
    const TipoExport t = tipo();
    const bool testo = t == TipoExport::Testo;
    const bool tabella = t == TipoExport::IB;
    switch (t) {
    case TipoExport::Testo:
        EditNomeFile->setText(nomeRicordato_);
        break;
    case TipoExport::IB:
        EditNomeFile->setText(QStringLiteral("EXPORT"));
        break;
    case TipoExport::ExcelX:
        EditNomeFile->setText(conEstensione(nomeRicordato_, QStringLiteral(".xlsx")));
        break;
    default:
        EditNomeFile->setText(conEstensione(nomeRicordato_, QStringLiteral(".xls")));
        break;
    }
    ButtonNomeFile->setText(tabella ? QStringLiteral("Nome Tabella")
                                    : QStringLiteral("Nome del File"));
    ButtonSelezPercorso->setVisible(!tabella);
    EditPercorso->setVisible(!tabella);
    for (QWidget* w :
         {static_cast<QWidget*>(ButtonSeparatore), static_cast<QWidget*>(EditSeparatore),
          static_cast<QWidget*>(ButtonLunghezzaFissa), static_cast<QWidget*>(CheckStampaMemoEstesi),
          static_cast<QWidget*>(LabelTag), static_cast<QWidget*>(EditTagSostRitornoCapo)})
        w->setVisible(testo);
    CheckSaltaIntestazioni->setVisible(testo);
    memoCambiati();
}

void TQIBEspForm::lunghezzaFissaCambiata(bool fissa) {
    if (fissa && EditSeparatore->text() == u";")
        EditSeparatore->setText(QStringLiteral("|"));
    else if (!fissa && EditSeparatore->text() == u"|")
        EditSeparatore->setText(QStringLiteral(";"));
}

void TQIBEspForm::memoCambiati() {
    CheckRTFInChiaro->setVisible(tipo() == TipoExport::Testo && CheckStampaMemoEstesi->isChecked());
}

void TQIBEspForm::selezionaPercorso() {
    const QString scelta = ScegliCartella(EditPercorso->text());
    if (scelta.isEmpty())
        return;
    EditPercorso->setText(conSeparatoreFinale(scelta));
    IniFile(contesto_.FileImpostazioniEffettivo())
        .writeString(contesto_.Ditta, chiavi_export::DirectoryExport, EditPercorso->text());
}

void TQIBEspForm::scegliEseguibile() {
#ifdef Q_OS_WIN
    const QString filtro = QStringLiteral("File exe (*.exe)");
#else
    // Programs here have no extension of their own.
    const QString filtro;
#endif
    const QString scelta =
        ScegliFile(QStringLiteral("Eseguibile Excel"), filtro, EditEseguibileExcel->text());
    if (!scelta.isEmpty())
        EditEseguibileExcel->setText(scelta);
}

void TQIBEspForm::scegliPreimpostato() {
    const QString scelta = ScegliFile(QStringLiteral("Excel preimpostato"),
                                      QStringLiteral("File Excel (*.xlsx *.xls);;Tutti i file (*)"),
                                      EditExcelPreimpostato->text());
    if (!scelta.isEmpty())
        EditExcelPreimpostato->setText(scelta);
}

void TQIBEspForm::salvaImpostazioni() {
    IniFile impostazioni(contesto_.FileImpostazioniEffettivo());
    const auto scrivi = [&](const QString& chiave, const QString& valore) {
        impostazioni.writeString(contesto_.Ditta, chiave, valore);
    };
    scrivi(chiavi_export::MemoEstesi,
           CheckStampaMemoEstesi->isChecked() ? QStringLiteral("Si") : QStringLiteral("No"));
    scrivi(chiavi_export::MemoEstesiTag, EditTagSostRitornoCapo->text());
    scrivi(chiavi_export::ProgrammaExcel, EditEseguibileExcel->text());
    scrivi(chiavi_export::ExcelPreimpostato, EditExcelPreimpostato->text());
}

void TQIBEspForm::chiudi(int esito) {
    esito_ = esito;
    if (esito == 2) {
        reject();
        return;
    }
    salvaImpostazioni();
    accept();
}

OpzioniEsportazione TQIBEspForm::Risultato() const {
    OpzioniEsportazione o;
    o.Tipo = tipo();
    o.Cartella = EditPercorso->text();
    o.NomeFile = EditNomeFile->text();
    o.Separatore = EditSeparatore->text();
    o.LunghezzaFissa = ButtonLunghezzaFissa->isChecked();
    o.MemoEstesi = CheckStampaMemoEstesi->isChecked();
    o.RtfInChiaro = CheckRTFInChiaro->isChecked();
    o.SaltaIntestazioni = CheckSaltaIntestazioni->isChecked();
    o.Tag = EditTagSostRitornoCapo->text();
    o.EseguibileExcel = EditEseguibileExcel->text();
    o.ExcelPreimpostato = EditExcelPreimpostato->text();
    o.Esito = esito_;
    return o;
}

} // namespace mavo
