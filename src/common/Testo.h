#pragma once

#include <QString>
#include <QStringView>

namespace mavo {

// A line cut from a longer text and the number of source characters it used
// up (the line itself, plus the blank or the CR LF that ended it).
struct RigaEstratta {
    QString riga;
    qsizetype consumati = 0;
};

// The next line of at most `larghezza` characters of `sorgente` from `inizio`,
// wrapped at blanks; a word longer than the width is cut. Callers advance
// `inizio` by `consumati` until the text is exhausted. A width below 1 counts
// as 1, so every call but the one at the end of the text makes progress.
RigaEstratta EstraiRiga(QStringView sorgente, qsizetype inizio, int larghezza);

// Characters from `inizio` up to the end of the text, a carriage return or a
// blank, at most `massimo`.
int LunghezzaParola(QStringView testo, qsizetype inizio, int massimo);

// The first `larghezza` characters of a longer text; a shorter one gets blanks
// in front up to the width.
QString AllineaADestra(const QString& testo, int larghezza);

// Thousands separators, no decimals ("%.0n"); zero gives an empty text.
QString FormattaIntero(double numero);
// Thousands separators, two decimals ("%.2n"); zero gives an empty text.
QString FormattaImporto(double numero);

QString TogliSpaziFinali(const QString& testo);
// Every carriage return and every line feed becomes one blank.
QString TogliACapo(QString testo);
QString TogliSpazi(QString testo);

// Field `posizione` (from 1) of a text split by a one-character separator,
// without quoting or trimming: "a;;c" gives "" at 2 and "c" at 3; a position
// of 0 or beyond the last field gives an empty text. Called several times per
// line of files of a million lines: it allocates only the result.
QString EstraiCampo(QStringView testo, int posizione, QChar separatore);
// The same field without its spaces (0x20); tabs and other blanks stay.
QString EstraiCampoSenzaSpazi(QStringView testo, int posizione, QChar separatore);

} // namespace mavo
