// Letting this thread's messages flow while a test waits, and waits with a bound.
#pragma once

#include <windows.h>

#include <functional>

namespace tandry::wintest {

// Dispatches every message now waiting in this thread's queue.
void DispatchPendingMessages();

// Dispatches messages for three short rounds, so that what the window system sends a little
// later (activation, the display driver's events) arrives too.
void PumpMessagesBriefly();

// Dispatches this thread's messages until `done()` or until `timeoutMs` have passed; false when
// the time ran out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Checks `done()` every few milliseconds without touching the message queue, for a thread that
// watches another's windows; false when `timeoutMs` ran out.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

}  // namespace tandry::wintest
