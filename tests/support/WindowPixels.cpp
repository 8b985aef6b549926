#include "WindowPixels.h"

#include <algorithm>

#include "ScopedWin.h"

namespace tandry::wintest {

WindowPixels::WindowPixels(int width, int height, const std::function<void(HDC)>& print) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedMemDC dc(::CreateCompatibleDC(nullptr));
  ScopedGdiObj<HBITMAP> bitmap(
      ::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap) return;
  {
    ScopedSelect select(dc.get(), bitmap.get());
    print(dc.get());
    ::GdiFlush();
  }
  width_ = width;
  height_ = height;
  const auto* first = static_cast<const std::uint32_t*>(bits);
  pixels_.assign(first, first + std::size_t(width) * height);
}

COLORREF WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const std::uint32_t p = pixels_[std::size_t(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int WindowPixels::Count(const RECT& area, const std::function<bool(COLORREF)>& test) const {
  int count = 0;
  for (int y = std::max<LONG>(0, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
    for (int x = std::max<LONG>(0, area.left); x < std::min<LONG>(width_, area.right); ++x) {
      if (test(At(x, y))) ++count;
    }
  }
  return count;
}

int WindowPixels::Count(COLORREF colour) const {
  return Count(RECT{0, 0, width_, height_}, [colour](COLORREF c) { return c == colour; });
}

WindowPixels ClientPixels(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return WindowPixels(client.right, client.bottom, [window](HDC dc) {
    ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                   PRF_CLIENT | PRF_ERASEBKGND);
  });
}

WindowPixels WholeWindowPixels(HWND window) {
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) return WindowPixels(0, 0, nullptr);
  return WindowPixels(rect.right - rect.left, rect.bottom - rect.top,
                      [window](HDC dc) { ::PrintWindow(window, dc, 0); });
}

WindowPixels ScreenPixels(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return WindowPixels(client.right, client.bottom, [window, client](HDC dc) {
    ScopedGetDC screen(window);
    ::BitBlt(dc, 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY);
  });
}

}  // namespace tandry::wintest
