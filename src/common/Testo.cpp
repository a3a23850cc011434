#include "common/Testo.h"

#include "platform/Formats.h"

#include <algorithm>

namespace mavo {

namespace {

bool fineParola(QChar c) {
    return c == u'\r' || c == u' ';
}

// The field as a view of the text: EstraiCampo and EstraiCampoSenzaSpazi copy
// only what they return.
QStringView campo(QStringView testo, int posizione, QChar separatore) {
    if (posizione < 1) {
        return {};
    }
    for (int i = 1; i < posizione; ++i) {
        const qsizetype at = testo.indexOf(separatore);
        if (at < 0) {
            return {};
        }
        testo = testo.sliced(at + 1);
    }
    const qsizetype at = testo.indexOf(separatore);
    return at < 0 ? testo : testo.first(at);
}

} // namespace

RigaEstratta EstraiRiga(QStringView sorgente, qsizetype inizio, int larghezza) {
    const int width = std::max(larghezza, 1);
    const qsizetype start = std::clamp<qsizetype>(inizio, 0, sorgente.size());
    qsizetype p = start;
    QString riga;
    riga.reserve(width);
    const auto fine = [&] { return p >= sorgente.size(); };
    while (true) {
        if (!fine() && !fineParola(sorgente[p])) {
            riga += sorgente[p++];
        }
        if (fine()) {
            return {riga, p - start};
        }
        if (sorgente[p] == u'\r') {
            // The line feed of the CR LF pair goes with the line; a lone CR
            // must not swallow the first character of the next line.
            const bool lineFeed = p + 1 < sorgente.size() && sorgente[p + 1] == u'\n';
            return {riga, p - start + (lineFeed ? 2 : 1)};
        }
        if (sorgente[p] == u' ') {
            if (riga.size() + LunghezzaParola(sorgente, p + 1, width) < width) {
                riga += sorgente[p++];
            } else {
                return {riga, p - start + 1};
            }
        }
        if (riga.size() >= width) {
            return {riga, p - start};
        }
    }
}

int LunghezzaParola(QStringView testo, qsizetype inizio, int massimo) {
    int lunghezza = 0;
    for (qsizetype i = std::max<qsizetype>(inizio, 0);
         i < testo.size() && lunghezza < massimo && !fineParola(testo[i]); ++i) {
        ++lunghezza;
    }
    return lunghezza;
}

QString AllineaADestra(const QString& testo, int larghezza) {
    if (testo.size() >= larghezza) {
        return testo.left(std::max(larghezza, 0));
    }
    return QString(larghezza - testo.size(), u' ') + testo;
}

QString FormattaIntero(double numero) {
    return numero == 0 ? QString() : formatNumber(numero, 0);
}

QString FormattaImporto(double numero) {
    return numero == 0 ? QString() : formatNumber(numero, 2);
}

QString TogliSpaziFinali(const QString& testo) {
    qsizetype n = testo.size();
    while (n > 0 && testo[n - 1] == u' ') {
        --n;
    }
    return testo.left(n);
}

QString TogliACapo(QString testo) {
    testo.replace(u'\r', u' ');
    testo.replace(u'\n', u' ');
    return testo;
}

QString TogliSpazi(QString testo) {
    testo.remove(u' ');
    return testo;
}

QString EstraiCampo(QStringView testo, int posizione, QChar separatore) {
    return campo(testo, posizione, separatore).toString();
}

QString EstraiCampoSenzaSpazi(QStringView testo, int posizione, QChar separatore) {
    QString risultato = campo(testo, posizione, separatore).toString();
    risultato.remove(u' ');
    return risultato;
}

} // namespace mavo
