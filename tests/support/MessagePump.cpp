#include "MessagePump.h"

namespace tandry::wintest {
namespace {

constexpr DWORD kPollMs = 10;

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs, bool dispatch) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    if (dispatch) DispatchPendingMessages();
    ::Sleep(kPollMs);
  }
  return true;
}

}  // namespace

void DispatchPendingMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void PumpMessagesBriefly() {
  for (int round = 0; round < 3; ++round) {
    DispatchPendingMessages();
    ::Sleep(kPollMs);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  return PollUntil(done, timeoutMs, true);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  return PollUntil(done, timeoutMs, false);
}

}  // namespace tandry::wintest
