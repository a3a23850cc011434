#pragma once

#include "common/ui/DialogoImmissione.h"

class QLineEdit;

namespace mavo {

// Asks for one value: "Inserisci il valore:" and `Edit1`.
class TPimIn1Form : public DialogoImmissione {
    Q_OBJECT
public:
    explicit TPimIn1Form(QWidget* parent = nullptr);

    QLineEdit* const Edit1;
};

} // namespace mavo
