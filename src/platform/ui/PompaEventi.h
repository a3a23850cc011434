#pragma once

namespace mavo {

// Lets the windows paint while an operation holds the user-interface thread:
// expose, paint and layout events run. User input (mouse, keys, wheel, the
// window manager's close request) and timers wait for the event loop, so that
// nothing a user or a timer starts can run inside the operation; input that
// arrives meanwhile is delivered, in its order, once the operation has ended.
// A call made while one is already running does nothing.
void PompaSenzaInput();

} // namespace mavo
