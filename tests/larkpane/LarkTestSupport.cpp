#include "LarkTestSupport.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <string>

namespace larktest {

std::vector<HWND> LarkWindows() {
  std::vector<HWND> windows;
  for (HWND window : tandry::wintest::ThreadWindows()) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (std::string(name) == "LarkPaneSlides" || std::string(name) == "LarkPaneNotes") {
      windows.push_back(window);
    }
  }
  return windows;
}

HWND CreatedWindow(const std::function<LarkScreenHandle()>& create, LarkScreenHandle& handle) {
  const std::vector<HWND> before = LarkWindows();
  handle = create();
  HWND created = nullptr;
  int count = 0;
  for (HWND window : LarkWindows()) {
    if (std::find(before.begin(), before.end(), window) == before.end()) {
      created = window;
      ++count;
    }
  }
  EXPECT_EQ(count, handle != 0 ? 1 : 0) << "windows opened by one create";
  return created;
}

bool WindowRectIs(HWND window, const Monitor& m) {
  const RECT rect = tandry::wintest::WindowRectOf(window);
  return rect.left == m.left && rect.top == m.top && rect.right == m.left + m.width &&
         rect.bottom == m.top + m.height;
}

bool IsBright(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) > 300;
}

ForegroundWindow::ForegroundWindow(const Monitor& m)
    : window_("LarkTestShow", WS_POPUP, RECT{m.left, m.top, m.left + m.width, m.top + m.height}) {
  ::SetForegroundWindow(window_.get());
  PumpMessagesBriefly();
}

}  // namespace larktest
