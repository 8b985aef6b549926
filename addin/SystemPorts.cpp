// Registry values and message boxes for the add-in.
#include "SystemPorts.h"

#include <windows.h>

#include <string>

#include "ModuleState.h"
#include "NestedStack.h"
#include "ScopedWin.h"

namespace tandry::addin {
namespace {

constexpr wchar_t kOptionsKey[] = L"Software\\VB and VBA Program Settings\\Tandry\\Options";

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// A value written by hand or by another tool may be an expandable string: its text counts as
// it stands, with no environment variables expanded, as a plain string's does.
bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The windows of the message boxes that Show has open, innermost first; null while a box's
// window is not known (yet).
NestedStack<HWND> openBoxes;

bool IsDialogWindow(HWND window) {
  wchar_t name[8] = {};
  return ::GetClassNameW(window, name, 8) > 0 && ::lstrcmpW(name, L"#32770") == 0;
}

// The thread's window-creation hook while Show waits for a box: the first dialog window created
// after the innermost box's entry is that box. Boxes shown by a nested Show are learnt by that
// Show's own hook, which runs first.
LRESULT CALLBACK LearnBoxWindow(int code, WPARAM wParam, LPARAM lParam) {
  NestedStack<HWND>::Entry* const innermost = openBoxes.Innermost();
  const HWND created = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND && innermost && !innermost->item && IsDialogWindow(created)) {
    innermost->item = created;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

std::optional<std::u16string> RegistrySettings::Read(std::u16string_view name,
                                                     std::u16string_view fallback) {
  ScopedRegKey key;
  HKEY opened = nullptr;
  const LSTATUS openStatus =
      RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_QUERY_VALUE, &opened);
  key.reset(opened);
  if (openStatus == ERROR_FILE_NOT_FOUND) return std::u16string(fallback);
  if (openStatus != ERROR_SUCCESS) return std::nullopt;

  const std::wstring valueName = Wide(name);
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::u16string(fallback);
  if (status != ERROR_SUCCESS || !IsText(type)) return std::nullopt;
  // Room for every byte the value holds, an odd last one included.
  std::u16string text((size + 1) / sizeof(char16_t), u'\0');
  status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(text.data()), &size);
  if (status != ERROR_SUCCESS || !IsText(type)) return std::nullopt;
  text.resize(size / sizeof(char16_t));
  // The terminating NUL that every write adds; NULs inside belong to the text.
  if (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

bool RegistrySettings::Write(std::u16string_view name, std::u16string_view text) {
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &created, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const ScopedRegKey key(created);
  const std::u16string data = std::u16string(text) + u'\0';
  return RegSetValueExW(key.get(), Wide(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size() * sizeof(char16_t))) == ERROR_SUCCESS;
}

// The hook is there only while MessageBoxW runs, and goes before the box's entry.
void SystemMessageBoxes::Show(std::u16string_view text, MessageIcon icon) {
  const std::wstring message = Wide(text);
  const std::wstring title = Wide(kProductName);
  const NestedStack<HWND>::Entry box(openBoxes, nullptr);
  const ScopedHook hook(
      ::SetWindowsHookExW(WH_CBT, LearnBoxWindow, nullptr, ::GetCurrentThreadId()));
  ::MessageBoxW(::GetActiveWindow(), message.c_str(), title.c_str(),
                MB_OK | static_cast<UINT>(icon));
}

void SystemMessageBoxes::CloseAll() {
  openBoxes.ForEach([](HWND box) {
    if (box) ::EndDialog(box, IDOK);
  });
}

}  // namespace tandry::addin
