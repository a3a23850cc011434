#include "query/grafici/ui/Grafico.h"

#include "common/Testo.h"
#include "platform/Formats.h"
#include "query/grafici/DatiGrafico.h"
#include "query/grafici/SceltaGrafico.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QHorizontalBarSeries>
#include <QHorizontalPercentBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QPercentBarSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace mavo {

namespace {

// Texts of the data and of the user go into items that read markup.
QString html(const QString& testo) {
    return testo.isEmpty() ? QStringLiteral(" ") : testo.toHtmlEscaped();
}

QString valoreTesto(double valore) {
    return formatFloat(QStringLiteral("#,##0.##"), valore);
}

void mostraSuggerimento(bool stato, const QString& descrizione, const QString& serie, double valore,
                        const QString& aggiunta = {}) {
    if (!stato) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(QCursor::pos(),
                       QStringLiteral("<b>%1</b><br>%2: %3%4")
                           .arg(html(descrizione), html(serie), valoreTesto(valore), aggiunta));
}

bool vuota(const QString& didascalia) {
    return didascalia.trimmed().isEmpty();
}

// Light on the left or top edge, shade on the other: bars that look turned
// towards the light. Relative to each bar, whatever its size.
QBrush pennelloRilievo(const QColor& colore, bool barreOrizzontali) {
    QLinearGradient sfumatura(0, 0, barreOrizzontali ? 0 : 1, barreOrizzontali ? 1 : 0);
    sfumatura.setCoordinateMode(QGradient::ObjectMode);
    sfumatura.setColorAt(0, colore.lighter(150));
    sfumatura.setColorAt(0.45, colore);
    sfumatura.setColorAt(1, colore.darker(170));
    return QBrush(sfumatura);
}

void rilievo(QChart& grafico) {
    grafico.setDropShadowEnabled(true);
    QLinearGradient fondo(0, 0, 0, 1);
    fondo.setCoordinateMode(QGradient::ObjectMode);
    fondo.setColorAt(0, QColor(250, 250, 252));
    fondo.setColorAt(1, QColor(222, 226, 234));
    grafico.setPlotAreaBackgroundBrush(fondo);
    grafico.setPlotAreaBackgroundVisible(true);
}

QStringList etichette(const QStringList& descrizioni) {
    QStringList testi;
    testi.reserve(descrizioni.size());
    for (const QString& descrizione : descrizioni)
        testi << html(descrizione);
    return testi;
}

// Decimals the value axis needs for its tick step.
void formatoValori(QValueAxis& asse) {
    const double passo = (asse.max() - asse.min()) / std::max(1, asse.tickCount() - 1);
    const int decimali =
        passo >= 1 || passo <= 0 ? 0 : std::min(6, int(std::ceil(-std::log10(passo))));
    asse.setLabelFormat(QStringLiteral("%.%1f").arg(decimali));
}

struct Assi {
    QBarCategoryAxis* descrizioni;
    QValueAxis* valori;
};

Assi aggiungiAssi(QChart& grafico, const DatiGrafico& dati, const Didascalie& didascalie,
                  bool inVerticale) {
    auto* descrizioni = new QBarCategoryAxis;
    descrizioni->append(etichette(dati.Descrizioni));
    descrizioni->setTitleText(html(didascalie.DescrizioneX));
    auto* valori = new QValueAxis;
    valori->setTitleText(html(didascalie.DescrizioneY));
    grafico.addAxis(descrizioni, inVerticale ? Qt::AlignLeft : Qt::AlignBottom);
    grafico.addAxis(valori, inVerticale ? Qt::AlignBottom : Qt::AlignLeft);
    // The first x description at the top, as in a list.
    descrizioni->setReverse(inVerticale);
    return {descrizioni, valori};
}

QAbstractBarSeries* serieBarre(FormaGrafico forma, bool orizzontali) {
    switch (forma) {
    case FormaGrafico::InPila:
        return orizzontali ? static_cast<QAbstractBarSeries*>(new QHorizontalStackedBarSeries)
                           : new QStackedBarSeries;
    case FormaGrafico::Percentuali:
        return orizzontali ? static_cast<QAbstractBarSeries*>(new QHorizontalPercentBarSeries)
                           : new QPercentBarSeries;
    default:
        return orizzontali ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                           : new QBarSeries;
    }
}

void barre(QChart& grafico, const DatiGrafico& dati, const SceltaGrafico& scelta,
           const Didascalie& didascalie) {
    const bool orizzontali = scelta.DescrizioniInVerticale;
    QAbstractBarSeries* serie = serieBarre(scelta.Forma, orizzontali);
    for (qsizetype s = 0; s < dati.Serie.size(); ++s) {
        auto* insieme = new QBarSet(html(dati.Serie[s]));
        insieme->append(dati.Valori[s]);
        serie->append(insieme);
    }
    grafico.addSeries(serie);
    const Assi assi = aggiungiAssi(grafico, dati, didascalie, orizzontali);
    serie->attachAxis(assi.descrizioni);
    serie->attachAxis(assi.valori);
    if (scelta.Forma == FormaGrafico::Percentuali) {
        assi.valori->setRange(0, 100);
        assi.valori->setLabelFormat(QStringLiteral("%.0f%%"));
    } else {
        assi.valori->applyNiceNumbers();
        formatoValori(*assi.valori);
    }
    if (scelta.TreD) {
        rilievo(grafico);
        for (QBarSet* insieme : serie->barSets()) {
            const QColor colore = insieme->color();
            insieme->setBrush(pennelloRilievo(colore, orizzontali));
            insieme->setBorderColor(colore.darker(200));
        }
    }
    const bool percentuali = scelta.Forma == FormaGrafico::Percentuali;
    QObject::connect(serie, &QAbstractBarSeries::hovered, &grafico,
                     [dati, percentuali, serie](bool stato, int indice, QBarSet* insieme) {
                         const qsizetype s = serie->barSets().indexOf(insieme);
                         QString quota;
                         if (percentuali) {
                             double totale = 0;
                             for (const QList<double>& valori : dati.Valori)
                                 totale += valori[indice];
                             if (totale != 0)
                                 quota = QStringLiteral(" (%1%)").arg(
                                     valoreTesto(100 * dati.Valori[s][indice] / totale));
                         }
                         mostraSuggerimento(stato, dati.Descrizioni[indice], dati.Serie[s],
                                            dati.Valori[s][indice], quota);
                     });
}

QPointF punto(qsizetype indice, double valore, bool inVerticale) {
    return inVerticale ? QPointF(valore, double(indice)) : QPointF(double(indice), valore);
}

// The x description nearest a point of a line or area.
int indiceVicino(const QPointF& p, bool inVerticale, qsizetype quante) {
    const int indice = int(std::lround(inVerticale ? p.y() : p.x()));
    return std::clamp(indice, 0, int(quante) - 1);
}

void linee(QChart& grafico, const DatiGrafico& dati, const SceltaGrafico& scelta,
           const Didascalie& didascalie) {
    const bool inVerticale = scelta.DescrizioniInVerticale;
    QList<QXYSeries*> tutte;
    for (qsizetype s = 0; s < dati.Serie.size(); ++s) {
        auto* linea = new QLineSeries;
        linea->setName(html(dati.Serie[s]));
        linea->setPointsVisible(dati.Descrizioni.size() <= 100);
        for (qsizetype i = 0; i < dati.Descrizioni.size(); ++i)
            linea->append(punto(i, dati.Valori[s][i], inVerticale));
        grafico.addSeries(linea);
        QObject::connect(linea, &QXYSeries::hovered, &grafico,
                         [dati, s, inVerticale](const QPointF& p, bool stato) {
                             const int i = indiceVicino(p, inVerticale, dati.Descrizioni.size());
                             mostraSuggerimento(stato, dati.Descrizioni[i], dati.Serie[s],
                                                dati.Valori[s][i]);
                         });
        tutte << linea;
    }
    const Assi assi = aggiungiAssi(grafico, dati, didascalie, inVerticale);
    for (QXYSeries* linea : tutte) {
        linea->attachAxis(assi.descrizioni);
        linea->attachAxis(assi.valori);
    }
    assi.valori->applyNiceNumbers();
    formatoValori(*assi.valori);
}

void aree(QChart& grafico, const DatiGrafico& dati, const SceltaGrafico& scelta,
          const Didascalie& didascalie) {
    const bool inVerticale = scelta.DescrizioniInVerticale;
    QList<double> base(dati.Descrizioni.size(), 0.0);
    QList<QAreaSeries*> tutte;
    double minimo = 0, massimo = 0;
    for (qsizetype s = 0; s < dati.Serie.size(); ++s) {
        // Each area lies on the ones before it: a lower line of its own, since
        // the default (zero) would be wrong from the second area on and for
        // areas that grow sideways.
        auto* sotto = new QLineSeries;
        auto* sopra = new QLineSeries;
        for (qsizetype i = 0; i < dati.Descrizioni.size(); ++i) {
            sotto->append(punto(i, base[i], inVerticale));
            base[i] += dati.Valori[s][i];
            sopra->append(punto(i, base[i], inVerticale));
            minimo = std::min(minimo, base[i]);
            massimo = std::max(massimo, base[i]);
        }
        auto* area = new QAreaSeries(sopra, sotto);
        area->setName(html(dati.Serie[s]));
        grafico.addSeries(area);
        QObject::connect(area, &QAreaSeries::hovered, &grafico,
                         [dati, s, inVerticale](const QPointF& p, bool stato) {
                             const int i = indiceVicino(p, inVerticale, dati.Descrizioni.size());
                             mostraSuggerimento(stato, dati.Descrizioni[i], dati.Serie[s],
                                                dati.Valori[s][i]);
                         });
        tutte << area;
    }
    const Assi assi = aggiungiAssi(grafico, dati, didascalie, inVerticale);
    for (QAreaSeries* area : tutte) {
        area->attachAxis(assi.descrizioni);
        area->attachAxis(assi.valori);
    }
    assi.valori->setRange(minimo, massimo > minimo ? massimo : minimo + 1);
    assi.valori->applyNiceNumbers();
    formatoValori(*assi.valori);
}

// Pies show sizes: a negative value has no slice.
double fetta(double valore) {
    return std::max(0.0, valore);
}

void collegaFetta(QChart& grafico, QPieSlice* fettaTorta, const QString& descrizione,
                  const QString& serie) {
    QObject::connect(
        fettaTorta, &QPieSlice::hovered, &grafico, [fettaTorta, descrizione, serie](bool stato) {
            fettaTorta->setExploded(stato);
            mostraSuggerimento(
                stato, descrizione, serie, fettaTorta->value(),
                QStringLiteral(" (%1%)").arg(valoreTesto(100 * fettaTorta->percentage())));
        });
}

void torta(QChart& grafico, const DatiGrafico& dati) {
    auto* torta = new QPieSeries;
    torta->setName(html(dati.Serie.value(0)));
    for (qsizetype i = 0; i < dati.Descrizioni.size(); ++i) {
        QPieSlice* f = torta->append(html(dati.Descrizioni[i]), fetta(dati.Valori[0][i]));
        collegaFetta(grafico, f, dati.Descrizioni[i], dati.Serie.value(0));
    }
    torta->setLabelsVisible(dati.Descrizioni.size() <= 12);
    torta->setPieSize(0.75);
    grafico.addSeries(torta);
}

// One pie per x description, a slice per series in the same colour in every
// pie, laid out in a grid with the description under each; with
// `proporzionali` a pie's area follows its total.
void torte(QChart& grafico, const DatiGrafico& dati, bool proporzionali) {
    QList<QPieSeries*> tutte;
    QList<double> totali;
    QList<QGraphicsSimpleTextItem*> nomi;
    for (qsizetype i = 0; i < dati.Descrizioni.size(); ++i) {
        auto* torta = new QPieSeries;
        torta->setName(html(dati.Descrizioni[i]));
        double totale = 0;
        for (qsizetype s = 0; s < dati.Serie.size(); ++s) {
            QPieSlice* f = torta->append(html(dati.Serie[s]), fetta(dati.Valori[s][i]));
            collegaFetta(grafico, f, dati.Descrizioni[i], dati.Serie[s]);
            totale += f->value();
        }
        grafico.addSeries(torta);
        tutte << torta;
        totali << totale;
        auto* nome = new QGraphicsSimpleTextItem(dati.Descrizioni[i], &grafico);
        nome->setToolTip(dati.Descrizioni[i]);
        nomi << nome;
    }
    if (tutte.isEmpty())
        return;
    // Colours by series, and the series in the legend once.
    const QList<QPieSlice*> prime = tutte.first()->slices();
    for (QPieSeries* torta : tutte) {
        for (qsizetype s = 0; s < prime.size(); ++s)
            torta->slices()[s]->setBrush(prime[s]->brush());
        if (torta != tutte.first())
            for (QLegendMarker* segno : grafico.legend()->markers(torta))
                segno->setVisible(false);
    }
    const double massimo = *std::max_element(totali.begin(), totali.end());
    const auto disponi = [&grafico, tutte, totali, nomi, massimo,
                          proporzionali](const QRectF& area) {
        const qsizetype n = tutte.size();
        const int colonne = int(std::ceil(
            std::sqrt(double(n) * std::max(area.width(), 1.0) / std::max(area.height(), 1.0))));
        const int righe = int((n + colonne - 1) / colonne);
        const double larga = area.width() / colonne, alta = area.height() / righe;
        const double spazioNome = QFontMetricsF(grafico.font()).height() + 4;
        const double diametro = std::max(0.0, std::min(larga, alta - spazioNome) * 0.85);
        const double lato = std::max(1.0, std::min(area.width(), area.height()));
        for (qsizetype i = 0; i < n; ++i) {
            const int r = int(i / colonne), c = int(i % colonne);
            const double cx = (c + 0.5) * larga, cy = r * alta + (alta - spazioNome) / 2;
            double misura = diametro;
            if (proporzionali)
                misura *= massimo > 0 ? std::sqrt(totali[i] / massimo) : 0;
            tutte[i]->setHorizontalPosition(cx / std::max(area.width(), 1.0));
            tutte[i]->setVerticalPosition(cy / std::max(area.height(), 1.0));
            tutte[i]->setPieSize(misura / lato);
            QGraphicsSimpleTextItem* nome = nomi[i];
            const QString intero = nome->toolTip();
            nome->setText(
                QFontMetricsF(nome->font()).elidedText(intero, Qt::ElideRight, larga - 4));
            const QRectF misure = nome->boundingRect();
            nome->setPos(area.left() + cx - misure.width() / 2,
                         area.top() + r * alta + alta - spazioNome + 2);
        }
    };
    QObject::connect(&grafico, &QChart::plotAreaChanged, &grafico, disponi);
    disponi(grafico.plotArea());
}

} // namespace

std::unique_ptr<QChart> CreaGrafico(const DatiGrafico& letti, const SceltaGrafico& scelta,
                                    const Didascalie& didascalie) {
    // Records without an x value get a label a user can point at.
    DatiGrafico dati = letti;
    for (QString& descrizione : dati.Descrizioni)
        if (descrizione.isEmpty())
            descrizione = QStringLiteral("(vuoto)");
    auto grafico = std::make_unique<QChart>();
    grafico->setObjectName(scelta.Identita);
    grafico->setLocalizeNumbers(true);
    grafico->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    grafico->setAnimationOptions(QChart::NoAnimation);
    grafico->legend()->setAlignment(Qt::AlignBottom);

    // What has no axis of its own goes under the title.
    QStringList sotto;
    const bool conAssi = scelta.Forma != FormaGrafico::Torta &&
                         scelta.Forma != FormaGrafico::TorteFisse &&
                         scelta.Forma != FormaGrafico::TorteProporzionali;
    for (const QString* d : {&didascalie.DescrizioneX, &didascalie.DescrizioneY})
        if (!conAssi && !vuota(*d))
            sotto << html(*d);
    if (!vuota(didascalie.DescrizioneZ))
        sotto << html(didascalie.DescrizioneZ);
    if (dati.Escluse() > 0)
        sotto << QStringLiteral("Mostrate le prime %1 descrizioni di %2")
                     .arg(FormattaIntero(double(dati.Descrizioni.size())),
                          FormattaIntero(double(dati.DescrizioniTotali)));
    QString titolo = html(didascalie.Titolo);
    if (!sotto.isEmpty())
        titolo +=
            QStringLiteral("<br><small>%1</small>").arg(sotto.join(QStringLiteral(" &nbsp; ")));
    grafico->setTitle(titolo);
    QFont carattere = grafico->titleFont();
    carattere.setPointSizeF(carattere.pointSizeF() * 1.3);
    carattere.setBold(true);
    grafico->setTitleFont(carattere);

    if (dati.Descrizioni.isEmpty() || dati.Serie.isEmpty())
        return grafico;
    switch (scelta.Forma) {
    case FormaGrafico::Barre:
    case FormaGrafico::InPila:
    case FormaGrafico::Percentuali:
        barre(*grafico, dati, scelta, didascalie);
        break;
    case FormaGrafico::Linee:
        linee(*grafico, dati, scelta, didascalie);
        break;
    case FormaGrafico::Area:
        aree(*grafico, dati, scelta, didascalie);
        break;
    case FormaGrafico::Torta:
        torta(*grafico, dati);
        break;
    case FormaGrafico::TorteFisse:
    case FormaGrafico::TorteProporzionali:
        torte(*grafico, dati, scelta.Forma == FormaGrafico::TorteProporzionali);
        break;
    }
    return grafico;
}

namespace {

// Lets the chart lay itself out at its present size before it is drawn.
void disponiOra(QChart& grafico) {
    QCoreApplication::sendPostedEvents(&grafico, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void disegna(QChart& grafico, QPainter& pittore, const QRectF& dove) {
    grafico.scene()->render(&pittore, dove, grafico.sceneBoundingRect(), Qt::KeepAspectRatio);
}

} // namespace

bool SalvaGrafico(QChart& grafico, const QString& file) {
    if (!grafico.scene())
        return false;
    disponiOra(grafico);
    const QSize misura = grafico.size().toSize();
    const QString tipo = QFileInfo(file).suffix().toLower();
    if (tipo == u"svg") {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(misura);
        svg.setViewBox(QRect(QPoint(0, 0), misura));
        svg.setTitle(grafico.objectName());
        QPainter pittore;
        if (!pittore.begin(&svg))
            return false;
        disegna(grafico, pittore, QRectF(QPointF(0, 0), misura));
        return pittore.end();
    }
    if (tipo == u"pdf") {
        QPdfWriter pdf(file);
        pdf.setPageOrientation(misura.width() >= misura.height() ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
        pdf.setTitle(grafico.objectName());
        QPainter pittore;
        if (!pittore.begin(&pdf))
            return false;
        disegna(grafico, pittore, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
        return pittore.end();
    }
    QImage immagine(misura, QImage::Format_ARGB32);
    immagine.fill(Qt::white);
    {
        QPainter pittore(&immagine);
        pittore.setRenderHint(QPainter::Antialiasing);
        pittore.setRenderHint(QPainter::TextAntialiasing);
        disegna(grafico, pittore, QRectF(immagine.rect()));
    }
    return immagine.save(file, "PNG");
}

void StampaGrafico(QChart& grafico, QPrinter& stampante) {
    if (!grafico.scene())
        return;
    disponiOra(grafico);
    QPainter pittore(&stampante);
    pittore.setRenderHint(QPainter::Antialiasing);
    // The painter starts at the printable area's corner.
    disegna(grafico, pittore, QRectF(0, 0, stampante.width(), stampante.height()));
}

} // namespace mavo
