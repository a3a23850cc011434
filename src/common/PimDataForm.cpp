#include "common/PimDataForm.h"

#include "common/EditData.h"

namespace mavo {

TPimDataForm::TPimDataForm(QWidget* parent)
    : DialogoImmissione(QStringLiteral("Inserisci la data:"), parent),
      EditData1(new TEditData(this)) {
    EditData1->setObjectName(QStringLiteral("EditData1"));
    impostaEditor(EditData1);
}

} // namespace mavo
