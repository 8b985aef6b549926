// Letting this thread's messages flow while a test waits, waits with a bound, and calls that
// another thread has run on this one from inside whatever message loop it waits in.
#pragma once

#include <windows.h>

#include <functional>

#include "ScopedWin.h"

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

// Work that runs on the thread that made this object, from inside the message loop that thread
// runs when another thread posts it (a modal wait's, say), as a call from outside reaches the
// presentation program's thread: a posted message to a message-only window of its own.
class CallInLoop {
 public:
  explicit CallInLoop(std::function<void()> work);
  CallInLoop(const CallInLoop&) = delete;
  CallInLoop& operator=(const CallInLoop&) = delete;

  // Asks for one run of the work; from any thread, returns at once.
  void Post() const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::function<void()> work_;
  ScopedWindow window_;
};

}  // namespace tandry::wintest
