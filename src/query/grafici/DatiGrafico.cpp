#include "query/grafici/DatiGrafico.h"

#include "platform/Formats.h"
#include "platform/LocalTable.h"

#include <QCollator>
#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <optional>

namespace mavo {

namespace {

constexpr int BloccoLettura = 4096;

std::optional<QDateTime> istante(const QString& testo) {
    const QStringList parti = testo.split(u' ', Qt::SkipEmptyParts);
    if (parti.isEmpty() || parti.size() > 2)
        return std::nullopt;
    const auto ora = [](const QString& t) {
        QTime tempo = QTime::fromString(t, QStringLiteral("hh:mm:ss"));
        return tempo.isValid() ? tempo : QTime::fromString(t, QStringLiteral("hh:mm"));
    };
    if (parti.size() == 1 && !parti[0].contains(u'/')) {
        const QTime tempo = ora(parti[0]);
        if (!tempo.isValid())
            return std::nullopt;
        return QDateTime(QDate(2000, 1, 1), tempo);
    }
    const std::optional<QDate> data = textToDate(parti[0]);
    if (!data)
        return std::nullopt;
    const QTime tempo = parti.size() == 2 ? ora(parti[1]) : QTime(0, 0);
    if (!tempo.isValid())
        return std::nullopt;
    return QDateTime(*data, tempo);
}

// Sorts by a key every non-empty text has; false (nothing done) when one lacks it.
template <class Chiave, class Lettura> bool ordinaPer(QStringList& descrizioni, Lettura lettura) {
    std::vector<std::pair<Chiave, QString>> chiavi;
    qsizetype vuote = 0;
    for (const QString& testo : descrizioni) {
        if (testo.isEmpty()) {
            ++vuote;
            continue;
        }
        std::optional<Chiave> chiave = lettura(testo);
        if (!chiave)
            return false;
        chiavi.emplace_back(std::move(*chiave), testo);
    }
    std::stable_sort(chiavi.begin(), chiavi.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList ordinate(vuote);
    for (auto& [chiave, testo] : chiavi)
        ordinate << std::move(testo);
    descrizioni = std::move(ordinate);
    return true;
}

} // namespace

QStringList OrdinaDescrizioni(QStringList descrizioni) {
    if (ordinaPer<double>(descrizioni, textToFloat) || ordinaPer<QDateTime>(descrizioni, istante))
        return descrizioni;
    QCollator collatore{QLocale(QLocale::Italian, QLocale::Italy)};
    collatore.setCaseSensitivity(Qt::CaseInsensitive);
    collatore.setNumericMode(true);
    std::vector<std::pair<QCollatorSortKey, qsizetype>> chiavi;
    chiavi.reserve(size_t(descrizioni.size()));
    for (qsizetype i = 0; i < descrizioni.size(); ++i)
        chiavi.emplace_back(collatore.sortKey(descrizioni[i]), i);
    std::stable_sort(chiavi.begin(), chiavi.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList ordinate;
    ordinate.reserve(descrizioni.size());
    for (const auto& [chiave, i] : chiavi)
        ordinate << descrizioni[i];
    return ordinate;
}

DatiGrafico LeggiDatiGrafico(const LocalTable& tabella, qsizetype massimo) {
    // Sums per series and x description, in order of appearance first.
    QStringList descrizioni;
    QHash<QString, qsizetype> numeroDescrizione;
    QStringList serie;
    QList<QHash<qsizetype, double>> somme;
    LocalTable::Reader lettore = tabella.reader();
    while (!lettore.atEnd()) {
        for (const QVariantList& riga : lettore.next(BloccoLettura)) {
            const QString descrizione =
                riga.value(3).isNull() ? riga.value(0).toString() : riga.value(3).toString();
            const QString nomeSerie =
                riga.value(4).isNull() ? riga.value(1).toString() : riga.value(4).toString();
            auto d = numeroDescrizione.find(descrizione);
            if (d == numeroDescrizione.end()) {
                d = numeroDescrizione.insert(descrizione, descrizioni.size());
                descrizioni << descrizione;
            }
            qsizetype s = serie.indexOf(nomeSerie);
            if (s < 0) {
                s = serie.size();
                serie << nomeSerie;
                somme.append(QHash<qsizetype, double>());
            }
            somme[s][*d] += riga.value(2).toDouble();
        }
    }

    DatiGrafico dati;
    dati.Serie = serie;
    dati.DescrizioniTotali = descrizioni.size();
    dati.Descrizioni = OrdinaDescrizioni(descrizioni);
    if (dati.Descrizioni.size() > massimo)
        dati.Descrizioni.resize(massimo);
    for (const QHash<qsizetype, double>& perDescrizione : somme) {
        QList<double> valori;
        valori.reserve(dati.Descrizioni.size());
        for (const QString& descrizione : dati.Descrizioni)
            valori << perDescrizione.value(numeroDescrizione.value(descrizione));
        dati.Valori << valori;
    }
    return dati;
}

} // namespace mavo
