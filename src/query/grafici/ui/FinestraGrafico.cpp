#include "query/grafici/ui/FinestraGrafico.h"

#include "platform/Interazione.h"
#include "query/grafici/ui/Grafico.h"

#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

FinestraGrafico::FinestraGrafico(std::unique_ptr<QChart> grafico, Interazione& port, QWidget* owner)
    : QWidget(owner, Qt::Window), Vista(new QChartView(grafico.release(), this)),
      ButtonSalva(new QPushButton(QStringLiteral("Salva immagine…"), this)),
      ButtonStampa(new QPushButton(QStringLiteral("Stampa…"), this)), port_(port) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("STAMPA GRAFICO"));
    setObjectName(QStringLiteral("FinestraGrafico"));
    Vista->setObjectName(QStringLiteral("Vista"));
    Vista->setRenderHint(QPainter::Antialiasing);
    ButtonSalva->setObjectName(QStringLiteral("ButtonSalva"));
    ButtonStampa->setObjectName(QStringLiteral("ButtonStampa"));
    connect(ButtonSalva, &QPushButton::clicked, this, &FinestraGrafico::chiediSalvataggio);
    connect(ButtonStampa, &QPushButton::clicked, this, &FinestraGrafico::chiediStampa);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(ButtonSalva);
    pulsanti->addWidget(ButtonStampa);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->addWidget(Vista, 1);
    layout->addLayout(pulsanti);
    setGeometry(80, 100, 550, 350);
}

QChart* FinestraGrafico::Grafico() const {
    return Vista->chart();
}

bool FinestraGrafico::SalvaImmagine(const QString& file) {
    if (SalvaGrafico(*Grafico(), file))
        return true;
    port_.Errore(QStringLiteral("Impossibile scrivere il file\r") + QDir::toNativeSeparators(file));
    return false;
}

void FinestraGrafico::chiediSalvataggio() {
    QString filtro;
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva immagine"), QStringLiteral("grafico.png"),
        QStringLiteral("Immagine PNG (*.png);;Disegno SVG (*.svg);;Documento PDF (*.pdf)"),
        &filtro);
    if (file.isEmpty())
        return;
    // A name typed without extension takes the chosen kind's.
    QString conEstensione = file;
    if (QFileInfo(file).suffix().isEmpty())
        conEstensione += filtro.contains(u"svg")   ? QStringLiteral(".svg")
                         : filtro.contains(u"pdf") ? QStringLiteral(".pdf")
                                                   : QStringLiteral(".png");
    SalvaImmagine(conEstensione);
}

void FinestraGrafico::chiediStampa() {
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setPageOrientation(width() >= height() ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    QPrintDialog dialogo(&stampante, this);
    if (dialogo.exec() == QDialog::Accepted)
        StampaGrafico(*Grafico(), stampante);
}

} // namespace mavo
