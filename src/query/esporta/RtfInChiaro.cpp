#include "query/esporta/RtfInChiaro.h"

#include "platform/Cp1252.h"
#include "platform/SqlTesto.h"

#include <QVector>

namespace mavo {

namespace {

// Groups whose text is no part of what the document shows.
bool destinazioneNascosta(QStringView parola) {
    static const char* const nascoste[] = {
        "fonttbl",      "colortbl",  "stylesheet",
        "info",         "pict",      "header",
        "headerl",      "headerr",   "headerf",
        "footer",       "footerl",   "footerr",
        "footerf",      "listtable", "listoverridetable",
        "revtbl",       "rsidtbl",   "generator",
        "xmlnsdecl",    "themedata", "colorschememapping",
        "latentstyles", "datastore", "object",
        "fldinst",      "filetbl",   "pgdsctbl",
        "mmathPr",
    };
    for (const char* n : nascoste)
        if (parola == QLatin1String(n))
            return true;
    return false;
}

struct StatoGruppoRtf {
    bool nascosto = false;
    int saltaDopoUnicode = 1; // \ucN: characters standing in for each \u
};

int valoreEsadecimale(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

QString EsportaRTFInChiaro(const QString& testo) {
    QString rtf = testo;
    rtf.replace(sql::Acuto, u'\'');
    if (!rtf.startsWith(QLatin1String("{\\rtf")))
        return rtf;

    QString uscita;
    QVector<StatoGruppoRtf> pila{StatoGruppoRtf{}};
    int daSaltare = 0; // fallback characters after a \u still to drop
    const qsizetype n = rtf.size();
    const auto scrivi = [&](QChar c) {
        if (daSaltare > 0) {
            --daSaltare;
            return;
        }
        if (!pila.last().nascosto)
            uscita += c;
    };
    const auto scriviTesto = [&](QStringView t) {
        if (!pila.last().nascosto)
            uscita += t;
    };

    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = rtf[i];
        if (c == u'{') {
            pila.append(pila.last());
            daSaltare = 0;
        } else if (c == u'}') {
            if (pila.size() > 1)
                pila.removeLast();
            daSaltare = 0;
        } else if (c == u'\r' || c == u'\n') {
            // Line breaks of the source are no part of the text.
        } else if (c != u'\\') {
            scrivi(c);
        } else if (i + 1 < n) {
            const QChar d = rtf[++i];
            if (d.isLetter() && d.unicode() < 128) {
                const qsizetype inizio = i;
                while (i < n && rtf[i].unicode() < 128 && rtf[i].isLetter())
                    ++i;
                const QStringView parola = QStringView(rtf).mid(inizio, i - inizio);
                bool conParametro = false;
                int parametro = 0;
                const qsizetype inizioNumero = i;
                if (i < n && (rtf[i] == u'-' || rtf[i].isDigit())) {
                    ++i;
                    while (i < n && rtf[i].isDigit())
                        ++i;
                    parametro = QStringView(rtf).mid(inizioNumero, i - inizioNumero).toInt();
                    conParametro = true;
                }
                // One blank ends a control word and belongs to it.
                if (!(i < n && rtf[i] == u' '))
                    --i;
                if (destinazioneNascosta(parola)) {
                    pila.last().nascosto = true;
                } else if (parola == u"par" || parola == u"line") {
                    scriviTesto(u"\r\n");
                } else if (parola == u"tab") {
                    scriviTesto(u"\t");
                } else if (parola == u"uc" && conParametro) {
                    pila.last().saltaDopoUnicode = parametro;
                } else if (parola == u"u" && conParametro) {
                    scriviTesto(
                        QString(QChar(char16_t(parametro < 0 ? parametro + 65536 : parametro))));
                    daSaltare = pila.last().saltaDopoUnicode;
                } else if (parola == u"emdash") {
                    scriviTesto(u"\u2014");
                } else if (parola == u"endash") {
                    scriviTesto(u"\u2013");
                } else if (parola == u"bullet") {
                    scriviTesto(u"\u2022");
                } else if (parola == u"lquote") {
                    scriviTesto(u"\u2018");
                } else if (parola == u"rquote") {
                    scriviTesto(u"\u2019");
                } else if (parola == u"ldblquote") {
                    scriviTesto(u"\u201C");
                } else if (parola == u"rdblquote") {
                    scriviTesto(u"\u201D");
                }
            } else if (d == u'\'') {
                if (i + 2 < n) {
                    const int alto = valoreEsadecimale(rtf[i + 1]);
                    const int basso = valoreEsadecimale(rtf[i + 2]);
                    i += 2;
                    if (alto >= 0 && basso >= 0) {
                        const char byte = char(alto * 16 + basso);
                        scrivi(fromCp1252(QByteArrayView(&byte, 1)).at(0));
                    }
                }
            } else if (d == u'*') {
                pila.last().nascosto = true;
            } else if (d == u'\r' || d == u'\n') {
                scriviTesto(u"\r\n");
            } else if (d == u'~') {
                scrivi(QChar(0x00A0));
            } else if (d == u'_') {
                scrivi(u'-');
            } else if (d == u'\\' || d == u'{' || d == u'}') {
                scrivi(d);
            }
            // Anything else (\- optional hyphen, \| ...) shows nothing.
        }
    }
    return uscita;
}

} // namespace mavo
