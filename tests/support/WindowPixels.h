// A window's pixels as it paints them into a memory bitmap, for tests that look at what a window
// shows without depending on what covers it on the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace tandry::wintest {

class WindowPixels {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The colour at (x, y), counted from the top-left; CLR_INVALID outside the picture.
  COLORREF At(int x, int y) const;
  // Pixels in `area` for which `test` holds.
  int Count(const RECT& area, const std::function<bool(COLORREF)>& test) const;
  // Pixels of exactly `colour` in the whole picture.
  int Count(COLORREF colour) const;
  bool operator==(const WindowPixels& other) const { return pixels_ == other.pixels_; }

 private:
  friend WindowPixels ClientPixels(HWND window);
  friend WindowPixels WholeWindowPixels(HWND window);
  friend WindowPixels ScreenPixels(HWND window);
  // What `print` paints into a 32-bit bitmap of `width` x `height`; empty when there is none.
  WindowPixels(int width, int height, const std::function<void(HDC)>& print);

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

// The client area, as the window paints it on WM_PRINTCLIENT.
WindowPixels ClientPixels(HWND window);
// The whole window, as PrintWindow (flags 0) gives it; empty when the window has no area.
WindowPixels WholeWindowPixels(HWND window);
// The client area as it is on the screen, copied from the window's device context.
WindowPixels ScreenPixels(HWND window);

}  // namespace tandry::wintest
