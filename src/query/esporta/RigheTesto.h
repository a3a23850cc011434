#pragma once

#include "dataset/Field.h"

#include <QVariantList>
#include <QVector>

namespace mavo {

class CodiciVisualizzazione;
class Dataset;

// One exported column: a visible field of the answer, in the order the
// answer shows its fields.
struct ColonnaEsportata {
    const Field* campo = nullptr;
    int posizione = 0;               // where its value is in a row read from the answer (fieldNo)
    int larghezza = 0;               // the larger of its display width and its title's length
    int raggruppamento = 0;          // grouping display: 0 plain, 1 "%.2n", 2 "%.0n"
    bool seguitoDaSeparatore = true; // every field but the last of the answer's list
};

// The visible fields of the answer in their order; the grouping display
// types come from the display codes, by field position.
QVector<ColonnaEsportata> ColonneEsportate(const Dataset& dati,
                                           const CodiciVisualizzazione& codici);

// How the text lines are written.
struct FormatoTesto {
    QString separatore = QStringLiteral(";");
    bool lunghezzaFissa = false;
    bool memoEstesi = false;
    bool rtfInChiaro = false;
    QString tag;
};

// The header line (field names) and a row's line, without the line end.
QString IntestazioneTesto(const QVector<ColonnaEsportata>& colonne, const FormatoTesto& formato);
QString RigaTesto(const QVector<ColonnaEsportata>& colonne, const QVariantList& valori,
                  const FormatoTesto& formato);
// The same line appended to `testo`: a million rows build no string of their own.
void AccodaRigaTesto(QString& testo, const QVector<ColonnaEsportata>& colonne,
                     const QVariantList& valori, const FormatoTesto& formato);

// A value as the answer grid shows it, whole (a memo with its line breaks);
// a float field with grouping display 1 or 2 with thousands separators.
QString TestoValore(const ColonnaEsportata& colonna, const QVariant& valore);

// Numbers, dates and times: their text is never cut to a column's width,
// where it would read as another value.
bool ValoreDaNonTagliare(FieldType tipo);

} // namespace mavo
