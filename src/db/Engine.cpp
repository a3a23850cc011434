#include "db/Engine.h"

#include "db/Encoding.h"

namespace mavo::db::engine {

Firebird::IMaster* master() {
    static Firebird::IMaster* const m = Firebird::fb_get_master_interface();
    return m;
}

Firebird::IUtil* util() {
    static Firebird::IUtil* const u = master()->getUtilInterface();
    return u;
}

void rethrow(const Firebird::FbException& e) {
    char text[4096];
    util()->formatStatus(text, sizeof(text), e.getStatus());
    const ISC_STATUS* errors = e.getStatus()->getErrors();
    const long gds = errors[0] == isc_arg_gds ? static_cast<long>(errors[1]) : 0;
    bool conflict = false;
    for (const ISC_STATUS* p = errors; *p != isc_arg_end; p += 2) {
        if (*p == isc_arg_gds &&
            (p[1] == isc_lock_conflict || p[1] == isc_deadlock || p[1] == isc_update_conflict))
            conflict = true;
        if (*p == isc_arg_cstring)
            ++p; // a counted string takes one more slot
    }
    throw DatabaseError(encoding::decodeMessage(text), isc_sqlcode(errors), gds, conflict);
}

} // namespace mavo::db::engine
