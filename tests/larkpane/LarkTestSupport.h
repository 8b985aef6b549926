// What the larkpane window tests share: the bench's monitors, colours, the larkpane windows of
// this thread, and a window that stands for the show window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
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
using tandry::wintest::ScreenPixels;
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
bool SameRect(const RECT& a, const RECT& b);

bool IsBright(COLORREF colour);

// Where a slide with no black pixel is shown inside `area` of `shot`: the smallest rectangle
// holding every pixel there that is not black.
RECT ShownArea(const WindowPixels& shot, const RECT& area);

// A BMP file drawn into a rectangle as slide windows drew it when they stretched the whole file
// at every paint: StretchDIBits in HALFTONE mode. The reference for what they show now.
class StretchedReference {
 public:
  StretchedReference(const std::string& bmpPath, const RECT& into);
  // The colour at (x, y) in the coordinates of `into`.
  COLORREF At(int x, int y) const;

 private:
  RECT into_;
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

// Checks a grid of points inside `image` of `shot` (clear of its edges and of the slide number
// in the top-left corner) against the stretched reference, each colour within `tolerance`.
void ExpectLooksStretched(const WindowPixels& shot, const RECT& image,
                          const std::string& bmpPath, int tolerance);

// Whether `a` and `b` have the same colours everywhere in `area`.
bool SamePixels(const WindowPixels& a, const WindowPixels& b, const RECT& area);

// A slide with gentle colour changes everywhere and no black, as a photograph or a shaded
// background has: scaling by area and the stretching of before agree on it within a few levels.
void WriteShadedBmp(const std::string& path, int width, int height, int bits, bool topDown);

// A top-most window over `rect` that is never activated, as another program's window passing
// over a slide window.
class Cover {
 public:
  explicit Cover(const RECT& rect);
  ~Cover();
  Cover(const Cover&) = delete;
  Cover& operator=(const Cover&) = delete;

 private:
  HWND window_;
};

// A plain visible top-level window of this thread, in front; stands for the show window.
class ForegroundWindow {
 public:
  explicit ForegroundWindow(const Monitor& rect);
  HWND get() const { return window_.get(); }

 private:
  tandry::wintest::TestWindow window_;
};

}  // namespace larktest
