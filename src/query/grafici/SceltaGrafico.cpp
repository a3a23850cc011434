#include "query/grafici/SceltaGrafico.h"

namespace mavo {

const QList<TipoGrafico>& TipiGraficoXY() {
    using F = FormaGrafico;
    static const QList<TipoGrafico> tipi{
        {"Normale", "QGr01N", "QGr01VN", F::Barre, false},
        {"Normale 3D", "QGr02N3", "QGr02VN3", F::Barre, true},
        {"A linee", "QGr03L", "QGr03VL", F::Linee, false},
        {"A barre", "QGr04B3", "QGr04B3", F::Barre, true},
        {"A torta", "QGr05T", "QGr05T", F::Torta, false},
    };
    return tipi;
}

const QList<TipoGrafico>& TipiGraficoXYZ() {
    using F = FormaGrafico;
    static const QList<TipoGrafico> tipi{
        {"Normale", "QGr11N", "QGr11VN", F::Barre, false},
        {"Normale 3D", "QGr12N3", "QGr12VN3", F::Barre, true},
        {"In pila", "QGr13P", "QGr13VP", F::InPila, false},
        {"In pila 3D", "QGr14P3", "QGr14VP3", F::InPila, true},
        {"Percentuali", "QGr15P", "QGr15VP", F::Percentuali, false},
        {"Percentuali 3D", "QGr16P3", "QGr16VP3", F::Percentuali, true},
        {"A linee", "QGr17L", "QGr17VL", F::Linee, false},
        {"Area", "QGr18A", "QGr18VA", F::Area, false},
        {"A barre 3D", "QGr19B", "QGr19B", F::Barre, true},
        {"A torta con torte a dim. fissa", "QGr20TF", "QGr20TF", F::TorteFisse, false},
        {"A torta con torte a dim. proporz.", "QGr21TP", "QGr21TP", F::TorteProporzionali, false},
    };
    return tipi;
}

QStringList NomiTipi(const QList<TipoGrafico>& tipi) {
    QStringList nomi;
    for (const TipoGrafico& tipo : tipi)
        nomi << tipo.Nome;
    return nomi;
}

std::optional<SceltaGrafico> ScegliGrafico(bool conSerieAggiunte, const QString& tipo,
                                           bool verticale) {
    for (const TipoGrafico& t : conSerieAggiunte ? TipiGraficoXYZ() : TipiGraficoXY()) {
        if (t.Nome != tipo)
            continue;
        const QString identita = verticale ? t.Verticale : t.Orizzontale;
        // "QGr" and two digits, then the letters of the kind.
        const bool inVerticale = identita.size() > 5 && identita[5] == u'V';
        return SceltaGrafico{identita, t.Forma, t.TreD, inVerticale};
    }
    return std::nullopt;
}

Didascalie CreaDidascalie(const QString& titolo, const QString& asseX, const QString& asseY,
                          const QString& asseZ) {
    const auto asse = [](const QString& lettera, const QString& testo) {
        return testo.isEmpty() ? QStringLiteral(" ")
                               : QStringLiteral("Asse %1: ").arg(lettera) + testo;
    };
    return {titolo.isEmpty() ? QStringLiteral("Senza titolo ") : titolo, asse("X", asseX),
            asse("Y", asseY), asse("Z", asseZ)};
}

} // namespace mavo
