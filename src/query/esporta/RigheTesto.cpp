#include "query/esporta/RigheTesto.h"

#include "common/Testo.h"
#include "dataset/Dataset.h"
#include "dataset/DatasetModel.h"
#include "platform/Cp1252.h"
#include "platform/Formats.h"
#include "query/esporta/RtfInChiaro.h"
#include "query/risposta/CodiciVisualizzazione.h"

#include <QDateTime>
#include <algorithm>
#include <charconv>

namespace mavo {

namespace {

bool memoOBlob(FieldType tipo) {
    return tipo == FieldType::Memo || tipo == FieldType::Blob;
}

// A memo or blob written whole, for "Esporta campi memo estesi": never cut,
// ';' turned into ',' so that it cannot split the line's fields, line breaks
// into the tag when there is one.
QString memoEsteso(const QVariant& valore, FieldType tipo, const FormatoTesto& formato) {
    if (valore.isNull())
        return {};
    QString testo = tipo == FieldType::Blob ? fromCp1252(valore.toByteArray()) : valore.toString();
    if (formato.rtfInChiaro)
        testo = EsportaRTFInChiaro(testo);
    testo.replace(u';', u',');
    if (!formato.tag.isEmpty()) {
        testo.replace(QLatin1String("\r\n"), formato.tag);
        // A break typed on another system is a break all the same: left in,
        // it would end the exported line.
        testo.replace(u'\n', formato.tag);
        testo.replace(u'\r', formato.tag);
    }
    return testo;
}

// Digits of a number as the C library writes them, the decimal point made a comma.
void accodaNumero(QString& riga, const char* inizio, const char* fine) {
    for (const char* p = inizio; p < fine; ++p)
        riga.append(*p == '.' ? QChar(u',') : QChar(char16_t(*p)));
}

void accodaDueCifre(QString& riga, int n) {
    riga.append(QChar(char16_t(u'0' + n / 10)));
    riga.append(QChar(char16_t(u'0' + n % 10)));
}

// dd/MM/yyyy, as the grid shows a date.
void accodaData(QString& riga, const QDate& giorno) {
    accodaDueCifre(riga, giorno.day());
    riga.append(u'/');
    accodaDueCifre(riga, giorno.month());
    riga.append(u'/');
    const int anno = giorno.year();
    if (anno < 1000 || anno > 9999) {
        riga += QString::number(anno);
        return;
    }
    accodaDueCifre(riga, anno / 100);
    accodaDueCifre(riga, anno % 100);
}

void accodaOra(QString& riga, const QTime& ora) {
    accodaDueCifre(riga, ora.hour());
    riga.append(u':');
    accodaDueCifre(riga, ora.minute());
    riga.append(u':');
    accodaDueCifre(riga, ora.second());
}

// The value's display text, every CR and LF a blank, texts cut to the
// column's width (numbers and dates never): the line's text of an ordinary
// field, written straight into the line.
void accodaTesto(QString& riga, const ColonnaEsportata& c, const QVariant& valore) {
    if (valore.isNull())
        return;
    char cifre[64];
    switch (c.campo->dataType()) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::AutoInc: {
        const auto [fine, errore] = std::to_chars(cifre, cifre + sizeof cifre, valore.toLongLong());
        accodaNumero(riga, cifre, fine);
        return;
    }
    case FieldType::Float: {
        const double numero = valore.toDouble();
        const auto [fine, errore] = c.campo->scale() > 0
                                        ? std::to_chars(cifre, cifre + sizeof cifre, numero,
                                                        std::chars_format::fixed, c.campo->scale())
                                        : std::to_chars(cifre, cifre + sizeof cifre, numero,
                                                        std::chars_format::general, 15);
        if (errore == std::errc())
            accodaNumero(riga, cifre, fine);
        else
            riga += DatasetModel::displayText(c.campo, valore);
        return;
    }
    case FieldType::Date:
        accodaData(riga, valore.typeId() == QMetaType::QDateTime ? valore.toDateTime().date()
                                                                 : valore.toDate());
        return;
    case FieldType::DateTime: {
        const QDateTime momento = valore.toDateTime();
        accodaData(riga, momento.date());
        riga.append(u' ');
        accodaOra(riga, momento.time());
        return;
    }
    default:
        break;
    }
    // Texts: read in place, without a copy.
    QString altro;
    QStringView testo;
    if (valore.typeId() == QMetaType::QString) {
        testo = *static_cast<const QString*>(valore.constData());
    } else {
        altro = TestoValore(c, valore);
        testo = altro;
    }
    if (!ValoreDaNonTagliare(c.campo->dataType()))
        testo = testo.left(c.larghezza);
    if (!testo.contains(u'\r') && !testo.contains(u'\n')) {
        riga.append(testo);
        return;
    }
    for (QChar ch : testo)
        riga.append(ch == u'\r' || ch == u'\n' ? QChar(u' ') : ch);
}

} // namespace

bool ValoreDaNonTagliare(FieldType tipo) {
    switch (tipo) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::AutoInc:
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return true;
    default:
        return false;
    }
}

QVector<ColonnaEsportata> ColonneEsportate(const Dataset& dati,
                                           const CodiciVisualizzazione& codici) {
    QVector<ColonnaEsportata> colonne;
    const int campi = dati.fieldCount();
    for (int i = 0; i < campi; ++i) {
        const Field* campo = dati.field(i);
        if (!campo->visible())
            continue;
        colonne.append(
            {.campo = campo,
             .posizione = campo->fieldNo(),
             .larghezza = std::max(campo->displayWidth(), int(campo->displayLabel().size())),
             .raggruppamento = codici.TipoRaggruppamento(campo->fieldNo()),
             .seguitoDaSeparatore = i != campi - 1});
    }
    return colonne;
}

QString TestoValore(const ColonnaEsportata& colonna, const QVariant& valore) {
    if (valore.isNull())
        return {};
    const FieldType tipo = colonna.campo->dataType();
    if (tipo == FieldType::Float && (colonna.raggruppamento == 1 || colonna.raggruppamento == 2))
        return formatNumber(valore.toDouble(), colonna.raggruppamento == 1 ? 2 : 0);
    if (tipo == FieldType::Memo)
        return valore.toString();
    return DatasetModel::displayText(colonna.campo, valore);
}

QString IntestazioneTesto(const QVector<ColonnaEsportata>& colonne, const FormatoTesto& formato) {
    QString riga;
    for (const ColonnaEsportata& c : colonne) {
        const QString nome = c.campo->fieldName().left(c.larghezza);
        riga += formato.lunghezzaFissa ? nome.leftJustified(c.larghezza) : TogliSpaziFinali(nome);
        if (c.seguitoDaSeparatore)
            riga += formato.separatore;
    }
    return riga;
}

QString RigaTesto(const QVector<ColonnaEsportata>& colonne, const QVariantList& valori,
                  const FormatoTesto& formato) {
    QString riga;
    AccodaRigaTesto(riga, colonne, valori, formato);
    return riga;
}

void AccodaRigaTesto(QString& riga, const QVector<ColonnaEsportata>& colonne,
                     const QVariantList& valori, const FormatoTesto& formato) {
    for (const ColonnaEsportata& c : colonne) {
        const qsizetype inizio = riga.size();
        const QVariant valore = valori.value(c.posizione);
        const FieldType tipo = c.campo->dataType();
        if (tipo == FieldType::Float && (c.raggruppamento == 1 || c.raggruppamento == 2)) {
            // Right-aligned in the column; a longer number is never cut.
            riga += TestoValore(c, valore).rightJustified(c.larghezza, u' ', false);
        } else if (memoOBlob(tipo) && formato.memoEstesi) {
            riga += memoEsteso(valore, tipo, formato);
        } else {
            accodaTesto(riga, c, valore);
        }
        if (formato.lunghezzaFissa) {
            // Padded to the width; a longer value stays longer.
            const qsizetype scritti = riga.size() - inizio;
            if (scritti < c.larghezza)
                riga.append(QString(c.larghezza - scritti, u' '));
        } else {
            qsizetype fine = riga.size();
            while (fine > inizio && riga.at(fine - 1) == u' ')
                --fine;
            riga.truncate(fine);
        }
        if (c.seguitoDaSeparatore)
            riga += formato.separatore;
    }
}

} // namespace mavo
