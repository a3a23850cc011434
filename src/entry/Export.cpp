#include "entry/Entry.h"
#include "platform/ui/QtInterazione.h"

#include <cstdint>

// The library's only export. The boxes of the call context have no owner
// window, so one port serves every call and outlives every window.
extern "C" __attribute__((visibility("default"))) int32_t
ShowSincroPrezziNettiFormX(int32_t NumeroUtente, int32_t IdFinestra) {
    static mavo::QtInterazione porta;
    return mavo::ApriSincroPrezziNetti(porta, NumeroUtente, IdFinestra);
}
