#pragma once

#include "query/esporta/OpzioniEsportazione.h"

class QWidget;

namespace mavo {

class Interazione;
class Risposta;

// The query form's "&Esporta": the options dialog over `form`, then the
// export of the open answer with the form's progress windows; an error is
// shown and the dialog comes again for the text-only routine. The form keeps
// its "export in progress" flag set around the call (its activation steps
// must not run meanwhile).
void ButtonEsportaClick(QWidget* form, Interazione& port, Risposta& risposta,
                        const ContestoEsportazione& contesto);

} // namespace mavo
