// The user's side of the dialog tests.
#include "DialogDriver.h"

#include <thread>

#include "MessagePump.h"

namespace tandry::wintest {

namespace {

constexpr DWORD kWaitMs = 5000;

bool OwnVisibleWindow(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return window && process == ::GetCurrentProcessId() && ::IsWindowVisible(window);
}

HWND FindOwnDialog(const wchar_t* caption) {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, L"#32770", caption); window;
       window = ::FindWindowExW(nullptr, window, L"#32770", caption)) {
    if (OwnVisibleWindow(window)) return window;
  }
  return nullptr;
}

// Closes the visible dialogs of `thread` (message boxes, the about box, the password dialogs,
// the settings dialog) until none is left.
void CloseWhatIsOpen(DWORD thread) {
  for (int round = 0; round < 20; ++round) {
    bool open = false;
    ::EnumThreadWindows(
        thread,
        [](HWND window, LPARAM context) -> BOOL {
          wchar_t kind[16] = {};
          ::GetClassNameW(window, kind, 16);
          if (::IsWindowVisible(window) && std::wstring(kind) == L"#32770") {
            *reinterpret_cast<bool*>(context) = true;
            ::PostMessageW(window, WM_CLOSE, 0, 0);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&open));
    if (!open) return;
    ::Sleep(200);
  }
}

}  // namespace

HWND WaitForDialog(const wchar_t* caption) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindOwnDialog(caption)) != nullptr; }, kWaitMs);
  return found;
}

bool WaitUntilHidden(HWND window) {
  return WaitUntil([window] { return !::IsWindowVisible(window); }, kWaitMs);
}

bool WaitUntilClosed(HWND window, HWND dialog) {
  if (!WaitUntil([window] { return !::IsWindow(window); }, kWaitMs)) return false;
  // Handled once the dialog's own loop runs again, after the handler.
  ::SendMessageW(dialog, WM_NULL, 0, 0);
  return true;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

std::wstring ControlText(HWND dialog, int id) { return TextOf(::GetDlgItem(dialog, id)); }

bool ControlEnabled(HWND dialog, int id) {
  return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

bool ControlChecked(HWND dialog, int id) {
  return ::SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::wstring> ListItems(HWND dialog, int id) {
  std::vector<std::wstring> items;
  const LRESULT count = ::SendDlgItemMessageW(dialog, id, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ::SendDlgItemMessageW(dialog, id, LB_GETTEXTLEN, WPARAM(i), 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::SendDlgItemMessageW(
        dialog, id, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

int ListSelection(HWND dialog, int id) {
  return static_cast<int>(::SendDlgItemMessageW(dialog, id, LB_GETCURSEL, 0, 0));
}

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
}

void Click(HWND dialog, int id) { ::SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void ClickLater(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void ClickItem(HWND dialog, int id, int index) {
  RECT item{};
  ::SendDlgItemMessageW(dialog, id, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  const LPARAM point = MAKELPARAM(middle.x, middle.y);
  const HWND list = ::GetDlgItem(dialog, id);
  // The list box tracks the real pointer while its button is down, so the pointer goes where
  // the click is, as a user's would.
  ::ClientToScreen(list, &middle);
  ::SetCursorPos(middle.x, middle.y);
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  ::SendMessageW(list, WM_LBUTTONUP, 0, point);
}

void FocusControl(HWND dialog, int id) {
  ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, id)), TRUE);
}

void Type(HWND dialog, int id, const std::wstring& text) {
  for (wchar_t c : text) ::SendDlgItemMessageW(dialog, id, WM_CHAR, c, 1);
}

void PressKey(HWND dialog, WPARAM key) {
  const HWND focus = FocusOf(dialog);
  ::PostMessageW(focus ? focus : dialog, WM_KEYDOWN, key, 1);
}

std::wstring AnswerMessageBox(HWND dialog) {
  const HWND box = WaitForDialog(L"Tandry");
  if (!box) return L"";
  std::wstring message;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {};
    ::GetClassNameW(child, kind, 16);
    if (std::wstring(kind) == L"Static" && !TextOf(child).empty()) message = TextOf(child);
  }
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitUntilClosed(box, dialog);
  return message;
}

void DriveDialog(const wchar_t* caption, const std::function<void()>& call,
                 const std::function<void(HWND)>& script) {
  const DWORD thread = ::GetCurrentThreadId();
  std::thread driver([&] {
    if (const HWND dialog = WaitForDialog(caption)) {
      ::SendMessageW(dialog, WM_NULL, 0, 0);  // handled once the modal show runs its loop
      script(dialog);
    }
    CloseWhatIsOpen(thread);
  });
  call();
  driver.join();
}

}  // namespace tandry::wintest
