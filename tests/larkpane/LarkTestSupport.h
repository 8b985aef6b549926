// What the larkpane window tests share: the bench's monitors, colours, the larkpane windows of
// this thread, and a window that stands for the show window.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "MessagePump.h"
#include "TestFiles.h"
#include "TestWindows.h"
#include "WindowPixels.h"
#include "larkpane.h"

namespace larktest {

using tandry::wintest::ClientPixels;
using tandry::wintest::PumpMessagesBriefly;
using tandry::wintest::ReadBytes;
using tandry::wintest::TempFolder;
using tandry::wintest::WindowPixels;
using tandry::wintest::WriteBmp;
using tandry::wintest::WriteBytes;
using tandry::wintest::WriteSolidBmp;

struct Monitor {
  LONG left, top, width, height;
};
// The test bench's three monitors.
inline constexpr Monitor kPrimary{0, 0, 1920, 1080};
inline constexpr Monitor kLeft{-1280, 0, 1280, 1024};
inline constexpr Monitor kRight{1920, 0, 1920, 1080};
// Rectangles that are no monitor's, for tests that are not about placement: Wine's X11 driver
// takes a popup covering a whole monitor for a managed window and, with no window manager on the
// bench, waits 2 s for one when it closes.
inline constexpr Monitor kWindowed{100, 80, 960, 540};
inline constexpr Monitor kWindowedLeft{-1180, 100, 640, 512};

inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kRed = RGB(220, 20, 30);
inline constexpr COLORREF kGreen = RGB(30, 200, 40);
inline constexpr COLORREF kBlue = RGB(20, 40, 210);
inline constexpr COLORREF kYellow = RGB(240, 220, 10);

// larkpane's windows of this thread.
std::vector<HWND> LarkWindows();
// The one larkpane window that `create` opens, and the handle it returns.
HWND CreatedWindow(const std::function<LarkScreenHandle()>& create, LarkScreenHandle& handle);

bool WindowRectIs(HWND window, const Monitor& rect);

bool IsBright(COLORREF colour);

// A plain visible top-level window of this thread, in front; stands for the show window.
class ForegroundWindow {
 public:
  explicit ForegroundWindow(const Monitor& rect);
  HWND get() const { return window_.get(); }

 private:
  tandry::wintest::TestWindow window_;
};

}  // namespace larktest
