#include "common/ui/PimDataForm.h"

#include "common/ui/EditData.h"

namespace mavo {

TPimDataForm::TPimDataForm(QWidget* parent)
    : DialogoImmissione(QStringLiteral("Inserisci la data:"), parent),
      EditData1(new TEditData(this)) {
    EditData1->setObjectName(QStringLiteral("EditData1"));
    impostaEditor(EditData1);
}

} // namespace mavo
