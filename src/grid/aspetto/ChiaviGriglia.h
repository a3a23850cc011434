#pragma once

#include <QStringList>

namespace mavo {

// The keys under which a grid's layout, sort and search options are stored.
// The situation code is signed: a negative one marks the rows used while the
// user's layout memory is switched off.
struct ChiaviGriglia {
    int situazione = 0;
    int utente = 0;
    int progetto = 0;
};

// "WHERE (CodiceSituazione=<s>)", "AND (CodiceUtente=<u>)", "AND (CodiceProgetto=<p>)".
QStringList RigheChiave(const ChiaviGriglia& chiavi);

} // namespace mavo
