#include "ShortcutsUnit.h"

#include <exception>
#include <string>
#include <type_traits>

#include "Contained.h"

namespace tandry {

namespace {

constexpr char kFormClass[] = "TKeyboardShortcutsForm";
constexpr char kFormCaption[] = "Keyboard Shortcuts";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 1000;
constexpr char kExceptionCaption[] = "Tandry Exception";
constexpr char kUnknownError[] = "The shortcut's procedure failed with an unknown error.";

std::unique_ptr<TKeyboardShortcutsForm> g_form;

std::string GetWindowClassName(HWND window) {
  char name[131];
  const int length = ::GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

bool IsOfThisProcess(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process == ::GetCurrentProcessId();
}

ForegroundWindow CurrentForeground() {
  ForegroundWindow foreground;
  const HWND window = ::GetForegroundWindow();
  if (!window) return foreground;
  foreground.exists = true;
  foreground.className = GetWindowClassName(window);
  foreground.ofThisProcess = IsOfThisProcess(window);
  return foreground;
}

void ReportShortcutError(const char* text) {
  ::MessageBoxA(nullptr, text, kExceptionCaption, MB_ICONERROR | MB_OK);
}

// The procedure runs inside the hot-key dispatch, and nothing it throws may leave the window
// procedure: a std::exception is reported with its own text, anything else with a general one.
void RunShortcut(ShortcutProc callback) {
  try {
    callback();
  } catch (const std::exception& error) {
    ReportShortcutError(error.what());
  } catch (...) {
    ReportShortcutError(kUnknownError);
  }
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TKeyboardShortcutsForm*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form && message == WM_HOTKEY) {
    Contained([&] { form->WMHotKey(wParam); });
    return 0;
  }
  if (form && message == WM_TIMER && wParam == kTimerId) {
    Contained([&] { form->TimerTimer(); });
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TKeyboardShortcutsForm::TKeyboardShortcutsForm() = default;

// The hot keys go down while the window still stands; the window then takes its timer along,
// after it has forgotten the form, so that no message of its destruction reaches a form that
// is half gone.
TKeyboardShortcutsForm::~TKeyboardShortcutsForm() {
  shortcuts_.ClearShortcuts();
  ForgetForm();
}

std::uint32_t TKeyboardShortcutsForm::AddShortcut(std::int32_t key, std::int32_t modifiers,
                                                  ShortcutProc callback) {
  HandleNeeded();
  return shortcuts_.AddShortcut(key, modifiers, callback);
}

void TKeyboardShortcutsForm::RemoveShortcut(ShortcutAtom id) { shortcuts_.RemoveShortcut(id); }

void TKeyboardShortcutsForm::TimerTimer() { shortcuts_.TimerTimer(CurrentForeground()); }

void TKeyboardShortcutsForm::WMHotKey(WPARAM id) {
  const ShortcutProc callback = shortcuts_.ShortcutToRun(
      static_cast<ShortcutAtom>(id & 0xFFFF), IsOfThisProcess(::GetForegroundWindow()));
  if (callback) RunShortcut(callback);
}

void TKeyboardShortcutsForm::ForgetForm() {
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

void TKeyboardShortcutsForm::AbandonWindow() {
  // A tick or hot key dispatched later in the process's exit must not reach the freed form.
  ForgetForm();
  window_.release();
  class_.release();
}

// A message-only window is enough: it receives hot keys and timer ticks and is never shown.
void TKeyboardShortcutsForm::HandleNeeded() {
  if (window_) return;
  if (!class_) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FormWindowProc;
    windowClass.hInstance = ThisModule();
    windowClass.lpszClassName = kFormClass;
    class_.reset(::RegisterClassA(&windowClass));
  }
  window_.reset(::CreateWindowExA(0, kFormClass, kFormCaption, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, ThisModule(), this));
  if (window_) ::SetTimer(window_.get(), kTimerId, kTimerInterval, nullptr);
}

ShortcutAtom TKeyboardShortcutsForm::AddAtom(const std::string& name) {
  return ::GlobalAddAtomA(name.c_str());
}

void TKeyboardShortcutsForm::DeleteAtom(ShortcutAtom atom) { ::GlobalDeleteAtom(atom); }

void TKeyboardShortcutsForm::RegisterHotKey(ShortcutAtom id, std::int32_t modifiers,
                                            std::int32_t key) {
  if (window_) {
    ::RegisterHotKey(window_.get(), id, static_cast<UINT>(modifiers), static_cast<UINT>(key));
  }
}

void TKeyboardShortcutsForm::UnregisterHotKey(ShortcutAtom id) {
  if (window_) ::UnregisterHotKey(window_.get(), id);
}

TKeyboardShortcutsForm* KeyboardShortcutsForm() { return g_form.get(); }

void CreateKeyboardShortcutsForm() { g_form = std::make_unique<TKeyboardShortcutsForm>(); }

void FreeKeyboardShortcutsForm(bool processEnding) {
  if (g_form && processEnding) g_form->AbandonWindow();
  g_form.reset();
}

}  // namespace tandry

using namespace tandry;

static_assert(std::is_same_v<TShortcutProc, ShortcutProc>,
              "the list keeps the procedures that callers hand in");

TANDRYCORE_API std::uint32_t __stdcall RegisterShortcut(std::int32_t key, std::int32_t modifiers,
                                                        TShortcutProc callback) {
  return Contained(std::uint32_t{0}, [&] {
    TKeyboardShortcutsForm* form = KeyboardShortcutsForm();
    return form ? form->AddShortcut(key, modifiers, callback) : 0;
  });
}

TANDRYCORE_API void __stdcall UnregisterShortcut(std::uint32_t id) {
  Contained([&] {
    if (TKeyboardShortcutsForm* form = KeyboardShortcutsForm()) {
      form->RemoveShortcut(static_cast<ShortcutAtom>(id & 0xFFFF));
    }
  });
}
