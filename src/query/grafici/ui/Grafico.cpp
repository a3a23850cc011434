#include "query/grafici/ui/Grafico.h"

#include "common/Testo.h"
#include "platform/Formats.h"
#include "query/grafici/DatiGrafico.h"
#include "query/grafici/SceltaGrafico.h"
#include "query/grafici/TabellaGrafico.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
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
#include <QSet>
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

// The value under the mouse, at once; kept as the chart's tooltip too, since
// the view answers the tooltip request with the tooltip of what lies under
// the mouse and would otherwise hide it.
void mostraSuggerimento(QChart& grafico, bool stato, const QString& descrizione,
                        const QString& serie, double valore, const QString& aggiunta = {}) {
    if (!stato) {
        grafico.setToolTip({});
        QToolTip::hideText();
        return;
    }
    const QString testo = QStringLiteral("<b>%1</b><br>%2: %3%4")
                              .arg(html(descrizione), html(serie), valoreTesto(valore), aggiunta);
    grafico.setToolTip(testo);
    QToolTip::showText(QCursor::pos(), testo);
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

// Decimals the value axis needs for its tick step.
void formatoValori(QValueAxis& asse) {
    const double passo = (asse.max() - asse.min()) / std::max(1, asse.tickCount() - 1);
    const int decimali =
        passo >= 1 || passo <= 0 ? 0 : std::min(6, int(std::ceil(-std::log10(passo))));
    asse.setLabelFormat(QStringLiteral("%.%1f").arg(decimali));
}

struct Assi {
    QAbstractAxis* descrizioni;
    QValueAxis* valori;
};

// Beyond this many x descriptions each gets a pixel or two: the axis shows
// some of them, evenly spaced, on a scale of positions.
constexpr qsizetype DescrizioniConEtichetta = 100;
constexpr int EtichetteSparse = 40;

// Labels for an axis that wants each unique (it drops a label met again):
// texts wider than `larghezza` end in "…" (the whole text shows on hover),
// and one that then meets another is told apart by an invisible character.
QStringList etichetteUniche(const QStringList& descrizioni, const QFontMetricsF& misure,
                            double larghezza) {
    QStringList etichette;
    QSet<QString> viste;
    for (const QString& descrizione : descrizioni) {
        QString etichetta = html(misure.elidedText(descrizione, Qt::ElideRight, larghezza));
        while (viste.contains(etichetta))
            etichetta += QChar(0x200B);
        viste.insert(etichetta);
        etichette << etichetta;
    }
    return etichette;
}

// Until the chart has a size: about the stored description's 20 characters.
constexpr double LarghezzaIniziale = 150;

// Labels that fit their room, as the chart's size changes: turned upright on
// the horizontal axis where they are wider than their room, smaller where
// their room is less than a line, and shortened to a part of the chart. The
// axis itself would cut them to its own idea of the room, which in a small
// window leaves only "..." of every label; labels that would still overlap
// the one before it leaves out.
void adattaEtichette(QChart& grafico, QBarCategoryAxis& asse, const QStringList& descrizioni,
                     bool inVerticale) {
    asse.setTruncateLabels(false);
    const QFont base = asse.labelsFont();
    const QFontMetricsF misure(base);
    double larga = 0;
    for (const QString& descrizione : descrizioni)
        larga = std::max(larga, misure.horizontalAdvance(descrizione));
    larga = std::min(larga, LarghezzaIniziale);
    const auto adatta = [&grafico, &asse, descrizioni, base, larga, alta = misure.height(),
                         inVerticale](const QRectF& area) {
        if (descrizioni.isEmpty())
            return;
        const double spazio = (inVerticale ? area.height() : area.width()) / descrizioni.size();
        // Upright when not even a short text fits across.
        const bool inPiedi = !inVerticale && std::min(larga, 80.0) > spazio;
        QFont carattere = base;
        const double stanza = spazio * 0.75;
        if ((inVerticale || inPiedi) && alta > stanza)
            carattere.setPointSizeF(std::max(5.0, base.pointSizeF() * stanza / alta));
        const QSizeF misura = grafico.size();
        const double lunghezza = inVerticale ? misura.width() * 0.3
                                 : inPiedi   ? misura.height() * 0.22
                                             : spazio;
        const QStringList etichette =
            etichetteUniche(descrizioni, QFontMetricsF(carattere), std::max(30.0, lunghezza));
        if (asse.categories() != etichette)
            asse.setCategories(etichette);
        if (asse.labelsAngle() != (inPiedi ? -90 : 0))
            asse.setLabelsAngle(inPiedi ? -90 : 0);
        if (asse.labelsFont() != carattere)
            asse.setLabelsFont(carattere);
    };
    // Once the layout is done: changes made inside it are not drawn.
    QObject::connect(&grafico, &QChart::plotAreaChanged, &asse, adatta, Qt::QueuedConnection);
}

Assi aggiungiAssi(QChart& grafico, const DatiGrafico& dati, const Didascalie& didascalie,
                  bool inVerticale) {
    QAbstractAxis* descrizioni;
    QBarCategoryAxis* categorie = nullptr;
    const qsizetype quante = dati.Descrizioni.size();
    if (quante <= DescrizioniConEtichetta) {
        categorie = new QBarCategoryAxis;
        categorie->append(
            etichetteUniche(dati.Descrizioni, QFontMetricsF(QFont()), LarghezzaIniziale));
        descrizioni = categorie;
    } else {
        auto* posizioni = new QCategoryAxis;
        posizioni->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        const qsizetype passo = (quante + EtichetteSparse - 1) / EtichetteSparse;
        QStringList scelte;
        for (qsizetype i = 0; i < quante; i += passo)
            scelte << dati.Descrizioni[i];
        const auto etichetta = [posizioni, scelte, passo](double larghezza) {
            const QStringList nomi =
                etichetteUniche(scelte, QFontMetricsF(posizioni->labelsFont()), larghezza);
            if (posizioni->categoriesLabels() == nomi)
                return;
            for (const QString& vecchia : posizioni->categoriesLabels())
                posizioni->remove(vecchia);
            for (qsizetype i = 0; i < nomi.size(); ++i)
                posizioni->append(nomi[i], double(i * passo));
        };
        etichetta(LarghezzaIniziale);
        // A part of the chart, as the labels of fewer descriptions: longer
        // labels would run over the axis title and out of a small window.
        QObject::connect(
            &grafico, &QChart::plotAreaChanged, posizioni,
            [&grafico, etichetta, inVerticale](const QRectF&) {
                const QSizeF misura = grafico.size();
                etichetta(
                    std::max(30.0, inVerticale ? misura.width() * 0.3 : misura.height() * 0.22));
            },
            Qt::QueuedConnection);
        posizioni->setRange(-0.5, double(quante) - 0.5);
        posizioni->setLabelsAngle(inVerticale ? 0 : -90);
        posizioni->setTruncateLabels(false);
        descrizioni = posizioni;
    }
    descrizioni->setTitleText(html(didascalie.DescrizioneX));
    auto* valori = new QValueAxis;
    valori->setTitleText(html(didascalie.DescrizioneY));
    grafico.addAxis(descrizioni, inVerticale ? Qt::AlignLeft : Qt::AlignBottom);
    grafico.addAxis(valori, inVerticale ? Qt::AlignBottom : Qt::AlignLeft);
    // The first x description at the top, as in a list.
    descrizioni->setReverse(inVerticale);
    // After the theme has given the labels their font.
    if (categorie)
        adattaEtichette(grafico, *categorie, dati.Descrizioni, inVerticale);
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
    // Thin bars are all border: let them be all colour.
    if (dati.Descrizioni.size() > 50) {
        serie->setBarWidth(1.0);
        for (QBarSet* insieme : serie->barSets())
            insieme->setPen(Qt::NoPen);
    }
    const Assi assi = aggiungiAssi(grafico, dati, didascalie, orizzontali);
    serie->attachAxis(assi.descrizioni);
    serie->attachAxis(assi.valori);
    if (scelta.Forma == FormaGrafico::Percentuali) {
        assi.valori->setRange(0, 100);
        // Localised numbers take the text after the number as it is.
        assi.valori->setLabelFormat(QStringLiteral("%.0f%"));
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
    QObject::connect(
        serie, &QAbstractBarSeries::hovered, &grafico,
        [g = &grafico, dati, percentuali, serie](bool stato, int indice, QBarSet* insieme) {
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
            mostraSuggerimento(*g, stato, dati.Descrizioni[indice], dati.Serie[s],
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

// The value under the mouse of a line or an area: the nearest description's.
template <class Serie>
void suggerimentoSulPunto(QChart& grafico, Serie* serie, const DatiGrafico& dati, qsizetype s,
                          bool inVerticale) {
    QObject::connect(serie, &Serie::hovered, &grafico,
                     [g = &grafico, dati, s, inVerticale](const QPointF& p, bool stato) {
                         const int i = indiceVicino(p, inVerticale, dati.Descrizioni.size());
                         mostraSuggerimento(*g, stato, dati.Descrizioni[i], dati.Serie[s],
                                            dati.Valori[s][i]);
                     });
}

template <class Serie> void sugliAssi(const QList<Serie*>& tutte, const Assi& assi) {
    for (Serie* serie : tutte) {
        serie->attachAxis(assi.descrizioni);
        serie->attachAxis(assi.valori);
    }
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
        suggerimentoSulPunto(grafico, linea, dati, s, inVerticale);
        tutte << linea;
    }
    const Assi assi = aggiungiAssi(grafico, dati, didascalie, inVerticale);
    sugliAssi(tutte, assi);
    // Every line on the scale: the axis would take the range of one series.
    double minimo = dati.Valori[0][0], massimo = minimo;
    for (const QList<double>& valori : dati.Valori) {
        minimo = std::min(minimo, *std::min_element(valori.begin(), valori.end()));
        massimo = std::max(massimo, *std::max_element(valori.begin(), valori.end()));
    }
    assi.valori->setRange(minimo, massimo > minimo ? massimo : minimo + 1);
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
        suggerimentoSulPunto(grafico, area, dati, s, inVerticale);
        tutte << area;
    }
    const Assi assi = aggiungiAssi(grafico, dati, didascalie, inVerticale);
    sugliAssi(tutte, assi);
    assi.valori->setRange(minimo, massimo > minimo ? massimo : minimo + 1);
    assi.valori->applyNiceNumbers();
    formatoValori(*assi.valori);
}

// Slices apart at a glance (a pie's own colours are shades of one).
QColor coloreFetta(qsizetype i) {
    static const QColor colori[] = {
        QColor(0x20, 0x9f, 0xdf), QColor(0x99, 0xca, 0x53), QColor(0xf6, 0xa6, 0x25),
        QColor(0x6d, 0x5f, 0xd5), QColor(0xbf, 0x59, 0x3e), QColor(0x38, 0xad, 0x6b),
        QColor(0xd1, 0x4a, 0x8a), QColor(0x1e, 0x6f, 0x8c), QColor(0xe8, 0xd0, 0x3a),
        QColor(0x8c, 0x56, 0x4b), QColor(0x9e, 0x9e, 0xa4), QColor(0x3c, 0x36, 0x8d)};
    return colori[i % qsizetype(std::size(colori))];
}

// Pies show sizes: a negative value has no slice.
double fetta(double valore) {
    return std::max(0.0, valore);
}

void collegaFetta(QChart& grafico, QPieSlice* fettaTorta, const QString& descrizione,
                  const QString& serie) {
    QObject::connect(fettaTorta, &QPieSlice::hovered, &grafico,
                     [g = &grafico, fettaTorta, descrizione, serie](bool stato) {
                         fettaTorta->setExploded(stato);
                         mostraSuggerimento(*g, stato, descrizione, serie, fettaTorta->value(),
                                            QStringLiteral(" (%1%)").arg(
                                                valoreTesto(100 * fettaTorta->percentage())));
                     });
}

void torta(QChart& grafico, const DatiGrafico& dati) {
    auto* torta = new QPieSeries;
    torta->setName(html(dati.Serie.value(0)));
    for (qsizetype i = 0; i < dati.Descrizioni.size(); ++i) {
        QPieSlice* f = torta->append(html(dati.Descrizioni[i]), fetta(dati.Valori[0][i]));
        f->setBrush(coloreFetta(i));
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
            f->setBrush(coloreFetta(s));
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
    // The series in the legend once.
    for (QPieSeries* torta : tutte.mid(1))
        for (QLegendMarker* segno : grafico.legend()->markers(torta))
            segno->setVisible(false);
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
    // One series is named by the value axis already.
    if (conAssi && dati.Serie.size() == 1)
        grafico->legend()->hide();
    return grafico;
}

namespace {

// Lets the chart lay itself out at its present size before it is drawn,
// with the labels fitted to it (which takes a second layout).
void disponiOra(QChart& grafico) {
    for (int volta = 0; volta < 2; ++volta) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        for (QAbstractAxis* asse : grafico.axes())
            QCoreApplication::sendPostedEvents(asse, QEvent::MetaCall);
    }
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
