#pragma once

namespace mavo {

class TTabXForm;

// The staging table MANUTENZIONENETTI of the company archive.
// Created when missing; an existing one is emptied only with `azzera` (the
// window empties it at every opening, the command-line tool never does).
// Works in IBTransaction1 and commits with retained context. A failure is told
// through the context's port and gives false.
bool PreparaTabellaManutenzione(TTabXForm& contesto, bool azzera);

} // namespace mavo
