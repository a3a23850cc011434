#include "common/ui/PimIn1Form.h"

#include <QLineEdit>

namespace mavo {

TPimIn1Form::TPimIn1Form(QWidget* parent)
    : DialogoImmissione(QStringLiteral("Inserisci il valore:"), parent),
      Edit1(new QLineEdit(QStringLiteral("Edit1"), this)) {
    Edit1->setObjectName(QStringLiteral("Edit1"));
    impostaEditor(Edit1);
}

} // namespace mavo
