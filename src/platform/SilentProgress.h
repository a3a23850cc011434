#pragma once

#include "platform/Interazione.h"

namespace mavo {

// The progress handle of a host that has no progress window to show.
class SilentProgress final : public Progresso {
public:
    void SetMessaggio(const QString&) override {}
    void SetBarraVisibile(bool) override {}
    void SetProgresso(int) override {}
    void Mostra() override {}
    void Nascondi() override {}
};

} // namespace mavo
