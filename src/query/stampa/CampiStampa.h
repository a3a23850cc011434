#pragma once

#include "dataset/Field.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <functional>

namespace mavo {

class CodiciVisualizzazione;
class Dataset;

// A field of what is printed, as the answer's grid shows it when the print
// starts (the print never reads the grid again).
struct CampoStampa {
    QString Nome;
    QString Etichetta;
    FieldType Tipo = FieldType::String;
    int Scala = 0;
    int Larghezza = 0; // display width, characters
    bool Visibile = true;
    int Posizione = 0; // in a row of values (Field::fieldNo())
    int Codice = 0;    // display code

    bool Numerico() const;
    // A numeric field the sums add up (16-bit integer, integer, float).
    bool Sommabile() const;
    bool Memo() const { return Tipo == FieldType::Memo || Tipo == FieldType::Blob; }
    int TipoRaggruppamento() const;
    bool ConTotali() const;
};

// Every row of what is printed, from the first, values by Posizione.
using ScorriRighe = std::function<void(const std::function<void(const QVariantList&)>& perRiga)>;

// What is printed: the answer, or the one-record table.
struct SorgenteStampa {
    QVector<CampoStampa> Campi; // in column order
    ScorriRighe Scorri;
    bool UnRecord = false;
    int ValorePiuLungo = 100; // width of the one-record table's second column
};

// The fields of a dataset in column order with the display codes (none for
// the one-record table).
QVector<CampoStampa> CampiDaStampare(const Dataset& dati, const CodiciVisualizzazione* codici);

// Rows of a dataset whose rows all sit in memory (the one-record table).
ScorriRighe ScorriDataset(Dataset& dati);

// The text of a value as the grid shows it; a memo keeps its whole text, a
// binary blob is read as Windows-1252 text.
QString TestoValore(const CampoStampa& campo, const QVariant& valore);

// Carriage returns and line feeds, alone or in pairs, become CR LF: the line
// end the word wrap knows.
QString ACapoWindows(const QString& testo);

// A number that does not fit its column is no other number: the column is
// filled with '#', as spreadsheets do.
QString NumeroInColonna(const QString& testo, int larghezza);

} // namespace mavo
