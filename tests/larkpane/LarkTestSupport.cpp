#include "LarkTestSupport.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>

#include "ScopedWin.h"

namespace larktest {
namespace {

BOOL CALLBACK CollectLarkWindow(HWND window, LPARAM list) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof(name));
  if (std::string(name) == "LarkPaneSlides" || std::string(name) == "LarkPaneNotes") {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

void Put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TempFolder::TempFolder() {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "larkpane-test-" + std::to_string(::GetCurrentProcessId()) + "\\";
  ::CreateDirectoryA(folder_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder_ + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = folder_ + found.cFileName;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ::RemoveDirectoryA(path.c_str());
      } else {
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(folder_.c_str());
}

void WriteBmp(const std::string& path, int width, int height, int bits, bool topDown,
              const std::function<COLORREF(int, int)>& colour) {
  const int stride = (width * bits + 31) / 32 * 4;
  std::vector<std::uint8_t> bytes;
  bytes.push_back('B');
  bytes.push_back('M');
  Put(bytes, 54 + stride * height, 4);
  Put(bytes, 0, 4);
  Put(bytes, 54, 4);
  Put(bytes, 40, 4);
  Put(bytes, width, 4);
  Put(bytes, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  Put(bytes, 1, 2);
  Put(bytes, bits, 2);
  Put(bytes, 0, 4);
  Put(bytes, stride * height, 4);
  Put(bytes, 0, 16);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    const std::size_t start = bytes.size();
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      bytes.push_back(GetBValue(c));
      bytes.push_back(GetGValue(c));
      bytes.push_back(GetRValue(c));
      if (bits == 32) bytes.push_back(0);
    }
    bytes.resize(start + stride, 0);
  }
  WriteBytes(path, bytes);
}

void WriteSolidBmp(const std::string& path, int width, int height, COLORREF colour) {
  WriteBmp(path, width, height, 32, false, [colour](int, int) { return colour; });
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(file);
  }
  return bytes;
}

std::vector<HWND> LarkWindows() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectLarkWindow,
                      reinterpret_cast<LPARAM>(&windows));
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
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect.left == m.left && rect.top == m.top && rect.right == m.left + m.width &&
         rect.bottom == m.top + m.height;
}

Capture::Capture(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  tandry::ScopedMemDC dc(::CreateCompatibleDC(nullptr));
  tandry::ScopedGdiObj<HBITMAP> bitmap(
      ::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return;
  tandry::ScopedSelect select(dc.get(), bitmap.get());
  ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
  ::GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  pixels_.assign(first, first + std::size_t(width_) * height_);
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const std::uint32_t p = pixels_[std::size_t(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Capture::Count(const RECT& area, const std::function<bool(COLORREF)>& test) const {
  int count = 0;
  for (int y = std::max<LONG>(0, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
    for (int x = std::max<LONG>(0, area.left); x < std::min<LONG>(width_, area.right); ++x) {
      if (test(At(x, y))) ++count;
    }
  }
  return count;
}

bool IsBright(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) > 300;
}

ForegroundWindow::ForegroundWindow(const Monitor& m) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlainWindowProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "LarkTestShow";
  ::RegisterClassA(&wc);  // fails harmlessly when already registered
  window_ = ::CreateWindowExA(0, "LarkTestShow", "show", WS_POPUP | WS_VISIBLE, m.left, m.top,
                              m.width, m.height, nullptr, nullptr, wc.hInstance, nullptr);
  ::SetForegroundWindow(window_);
  PumpMessages();
}

ForegroundWindow::~ForegroundWindow() { ::DestroyWindow(window_); }

void PumpMessages() {
  MSG message;
  for (int round = 0; round < 3; ++round) {
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::Sleep(10);
  }
}

}  // namespace larktest
