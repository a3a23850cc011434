#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mavo {

// How a chart is drawn: the series kind of each choice of the dialog.
enum class FormaGrafico {
    Barre,              // bars side by side
    InPila,             // stacked bars
    Percentuali,        // stacked bars, each x description to 100%
    Linee,              // one line per series
    Area,               // stacked areas
    Torta,              // one pie, a slice per x description
    TorteFisse,         // one pie per x description, a slice per series, all of one size
    TorteProporzionali, // the same, each pie sized by its total
};

// One choice of a chart-type group: its caption, the chart identity for each
// orientation (the name of the report the chart stood for), and how it is
// drawn. Where both orientations share an identity the chart has only one.
struct TipoGrafico {
    QString Nome;
    QString Orizzontale;
    QString Verticale;
    FormaGrafico Forma;
    bool TreD; // flat, with depth cues
};

// "Tipo grafico (valori x/y)", for a chart of the value column alone, and
// "Tipo grafico (valori x/y/z)", with additional series: in the groups' order.
const QList<TipoGrafico>& TipiGraficoXY();
const QList<TipoGrafico>& TipiGraficoXYZ();
QStringList NomiTipi(const QList<TipoGrafico>& tipi);

// What to draw for a type of the group in use and an orientation.
struct SceltaGrafico {
    QString Identita; // e.g. "QGr13VP": the chart's name
    FormaGrafico Forma;
    bool TreD;
    // The x descriptions run down the vertical axis (horizontal bars): the
    // identities of the "Verticale" charts carry a V after their number.
    bool DescrizioniInVerticale;
};

// Empty when the type is not one of the group's.
std::optional<SceltaGrafico> ScegliGrafico(bool conSerieAggiunte, const QString& tipo,
                                           bool verticale);

// The four captions of every chart, as they are shown.
struct Didascalie {
    QString Titolo;       // the title, or "Senza titolo " when empty
    QString DescrizioneX; // "Asse X: " + caption, or " " when empty
    QString DescrizioneY;
    QString DescrizioneZ;
};

Didascalie CreaDidascalie(const QString& titolo, const QString& asseX, const QString& asseY,
                          const QString& asseZ);

} // namespace mavo
