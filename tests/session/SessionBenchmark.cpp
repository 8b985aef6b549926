// Speed of the capture, of one NextSlide and of a slide window's repaint, each against a baseline
// measured in the same run, and the memory a loaded slide keeps:
//   capture-and-save of a window against BitBlt + GetDIBits + one write of the same bytes;
//   NextSlide with three further screens and a four-slide window against reading the bitmap
//   files it loads, and, with the paints that follow, against the floor of a forward step:
//   the capture-and-save baseline plus that reading;
//   a repaint of a slide window against one plain BitBlt of the window's area;
//   the memory that loading a 3840x2160 capture into a 1920x1080 window adds, against the
//   window's own pixels; and the scaling of that capture, a halving, against HALFTONE
//   StretchDIBits and against the general area average one pixel short of half.
// Prints medians and ratios; run it on the Wine bench with scripts/benchmark.sh.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AreaScaler.h"
#include "BitmapFile.h"
#include "MainUnit.h"
#include "MessagePump.h"
#include "PrintWindow.h"
#include "ScopedWin.h"
#include "SharedUnit.h"
#include "ShowWindowFake.h"
#include "TestBinding.h"
#include "larkpane.h"

namespace tandry::testing {
namespace {

using wintest::DispatchPendingMessages;
using wintest::DispatchVariant;

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median of the rounds' ratios a[i] / b[i]: each ratio compares times taken moments apart,
// so a machine that is busier in some rounds than in others moves it less than the medians.
double MedianRatio(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < a.size(); ++i) ratios.push_back(a[i] / b[i]);
  return Median(ratios);
}

double TimeOnce(const std::function<void()>& work) {
  const double start = Now();
  work();
  return Now() - start;
}

void WriteWhole(const std::string& path, const std::uint8_t* data, DWORD size) {
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), data, size, &written, nullptr);
}

// Reads a whole file into `data`, whose memory is kept from one read to the next, as larkpane
// keeps each position's: fresh memory would measure the system's page faults, not the reading.
std::uint32_t ReadWhole(const std::string& path, std::vector<std::uint8_t>& data) {
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  data.resize(::GetFileSize(file.get(), nullptr));
  DWORD read = 0;
  ::ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
  return read;
}

// The least a capture to a file must do: copy the window's pixels into a bitmap, take them out
// as a DIB and write them, with the same headers, in one go.
void BaselineCapture(HWND window, const std::string& path) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  ScopedGetDC windowDc(window);
  ScopedGdiObj<HBITMAP> bitmap(::CreateCompatibleBitmap(windowDc.get(), width, height));
  ScopedMemDC dc(::CreateCompatibleDC(windowDc.get()));
  {
    ScopedSelect select(dc.get(), bitmap.get());
    ::BitBlt(dc.get(), 0, 0, width, height, windowDc.get(), 0, 0, SRCCOPY);
  }
  const auto layout = LayoutBitmapFile(width, height, FileBitsPerPixel(
                                                          ::GetDeviceCaps(windowDc.get(), BITSPIXEL)));
  std::unique_ptr<std::uint8_t[]> file(new std::uint8_t[layout->fileBytes]);
  WriteBitmapHeaders(*layout, file.get());
  BITMAPINFO format{};
  std::memcpy(&format.bmiHeader, file.get() + kBitmapInfoHeaderOffset, sizeof format.bmiHeader);
  ::GetDIBits(windowDc.get(), bitmap.get(), 0, height, file.get() + kBitmapHeadersBytes, &format,
              DIB_RGB_COLORS);
  WriteWhole(path, file.get(), layout->fileBytes);
}

void BenchCapture(int width, int height, int rounds) {
  FakeShowWindow window{RECT{0, 0, width, height}};
  RECT actual;
  ::GetWindowRect(window.handle(), &actual);
  const std::string ours = GetTempDir() + "tandry-bench-capture.bmp";
  const std::string baseline = GetTempDir() + "tandry-bench-baseline.bmp";
  DispatchPendingMessages();
  CaptureWindowToFile(window.handle(), ours);  // warm-up of both
  BaselineCapture(window.handle(), baseline);
  std::vector<double> captureTimes, baselineTimes;
  for (int round = 0; round < rounds; ++round) {
    captureTimes.push_back(TimeOnce([&] { CaptureWindowToFile(window.handle(), ours); }));
    baselineTimes.push_back(TimeOnce([&] { BaselineCapture(window.handle(), baseline); }));
  }
  const double capture = Median(captureTimes), base = Median(baselineTimes);
  std::printf("capture %ldx%ld: capture-and-save %.2f ms, baseline %.2f ms, ratio %.2f "
              "(target <= 1.5)\n",
              actual.right - actual.left, actual.bottom - actual.top, capture, base,
              capture / base);
  ::DeleteFileA(ours.c_str());
  ::DeleteFileA(baseline.c_str());
}

void BenchNextSlide(int rounds) {
  FakeShowWindow show{RECT{0, 0, 1920, 1080}};
  FakeSlideShowWindow object{show.handle()};
  constexpr std::int32_t kSlides = 12;
  CreateTandrySession("Bench", DispatchVariant(&object), 3, kSlides, 0);
  AddSessionInfo(0, 1);
  AddSessionInfo(1, 2);
  AddSessionInfo(2, 2);
  StartTandrySession();
  // Every slide up to 11 captured, so each load below reads a real file.
  for (std::int32_t slide = 1; slide <= 11; ++slide) {
    show.slide = slide;
    NextSlide(slide, L"");
    DispatchPendingMessages();
  }
  const std::vector<std::string>& paths = *SessionState().bitmapPaths;
  // Slide 11 loads slides 10, 9, 8 on the screens and 7 to 4 on the four-slide window.
  std::vector<std::string> loaded(paths.begin() + 3, paths.begin() + 10);

  std::vector<double> forward, forwardPainted, backward, reading, captureBaseline;
  std::vector<std::vector<std::uint8_t>> buffers(loaded.size());
  const std::string baselinePath = GetTempDir() + "tandry-bench-baseline.bmp";
  for (int round = 0; round < rounds; ++round) {
    backward.push_back(TimeOnce([] { NextSlide(11, L""); }));  // same slide: loads only
    DispatchPendingMessages();
    NextSlide(10, L"");
    DispatchPendingMessages();
    forward.push_back(TimeOnce([] { NextSlide(11, L""); }));  // loads, then the capture
    DispatchPendingMessages();
    NextSlide(10, L"");
    DispatchPendingMessages();
    forwardPainted.push_back(TimeOnce([] {
      NextSlide(11, L"");
      DispatchPendingMessages();
    }));
    reading.push_back(TimeOnce([&] {
      for (std::size_t i = 0; i < loaded.size(); ++i) ReadWhole(loaded[i], buffers[i]);
    }));
    captureBaseline.push_back(TimeOnce([&] { BaselineCapture(show.handle(), baselinePath); }));
  }
  ::DeleteFileA(baselinePath.c_str());
  StopTandrySession();
  DestroyTandrySession();
  const double read = Median(reading);
  std::printf("reading the 7 bitmap files of one slide change: %.2f ms\n", read);
  std::printf("NextSlide, same slide (7 loads): %.2f ms, ratio %.2f\n", Median(backward),
              Median(backward) / read);
  std::printf("NextSlide forward (7 loads + capture): %.2f ms, ratio %.2f\n",
              Median(forward), Median(forward) / read);
  std::vector<double> floor;
  for (std::size_t i = 0; i < reading.size(); ++i) floor.push_back(captureBaseline[i] + reading[i]);
  std::printf("NextSlide forward, with the paints that follow: %.2f ms; floor %.2f ms "
              "(capture-and-save baseline %.2f + reading %.2f), ratio %.2f (target <= 1.3)\n",
              Median(forwardPainted), Median(floor), Median(captureBaseline), read,
              MedianRatio(forwardPainted, floor));
}

// A 32-bit bottom-up BMP of `width` x `height` with fine detail everywhere, as a slide of text
// would have, in `file`; returns its pixels' offset.
std::size_t MakeCapture(std::int32_t width, std::int32_t height, std::vector<std::uint8_t>& file) {
  const auto layout = LayoutBitmapFile(width, height, 32);
  file.assign(layout->fileBytes, 0);
  WriteBitmapHeaders(*layout, file.data());
  for (std::size_t i = kBitmapHeadersBytes; i < file.size(); ++i) {
    file[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
  }
  return kBitmapHeadersBytes;
}

// A 32-bit bitmap in a memory device context: the source of a plain BitBlt to a window, and the
// target of a HALFTONE scaling.
class MemoryBitmap {
 public:
  MemoryBitmap(int width, int height)
      : width_(width),
        height_(height),
        dc_(::CreateCompatibleDC(nullptr)),
        bitmap_(NewBitmap(width, height)),
        select_(dc_.get(), bitmap_.get()) {}
  HDC dc() const { return dc_.get(); }

  // Scales the whole BMP `file` onto the bitmap, as slide windows did at every paint.
  void Halftone(const std::vector<std::uint8_t>& file, std::size_t pixelOffset) {
    BITMAPINFO info{};
    std::memcpy(&info.bmiHeader, file.data() + kBitmapInfoHeaderOffset, sizeof info.bmiHeader);
    ::SetStretchBltMode(dc_.get(), HALFTONE);
    ::SetBrushOrgEx(dc_.get(), 0, 0, nullptr);
    ::StretchDIBits(dc_.get(), 0, 0, width_, height_, 0, 0, info.bmiHeader.biWidth,
                    info.bmiHeader.biHeight, file.data() + pixelOffset, &info, DIB_RGB_COLORS,
                    SRCCOPY);
    ::GdiFlush();
  }

 private:
  static HBITMAP NewBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }

  int width_, height_;
  ScopedMemDC dc_;
  ScopedGdiObj<HBITMAP> bitmap_;
  ScopedSelect select_;
};

// A window like a slide window whose paint is one BitBlt of a bitmap over its whole area: the
// least a repaint can cost.
class BlitWindow {
 public:
  BlitWindow(const RECT& rect, const MemoryBitmap& pixels) : pixels_(pixels) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &BlitWindow::Procedure;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TandryBenchBlit";
    ::RegisterClassExA(&wc);
    window_ = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                wc.lpszClassName, "", WS_POPUP, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                wc.hInstance, this);
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~BlitWindow() { ::DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      ::SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* self =
        reinterpret_cast<const BlitWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT && self != nullptr) {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      RECT client;
      ::GetClientRect(window, &client);
      ::BitBlt(dc, 0, 0, client.right, client.bottom, self->pixels_.dc(), 0, 0, SRCCOPY);
      ::EndPaint(window, &paint);
      return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  const MemoryBitmap& pixels_;
  HWND window_ = nullptr;
};

// The process's commit charge (what the system reports as its page-file usage).
std::size_t CommittedBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
  return counters.PagefileUsage;
}

void Repaint(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// A 1920x1080 slide window showing a 3840x2160 capture: the memory its load adds, its repaint
// against that of a window on another monitor whose paint is a plain BitBlt of its area, and
// the scaling at the load, a halving, against HALFTONE and against the general area average.
void BenchSlideWindow(int rounds) {
  constexpr std::int32_t kWidth = 1920, kHeight = 1080, kCaptureWidth = 3840,
                         kCaptureHeight = 2160;
  std::vector<std::uint8_t> capture;
  const std::size_t pixelOffset = MakeCapture(kCaptureWidth, kCaptureHeight, capture);
  const std::string path = GetTempDir() + "tandry-bench-4k.bmp";
  WriteWhole(path, capture.data(), static_cast<DWORD>(capture.size()));
  // The window takes the slide it shows again without reading it; the loads below alternate
  // between two files, so each reads and scales its file.
  const std::string copy = GetTempDir() + "tandry-bench-4k-copy.bmp";
  WriteWhole(copy, capture.data(), static_cast<DWORD>(capture.size()));

  const LarkScreenHandle handle = CreateSlideShow(1920, 0, kWidth, kHeight);
  // larkpane's slide window class; the only one open now.
  HWND window = ::FindWindowExA(nullptr, nullptr, "LarkPaneSlides", nullptr);
  DispatchPendingMessages();
  const std::size_t before = CommittedBytes();
  LoadSlide(1, handle, path.c_str(), 0);
  DispatchPendingMessages();
  const std::size_t added = CommittedBytes() - before;
  std::printf("memory that loading a %dx%d capture into a %dx%d window commits: %.2f MB; the "
              "window's pixels %.2f MB\n",
              kCaptureWidth, kCaptureHeight, kWidth, kHeight, added / 1e6,
              kWidth * kHeight * 4 / 1e6);

  MemoryBitmap plain(kWidth, kHeight);
  BlitWindow blitWindow(RECT{0, 0, kWidth, kHeight}, plain);
  DispatchPendingMessages();
  std::vector<double> repaint, blit, load, reading, scaling, general, halftone;
  std::vector<std::uint8_t> read, scaled(std::size_t(kWidth) * kHeight * 4);
  larkpane::AreaScaler scaler;
  const auto scaleTo = [&](std::int32_t width, std::int32_t height) {
    scaler.Begin({kCaptureWidth, kCaptureHeight, 4, width, height, scaled.data(),
                  std::size_t(width) * 4});
    scaler.AddRows(capture.data() + pixelOffset, std::size_t(kCaptureWidth) * 4, kCaptureHeight);
  };
  // Repaints take a millisecond or two, so many more of them keep the median steady.
  for (int round = 0; round < 5 * rounds; ++round) {
    repaint.push_back(TimeOnce([&] { Repaint(window); }));
    blit.push_back(TimeOnce([&] { Repaint(blitWindow.get()); }));
  }
  for (int round = 0; round < rounds; ++round) {
    const std::string& next = round % 2 == 0 ? copy : path;
    load.push_back(TimeOnce([&] { LoadSlide(1, handle, next.c_str(), 0); }));
    DispatchPendingMessages();
    reading.push_back(TimeOnce([&] { ReadWhole(path, read); }));
    scaling.push_back(TimeOnce([&] { scaleTo(kWidth, kHeight); }));
    general.push_back(TimeOnce([&] { scaleTo(kWidth - 1, kHeight - 1); }));
    halftone.push_back(TimeOnce([&] { plain.Halftone(capture, pixelOffset); }));
  }
  DestroySlideShow(handle);
  ::DeleteFileA(path.c_str());
  ::DeleteFileA(copy.c_str());
  std::printf("repaint of the %dx%d window: %.2f ms, a repaint that is one BitBlt of its area "
              "%.2f ms, ratio %.2f (target <= 1.5)\n",
              kWidth, kHeight, Median(repaint), Median(blit), MedianRatio(repaint, blit));
  std::printf("LoadSlide of the capture: %.2f ms, reading its file %.2f ms, ratio %.2f\n",
              Median(load), Median(reading), MedianRatio(load, reading));
  std::printf("scaling the capture in memory: area average (a halving) %.2f ms, HALFTONE "
              "StretchDIBits %.2f ms, ratio %.2f\n",
              Median(scaling), Median(halftone), MedianRatio(scaling, halftone));
  std::printf("the halving against the general area average to %dx%d: %.2f ms, ratio %.2f\n",
              kWidth - 1, kHeight - 1, Median(general), MedianRatio(scaling, general));
}

}  // namespace
}  // namespace tandry::testing

int main() {
  using namespace tandry::testing;
  tandry::BindPrintWindow();
  BenchCapture(1920, 1080, 15);
  BenchCapture(3840, 2160, 7);
  BenchNextSlide(25);
  BenchSlideWindow(9);
  return 0;
}
