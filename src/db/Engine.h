#pragma once

// Internal to the db layer: access to the Firebird client's OO interface and
// the conversion of its failures into DatabaseError.

#include "db/DatabaseError.h"

#include <firebird/Interface.h>

namespace mavo::db::engine {

Firebird::IMaster* master();
Firebird::IUtil* util();

// Status wrapper that throws Firebird::FbException; call() turns those into DatabaseError.
class Status : public Firebird::ThrowStatusWrapper {
public:
    Status() : ThrowStatusWrapper(master()->getStatus()) {}
    ~Status() { dispose(); }
};

[[noreturn]] void rethrow(const Firebird::FbException& e);

template <typename F> auto call(F&& f) {
    try {
        return f();
    } catch (const Firebird::FbException& e) {
        rethrow(e);
    }
}

} // namespace mavo::db::engine
