#pragma once

#include <cstdio>

namespace mavo {

class TTabXForm;

// The staged rows as text: "CODICE;DESCRIZIONE;PREZZO", then one line per
// row ordered by code, the price with ',' and two decimals and no thousands
// separator; UTF-8.
void StampaAnteprima(TTabXForm& contesto, FILE* out);

} // namespace mavo
