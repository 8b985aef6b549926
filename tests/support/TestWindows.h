// Windows for tests to put on the desktop, and the windows and monitors that are there.
#pragma once

#include <windows.h>

#include <vector>

namespace tandry::wintest {

// A visible top-level window of this thread with a white background and no behaviour of its
// own; the class is registered on first use.
class TestWindow {
 public:
  TestWindow(const char* className, DWORD style, const RECT& rect);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// The top-level windows of this thread, hidden ones included.
std::vector<HWND> ThreadWindows();
// The visible top-level windows of this thread other than `except`.
std::vector<HWND> VisibleThreadWindows(HWND except = nullptr);

RECT WindowRectOf(HWND window);
// A visible top-level window of this thread, other than `except`, whose rectangle is exactly
// `rect` (a monitor's, say); null when there is none.
HWND WindowCovering(const RECT& rect, HWND except = nullptr);

// The rectangles of the system's monitors, in the order the system lists them.
std::vector<RECT> SystemMonitorRects();

// Presses and releases `key` with `modifier` held, as the keyboard sends them, to whatever
// window has the focus; the number of key events the system took (4 when all of them).
UINT PressChord(WORD modifier, WORD key);

}  // namespace tandry::wintest
