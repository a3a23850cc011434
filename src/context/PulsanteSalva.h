#pragma once

#include <QString>

namespace mavo {

// The save button of an editing window, as the editing operations of the call
// context see it: a tag holding the state (1 = changes not yet committed,
// 0 = saved) and a picture showing it (red for 1, green for 0). The window
// gives a real button (TSpeedButtonSalva); tests may give their own.
class PulsanteSalva {
public:
    virtual ~PulsanteSalva() = default;
    virtual int Tag() const = 0;
    // Sets the state and shows the picture of the file (Windows-style path).
    virtual void Imposta(int tag, const QString& immagine) = 0;
};

} // namespace mavo
