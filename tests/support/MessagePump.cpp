#include "MessagePump.h"

namespace tandry::wintest {
namespace {

constexpr DWORD kPollMs = 10;
constexpr wchar_t kCallInLoopClass[] = L"TandryTestCallInLoop";
constexpr UINT kRunWork = WM_APP;

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

CallInLoop::CallInLoop(std::function<void()> work) : work_(std::move(work)) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = kCallInLoopClass;
  ::RegisterClassW(&windowClass);  // already registered by an earlier call: fine
  window_.reset(::CreateWindowExW(0, kCallInLoopClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ThisModule(), nullptr));
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CallInLoop::Post() const { ::PostMessageW(window_.get(), kRunWork, 0, 0); }

LRESULT CALLBACK CallInLoop::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* const call = reinterpret_cast<CallInLoop*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == kRunWork && call) {
    call->work_();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tandry::wintest
