#include "WindowCapture.h"

#include <cstring>

#include "ScopedWin.h"

namespace tandry::standin {

Capture CaptureWindow(HWND window) {
  Capture capture;
  RECT rect;
  if (!GetWindowRect(window, &rect)) return capture;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return capture;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ScopedGetDC screen(nullptr);
  void* bits = nullptr;
  ScopedGdiObj<HBITMAP> bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ScopedMemDC dc(CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return capture;
  {
    ScopedSelect selected(dc.get(), bitmap.get());
    PrintWindow(window, dc.get(), 0);
    GdiFlush();
  }
  capture.width = width;
  capture.height = height;
  capture.pixels.resize(static_cast<std::size_t>(width) * height);
  std::memcpy(capture.pixels.data(), bits, capture.pixels.size() * sizeof(std::uint32_t));
  return capture;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace tandry::standin
