#include "grid/aspetto/PVEKGridForm.h"
#include "platform/SqlTesto.h"

#include "common/Aggiornamento.h"
#include "context/EseguiProtetto.h"
#include "grid/Colore.h"
#include "grid/LetturaImpostazioni.h"
#include "grid/aspetto/DelegatoColore.h"
#include "grid/aspetto/ModelloAspetto.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace mavo {

namespace {

const QString kColore = QStringLiteral("COLORECOLONNA");

TColor TColorDaQt(const QColor& colore) {
    return static_cast<TColor>(colore.red() | colore.green() << 8 | colore.blue() << 16);
}

std::optional<QColor> finestraColori(const QColor& iniziale, QWidget* parent) {
    const QColor scelto = QColorDialog::getColor(iniziale, parent);
    return scelto.isValid() ? std::optional<QColor>(scelto) : std::nullopt;
}

QPushButton* pulsante(const QString& testo, const char* nome, QWidget* parent) {
    auto* p = new QPushButton(testo, parent);
    p->setObjectName(QLatin1String(nome));
    p->setAutoDefault(false);
    return p;
}

} // namespace

TPVEKGridForm::TPVEKGridForm(QWidget* proprietario, const QString& tabella,
                             const ChiaviGriglia& chiavi, db::Database& database,
                             Interazione& interazione)
    : QDialog(proprietario), scegliColore(finestraColori), tabella_(tabella), chiavi_(chiavi),
      interazione_(interazione), IBTransaction1(&database) {
    setWindowTitle(QStringLiteral("Personalizzazione Griglia"));
    if (proprietario) {
        QFont carattere = proprietario->font();
        if (carattere.pointSizeF() > 10)
            carattere.setPointSize(10);
        setFont(carattere);
    }
    IBQuery1.setDatabase(&database);
    IBQuery1.setTransaction(&IBTransaction1);
    creaControlli();
    resize(697, 416);
    QRect posto(QPoint(), size());
    posto.moveCenter(screen()->availableGeometry().center());
    move(posto.topLeft());
    CaricaGriglia();
}

void TPVEKGridForm::creaControlli() {
    DataSource1 = new ModelloAspetto(interazione_, this);
    DataSource1->setDataset(&IBQuery1);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(DataSource1);
    delegatoColore_ = new DelegatoColore(DBGrid1);
    SpeedButton1 = pulsante(QStringLiteral("Cambia Colore"), "SpeedButton1", this);
    ButtonColoreDefault = pulsante(QStringLiteral("Colore Default"), "ButtonColoreDefault", this);
    ButtonAspettoBase = pulsante(QStringLiteral("Aspetto Base"), "ButtonAspettoBase", this);
    ButtonChiudi = pulsante(QStringLiteral("Ch&iudi"), "ButtonChiudi", this);

    auto* pulsanti = new QVBoxLayout;
    for (QPushButton* p : {SpeedButton1, ButtonColoreDefault, ButtonAspettoBase})
        pulsanti->addWidget(p);
    pulsanti->addStretch();
    pulsanti->addWidget(ButtonChiudi);
    auto* finestra = new QHBoxLayout(this);
    finestra->addWidget(DBGrid1, 1);
    finestra->addLayout(pulsanti);

    connect(SpeedButton1, &QPushButton::clicked, this, &TPVEKGridForm::cambiaColore);
    connect(ButtonColoreDefault, &QPushButton::clicked, this,
            [this] { DataSource1->ScriviCampo(rigaCorrente(), kColore, QVariant()); });
    connect(ButtonAspettoBase, &QPushButton::clicked, this, &TPVEKGridForm::aspettoBase);
    connect(ButtonChiudi, &QPushButton::clicked, this, &TPVEKGridForm::chiudi);
}

void TPVEKGridForm::CaricaGriglia() {
    IBQuery1.close();
    IBQuery1.setSql(QStringList{QStringLiteral("SELECT NomeCampo, NomeColonna, ColoreColonna, "
                                               "Visibile, Posizione FROM ") +
                                sql::identificatore(tabella_)} +
                    RigheChiave(chiavi_));
    // A row is found again by its position.
    GeneraSQLAggiornamento(IBQuery1, tabella_, TipoAggiornamento::Update, IBUpdateSQL1);
    IBUpdateSQL1.modifySql << QStringLiteral("WHERE (CodiceSituazione=%1)").arg(chiavi_.situazione)
                           << QStringLiteral("AND(CodiceUtente=%1)").arg(chiavi_.utente)
                           << QStringLiteral("AND(Posizione=:Posizione)")
                           << QStringLiteral("AND(CodiceProgetto=%1)").arg(chiavi_.progetto);
    IBQuery1.setUpdateObject(&IBUpdateSQL1);
    IBQuery1.open();
    DBGrid1->setItemDelegateForColumn(IBQuery1.fieldByName(kColore)->index(), delegatoColore_);
    DBGrid1->setColumnHidden(IBQuery1.fieldByName(QStringLiteral("Posizione"))->index(), true);
    // Every heading whole ("COLORECOLONNA" is wider than its colours).
    DBGrid1->resizeColumnsToContents();
}

int TPVEKGridForm::rigaCorrente() const {
    return DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : -1;
}

void TPVEKGridForm::cambiaColore() {
    const int riga = rigaCorrente();
    if (riga < 0)
        return;
    const QVariant attuale = IBQuery1.valueAt(riga, IBQuery1.fieldByName(kColore));
    if (const std::optional<QColor> scelto =
            scegliColore(ColoreQt(TColorDaValore(attuale), palette()), this))
        DataSource1->ScriviCampo(riga, kColore, TColorDaQt(*scelto));
}

void TPVEKGridForm::chiudi() {
    // An open cell editor hands its text over when it loses the focus.
    ButtonChiudi->setFocus();
    EseguiProtetto(interazione_, [this] {
        IBQuery1.close();
        if (IBTransaction1.active())
            IBTransaction1.commit();
        accept();
    });
}

void TPVEKGridForm::aspettoBase() {
    if (!confermaAspettoBase(this))
        return;
    EseguiProtetto(interazione_, [this] {
        IBQuery1.close();
        if (IBTransaction1.active())
            IBTransaction1.rollback();
        if (ripristinaAspetto)
            ripristinaAspetto();
        CaricaGriglia();
    });
}

} // namespace mavo
