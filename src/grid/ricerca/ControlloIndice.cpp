#include "grid/ricerca/ControlloIndice.h"

#include "platform/Interazione.h"

#include <QStringList>

namespace mavo {

bool CampoIndicizzato(const QString& campo, const QString& campiIndicizzati) {
    return !campo.isEmpty() &&
           campiIndicizzati.split(u';', Qt::SkipEmptyParts).contains(campo, Qt::CaseInsensitive);
}

bool ControlloIndice(const QString& campo, const QString& campiIndicizzati, bool libero,
                     Interazione& interazione) {
    if (libero || CampoIndicizzato(campo, campiIndicizzati))
        return true;
    interazione.Informazione(kMsgCampoNonIndicizzato);
    return false;
}

} // namespace mavo
