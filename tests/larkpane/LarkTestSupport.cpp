#include "LarkTestSupport.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ScopedWin.h"

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

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool IsBright(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) > 300;
}

RECT ShownArea(const WindowPixels& shot, const RECT& area) {
  RECT shown{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (shot.At(x, y) == kBlack) continue;
      shown.left = std::min<LONG>(shown.left, x);
      shown.top = std::min<LONG>(shown.top, y);
      shown.right = std::max<LONG>(shown.right, x + 1);
      shown.bottom = std::max<LONG>(shown.bottom, y + 1);
    }
  }
  return shown;
}

StretchedReference::StretchedReference(const std::string& bmpPath, const RECT& into)
    : into_(into) {
  const std::vector<std::uint8_t> file = ReadBytes(bmpPath);
  const int width = into.right - into.left, height = into.bottom - into.top;
  BITMAPINFO target{};
  target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  target.bmiHeader.biWidth = width;
  target.bmiHeader.biHeight = -height;
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 32;
  target.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  tandry::ScopedMemDC dc(::CreateCompatibleDC(nullptr));
  tandry::ScopedGdiObj<HBITMAP> bitmap(
      ::CreateDIBSection(dc.get(), &target, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap || file.size() <= 54) {
    ADD_FAILURE() << "no reference for " << bmpPath;
    return;
  }
  BITMAPINFO source{};
  std::memcpy(&source.bmiHeader, file.data() + 14, sizeof(BITMAPINFOHEADER));
  std::uint32_t pixelOffset = 0;
  std::memcpy(&pixelOffset, file.data() + 10, sizeof pixelOffset);
  {
    tandry::ScopedSelect select(dc.get(), bitmap.get());
    ::SetStretchBltMode(dc.get(), HALFTONE);
    ::SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    ::StretchDIBits(dc.get(), 0, 0, width, height, 0, 0, source.bmiHeader.biWidth,
                    std::abs(source.bmiHeader.biHeight), file.data() + pixelOffset, &source,
                    DIB_RGB_COLORS, SRCCOPY);
    ::GdiFlush();
  }
  const auto* first = static_cast<const std::uint32_t*>(bits);
  pixels_.assign(first, first + std::size_t(width) * height);
}

COLORREF StretchedReference::At(int x, int y) const {
  if (pixels_.empty()) return CLR_INVALID;
  const std::uint32_t p =
      pixels_[std::size_t(y - into_.top) * (into_.right - into_.left) + (x - into_.left)];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void ExpectLooksStretched(const WindowPixels& shot, const RECT& image,
                          const std::string& bmpPath, int tolerance) {
  const StretchedReference reference(bmpPath, image);
  const int width = image.right - image.left, height = image.bottom - image.top;
  for (int row = 1; row <= 4; ++row) {
    for (int column = 1; column <= 6; ++column) {
      const int x = image.left + width * column / 7, y = image.top + height * row / 5;
      const COLORREF shown = shot.At(x, y), expected = reference.At(x, y);
      const auto close = [&](int a, int b) { return std::abs(a - b) <= tolerance; };
      EXPECT_TRUE(close(GetRValue(shown), GetRValue(expected)) &&
                  close(GetGValue(shown), GetGValue(expected)) &&
                  close(GetBValue(shown), GetBValue(expected)))
          << "at " << x << "," << y << ": shown " << std::hex << shown << ", stretched "
          << expected;
    }
  }
}

bool SamePixels(const WindowPixels& a, const WindowPixels& b, const RECT& area) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (a.At(x, y) != b.At(x, y)) return false;
    }
  }
  return true;
}

void WriteShadedBmp(const std::string& path, int width, int height, int bits, bool topDown) {
  WriteBmp(path, width, height, bits, topDown, [=](int x, int y) {
    return RGB(30 + 200 * x / width, 30 + 200 * y / height, 60 + 150 * (x + y) / (width + height));
  });
}

Cover::Cover(const RECT& rect)
    : window_(::CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, "STATIC",
                                "", WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr)) {
  ::ShowWindow(window_, SW_SHOWNOACTIVATE);
  PumpMessagesBriefly();
}

Cover::~Cover() {
  ::DestroyWindow(window_);
  PumpMessagesBriefly();
}

ForegroundWindow::ForegroundWindow(const Monitor& m)
    : window_("LarkTestShow", WS_POPUP, RECT{m.left, m.top, m.left + m.width, m.top + m.height}) {
  ::SetForegroundWindow(window_.get());
  PumpMessagesBriefly();
}

}  // namespace larktest
