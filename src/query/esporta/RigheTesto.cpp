#include "query/esporta/RigheTesto.h"

#include "common/Testo.h"
#include "dataset/Dataset.h"
#include "dataset/DatasetModel.h"
#include "platform/Cp1252.h"
#include "platform/Formats.h"
#include "query/esporta/RtfInChiaro.h"
#include "query/risposta/CodiciVisualizzazione.h"

#include <algorithm>

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
    for (const ColonnaEsportata& c : colonne) {
        const QVariant valore = valori.value(c.posizione);
        const FieldType tipo = c.campo->dataType();
        QString testo;
        if (tipo == FieldType::Float && (c.raggruppamento == 1 || c.raggruppamento == 2)) {
            // Right-aligned in the column; a longer number is never cut.
            testo = TestoValore(c, valore).rightJustified(c.larghezza, u' ', false);
        } else if (memoOBlob(tipo) && formato.memoEstesi) {
            testo = memoEsteso(valore, tipo, formato);
        } else {
            testo = TogliACapo(TestoValore(c, valore));
            if (!ValoreDaNonTagliare(tipo))
                testo.truncate(c.larghezza);
        }
        riga += formato.lunghezzaFissa ? testo.leftJustified(c.larghezza) : TogliSpaziFinali(testo);
        if (c.seguitoDaSeparatore)
            riga += formato.separatore;
    }
    return riga;
}

} // namespace mavo
