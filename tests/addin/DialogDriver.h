// Driving the add-in's real dialogs as a user would, from a second thread while the dialog's
// modal show runs on the test's thread: clicks, item clicks, typed characters and keys through
// window messages, and what the dialogs show read back from their windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tandry::wintest {

// A visible dialog of this process with this caption, once it is there; null after a few
// seconds without one.
HWND WaitForDialog(const wchar_t* caption);
// Waits until `window` is hidden or gone; false after a few seconds.
bool WaitUntilHidden(HWND window);
// Waits until `window`, opened over `dialog` by one of its handlers, is gone and that handler
// has ended; false after a few seconds.
bool WaitUntilClosed(HWND window, HWND dialog);

std::wstring TextOf(HWND window);
std::wstring ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
bool ControlChecked(HWND dialog, int id);
std::vector<std::wstring> ListItems(HWND dialog, int id);
int ListSelection(HWND dialog, int id);
// The control of `dialog` that has the keyboard focus.
HWND FocusOf(HWND dialog);

// A click on a button or check box that returns when its handler has run.
void Click(HWND dialog, int id);
// A click whose handler opens a modal window: it returns at once.
void ClickLater(HWND dialog, int id);
// A click on item `index` of a list box.
void ClickItem(HWND dialog, int id, int index);
// Puts the keyboard focus on a control, as a click on it would.
void FocusControl(HWND dialog, int id);
// Characters typed into a text box.
void Type(HWND dialog, int id, const std::wstring& text);
// A key pressed in the dialog, where its focus is; returns at once.
void PressKey(HWND dialog, WPARAM key);

// Closes the message box titled "Tandry" that a handler of `dialog` shows, with its OK button,
// and waits until that handler has ended; the message, or nothing when no box came.
std::wstring AnswerMessageBox(HWND dialog);

// Runs `call` on this thread and `script` on a second one, against the dialog titled `caption`
// that `call` shows modally; returns when both have ended. Whatever the script leaves open is
// closed, so that a failing script cannot hang the modal show.
void DriveDialog(const wchar_t* caption, const std::function<void()>& call,
                 const std::function<void(HWND)>& script);

}  // namespace tandry::wintest
