#pragma once

#include "common/ui/DialogoImmissione.h"

namespace mavo {

class TEditData;

// Asks for a date: "Inserisci la data:" and the date edit `EditData1`.
class TPimDataForm : public DialogoImmissione {
    Q_OBJECT
public:
    explicit TPimDataForm(QWidget* parent = nullptr);

    TEditData* const EditData1;
};

} // namespace mavo
