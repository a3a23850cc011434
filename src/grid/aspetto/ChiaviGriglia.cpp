#include "grid/aspetto/ChiaviGriglia.h"

namespace mavo {

QStringList RigheChiave(const ChiaviGriglia& chiavi) {
    return {QStringLiteral("WHERE (CodiceSituazione=%1)").arg(chiavi.situazione),
            QStringLiteral("AND (CodiceUtente=%1)").arg(chiavi.utente),
            QStringLiteral("AND (CodiceProgetto=%1)").arg(chiavi.progetto)};
}

} // namespace mavo
