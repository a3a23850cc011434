#pragma once

#include <QChar>
#include <QVector>

namespace mavo {

// One display code per answer field (by position from 0), read as five
// decimal digits: the first not 0 for a descending order, the second and
// third the field's place among the sort keys (0: none), the fourth 1 for a
// column with totals, the fifth the grouping display (0 plain, 1 thousands
// and two decimals, 2 thousands without decimals).
class CodiciVisualizzazione {
public:
    // One code per field of the answer: codes kept between runs stay, those
    // of new fields are 0.
    void Dimensiona(int campi) { codici_.resize(campi, 0); }
    int Numero() const { return codici_.size(); }

    // 0 for a field the answer does not have.
    int Codice(int campo) const { return codici_.value(campo, 0); }
    void SetCodice(int campo, int codice);

    int TipoRaggruppamento(int campo) const;
    void AggTipoRaggruppamento(int campo, QChar tipo);

private:
    QVector<int> codici_;
};

// Digits 2-3 of a code: its place among the sort keys.
int EstraiPosizioneOrdinamento(int codice);
// Digit 4 of a code is 1: a column with totals.
bool ControlloSuTotali(int codice);
// Digit 1 of a code is not 0: the sort is descending.
bool OrdineDecrescente(int codice);

} // namespace mavo
