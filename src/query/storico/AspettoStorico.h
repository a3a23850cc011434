#pragma once

#include "query/form/AspettoRisposta.h"

namespace mavo {

class CodiciVisualizzazione;
class Dataset;
class Risposta;

// The display codes from a stored layout: every code 0, then each stored
// row's Raggruppa on its field. Rows of fields the answer does not have
// (a layout stored for a longer answer) are left out.
void InizializzaRaggruppa(CodiciVisualizzazione& codici, const Aspetto& aspetto);

// A stored layout fits the answer: every stored field is one of the
// answer's, and every field of the answer has a stored row.
bool EsisteAspettoCompatibile(const Aspetto& aspetto, const Dataset& risposta);

// Puts a compatible stored layout on the open answer: the display codes,
// the order they ask for (the answer reopened, `ordinato` following its
// ORDER BY as the ordering keeps it), then titles, widths, visibility and
// column positions. False, with the answer untouched, when it does not fit.
bool RecuperaAspettodaStorico(Risposta& risposta, const Aspetto& aspetto, bool& ordinato);

} // namespace mavo
