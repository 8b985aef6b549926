// A second process for the library's tests.
//   window <class>                 shows a window of that class in front until it is closed
//   load <dll> <loaded> <release>  loads the library (exit 2 if that fails), sets the event
//                                  <loaded>, holds the library until the event <release> is set,
//                                  then frees it (exit 0); "-" for both events: no holding
//   mutex                          exit 0 if a mutex "Tandry" exists, 1 if not
// Nothing waits longer than a minute, so a helper never outlives its test for long.
#include <windows.h>

#include <cstring>

#include "LibraryTestSupport.h"
#include "ScopedWin.h"

namespace {

constexpr DWORD kLongestWait = 60000;

LRESULT CALLBACK HelperWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || message == WM_TIMER) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

int ShowWindowInFront(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HelperWindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  ::RegisterClassA(&windowClass);
  tandry::ScopedWindow window(
      ::CreateWindowExA(0, className, "Tandry test helper", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400,
                        300, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr));
  if (!window) return 3;
  ::SetForegroundWindow(window.get());
  ::SetTimer(window.get(), 1, kLongestWait, nullptr);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}

int LoadAndHold(const char* dll, const char* loaded, const char* release) {
  tandry::ScopedModule library(::LoadLibraryA(dll));
  if (!library) return 2;
  if (std::strcmp(loaded, "-") == 0) return 0;
  tandry::ScopedHandle loadedEvent(::OpenEventA(EVENT_MODIFY_STATE, FALSE, loaded));
  tandry::ScopedHandle releaseEvent(::OpenEventA(SYNCHRONIZE, FALSE, release));
  if (!loadedEvent || !releaseEvent) return 4;
  ::SetEvent(loadedEvent.get());
  ::WaitForSingleObject(releaseEvent.get(), kLongestWait);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "window") == 0) return ShowWindowInFront(argv[2]);
  if (argc == 5 && std::strcmp(argv[1], "load") == 0) return LoadAndHold(argv[2], argv[3], argv[4]);
  if (argc == 2 && std::strcmp(argv[1], "mutex") == 0) {
    return tandry_test::LibraryMutexExists() ? 0 : 1;
  }
  return 64;
}
