#pragma once

#include <QString>
#include <QVector>

namespace mavo {

class CodiciVisualizzazione;
class Dataset;
class Field;
class MemoryDataset;

// The look of an answer lives on its fields (width, visibility, title,
// column order). The layout table TabAspRTmp keeps it while the answer is
// reopened, and is what a stored query saves: NCampo (position from 0),
// NomeCampo, Dim (display width), Vis (1 visible), Pos (column), Raggruppa
// (the field's display code).
void CreaTabAspRTmp(MemoryDataset& tabella);

// One row of a layout, as the layout table and the stored layouts hold it.
struct RigaAspetto {
    int NCampo = 0;
    QString NomeCampo;
    int Dim = 0;
    int Vis = 1;
    int Pos = 0;
    int Raggruppa = 0;
    bool operator==(const RigaAspetto&) const = default;
};
using Aspetto = QVector<RigaAspetto>;

// The layout of the open answer: one row per field, in field-list order.
Aspetto AspettoDi(const Dataset& risposta, const CodiciVisualizzazione& codici);
// The rows of the layout table, and back.
Aspetto LeggiAspetto(MemoryDataset& tabella);
void ScriviAspetto(MemoryDataset& tabella, const Aspetto& righe);

// One row per field of the open answer, in field-list order.
void SalvaAspetto(MemoryDataset& tabella, const Dataset& risposta,
                  const CodiciVisualizzazione& codici);

// Puts the kept layout back on the fields of the same names (others are
// left alone), columns in their kept order.
void RipristinaAspetto(MemoryDataset& tabella, Dataset& risposta);
void RipristinaAspetto(const Aspetto& righe, Dataset& risposta);

// A column title: the name cut to the display width when that is shorter.
QString TitoloCampo(const QString& nome, int larghezza);

// Titles of a freshly opened answer: each cut to its field's width.
void TitoliRisposta(Dataset& risposta);

// The one-record table TabRecTmp: NomeCampo and Dato, one row per piece.
void CreaTabRecTmp(MemoryDataset& tabella);

struct RigaUnRecord {
    QString NomeCampo;
    QString Dato;
    bool operator==(const RigaUnRecord&) const = default;
};

// The current record of the answer as rows of a name and a value of at most
// `larghezza` characters: numbers in their grouping display, a memo in
// pieces broken at blanks and line ends (each piece its own row), any other
// value cut, its line breaks turned into blanks. Only visible fields, in
// field order. `piuLunga`: the length of the longest last piece.
QVector<RigaUnRecord> RigheUnRecord(const Dataset& risposta, const CodiciVisualizzazione& codici,
                                    int larghezza, int* piuLunga = nullptr);

// A value as the answer grid draws it: a floating-point field in grouping
// display 1 with thousands separators and two decimals, in 2 without
// decimals (zero shows nothing either way); otherwise its display text.
QString TestoRisposta(const Field& campo, const QVariant& valore, int tipoRaggruppamento);

// Writes the rows into the open one-record table.
void RiempiTabRecTmp(MemoryDataset& tabella, const QVector<RigaUnRecord>& righe);

} // namespace mavo
