#include "TestWindows.h"

namespace tandry::wintest {
namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectMonitorRect(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
  return TRUE;
}

}  // namespace

TestWindow::TestWindow(const char* className, DWORD style, const RECT& rect) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = className;
  ::RegisterClassA(&windowClass);  // already registered by an earlier window: fine
  window_ = ::CreateWindowExA(0, className, className, style | WS_VISIBLE, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
}

TestWindow::~TestWindow() { ::DestroyWindow(window_); }

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> VisibleThreadWindows(HWND except) {
  std::vector<HWND> visible;
  for (HWND window : ThreadWindows()) {
    if (window != except && ::IsWindowVisible(window)) visible.push_back(window);
  }
  return visible;
}

RECT WindowRectOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

std::vector<RECT> SystemMonitorRects() {
  std::vector<RECT> rects;
  ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitorRect, reinterpret_cast<LPARAM>(&rects));
  return rects;
}

HWND WindowCovering(const RECT& rect, HWND except) {
  for (HWND window : VisibleThreadWindows(except)) {
    const RECT actual = WindowRectOf(window);
    if (::EqualRect(&actual, &rect)) return window;
  }
  return nullptr;
}

UINT PressChord(WORD modifier, WORD key) {
  const WORD sequence[4][2] = {
      {modifier, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {modifier, KEYEVENTF_KEYUP}};
  INPUT keys[4]{};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i][0];
    keys[i].ki.dwFlags = sequence[i][1];
  }
  return ::SendInput(4, keys, sizeof(INPUT));
}

}  // namespace tandry::wintest
