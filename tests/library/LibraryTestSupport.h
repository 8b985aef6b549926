// Small tools of the library's Windows tests: windows to put in front, hot-key probes, the
// library's marks, dialogs of this process, and the helper program that plays a second process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "MessagePump.h"
#include "ScopedWin.h"

namespace tandry_test {

// Puts `window` in front and waits until the system reports it there.
inline bool BringToFront(HWND window) {
  ::SetForegroundWindow(window);
  return tandry::wintest::PumpUntil([window] { return ::GetForegroundWindow() == window; }, 3000);
}

// Whether some window holds this hot key: a second registration of it is refused.
inline bool HotKeyTaken(UINT modifiers, UINT key) {
  constexpr int kProbeId = 0xBFFF;
  if (!::RegisterHotKey(nullptr, kProbeId, modifiers, key)) return true;
  ::UnregisterHotKey(nullptr, kProbeId);
  return false;
}

inline bool AtomExists(const char* name) { return ::GlobalFindAtomA(name) != 0; }

inline bool LibraryMutexExists() {
  const HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, "Tandry");
  if (!mutex) return false;
  ::CloseHandle(mutex);
  return true;
}

// The folder of this test program, with a trailing backslash.
inline std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The texts of a window's children, in order.
inline std::vector<std::string> ChildTexts(HWND window) {
  std::vector<std::string> texts;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char text[256] = "";
    ::GetWindowTextA(child, text, sizeof text);
    texts.emplace_back(text);
  }
  return texts;
}

// A window of this process with the given class and caption, once it appears.
inline HWND WaitForOwnWindow(const char* className, const char* caption, DWORD timeoutMs = 5000) {
  HWND found = nullptr;
  const bool appeared = tandry::wintest::WaitUntil(
      [&] {
        found = ::FindWindowA(className, caption);
        DWORD process = 0;
        if (found) ::GetWindowThreadProcessId(found, &process);
        return found && process == ::GetCurrentProcessId() && ::IsWindowVisible(found);
      },
      timeoutMs);
  return appeared ? found : nullptr;
}

// The helper program, started with `arguments` and ended by its destructor should it still run.
class HelperProcess {
 public:
  explicit HelperProcess(const std::string& arguments,
                         const std::string& program = ProgramFolder() + "library_test_helper.exe",
                         const char* folder = nullptr) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         folder, &startup, &process)) {
      process_.reset(process.hProcess);
      thread_.reset(process.hThread);
    }
  }
  ~HelperProcess() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.get(), 99);
      ::WaitForSingleObject(process_.get(), 5000);
    }
  }
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  // The exit code once the helper ended (bounded wait); -1 if it did not start or end.
  long ExitCode(DWORD timeoutMs = 20000) const {
    DWORD code = static_cast<DWORD>(-1);
    if (process_ && ::WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0) {
      ::GetExitCodeProcess(process_.get(), &code);
    }
    return static_cast<long>(code);
  }
  DWORD Id() const { return process_ ? ::GetProcessId(process_.get()) : 0; }

 private:
  tandry::ScopedHandle process_;
  tandry::ScopedHandle thread_;
};

}  // namespace tandry_test
