// What the larkpane window tests share: BMP files written on the spot, the larkpane windows of
// this thread, and captures of a window through WM_PRINTCLIENT.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "larkpane.h"

namespace larktest {

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

// A folder of its own under the temporary directory, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string Path(const std::string& name) const { return folder_ + name; }

 private:
  std::string folder_;
};

// Writes a BMP of `width` x `height` whose pixel (x, y), counted from the top, is
// colour(x, y); `bits` is 24 or 32, and `topDown` stores the rows top first.
void WriteBmp(const std::string& path, int width, int height, int bits, bool topDown,
              const std::function<COLORREF(int, int)>& colour);
void WriteSolidBmp(const std::string& path, int width, int height, COLORREF colour);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

// larkpane's windows of this thread.
std::vector<HWND> LarkWindows();
// The one larkpane window that `create` opens, and the handle it returns.
HWND CreatedWindow(const std::function<LarkScreenHandle()>& create, LarkScreenHandle& handle);

bool WindowRectIs(HWND window, const Monitor& rect);

// The client area as the window paints it on WM_PRINTCLIENT.
class Capture {
 public:
  explicit Capture(HWND window);
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // Pixels in the rectangle for which `test` holds.
  int Count(const RECT& area, const std::function<bool(COLORREF)>& test) const;
  bool operator==(const Capture& other) const { return pixels_ == other.pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

bool IsBright(COLORREF colour);

// A plain visible top-level window of this thread, in front; stands for the show window.
class ForegroundWindow {
 public:
  explicit ForegroundWindow(const Monitor& rect);
  ~ForegroundWindow();
  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Lets the window system deliver what is queued for this thread.
void PumpMessages();

}  // namespace larktest
