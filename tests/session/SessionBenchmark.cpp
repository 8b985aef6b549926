// Speed of the capture and of one NextSlide, each against a baseline measured in the same run:
//   capture-and-save of a window against BitBlt + GetDIBits + one write of the same bytes;
//   NextSlide with three further screens and a four-slide window against reading the bitmap
//   files it loads.
// Prints medians and ratios; run it on the Wine bench with scripts/benchmark.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BitmapFile.h"
#include "MainUnit.h"
#include "MessagePump.h"
#include "PrintWindow.h"
#include "ScopedWin.h"
#include "SharedUnit.h"
#include "ShowWindowFake.h"
#include "TestBinding.h"

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

  std::vector<double> forward, forwardPainted, backward, reading;
  std::vector<std::vector<std::uint8_t>> buffers(loaded.size());
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
  }
  StopTandrySession();
  DestroyTandrySession();
  const double read = Median(reading);
  std::printf("reading the 7 bitmap files of one slide change: %.2f ms\n", read);
  std::printf("NextSlide, same slide (7 loads): %.2f ms, ratio %.2f\n", Median(backward),
              Median(backward) / read);
  std::printf("NextSlide forward (7 loads + capture): %.2f ms, ratio %.2f (target < 16 ms)\n",
              Median(forward), Median(forward) / read);
  std::printf("NextSlide forward, with the paints that follow: %.2f ms, ratio %.2f\n",
              Median(forwardPainted), Median(forwardPainted) / read);
}

}  // namespace
}  // namespace tandry::testing

int main() {
  using namespace tandry::testing;
  tandry::BindPrintWindow();
  BenchCapture(1920, 1080, 15);
  BenchCapture(3840, 2160, 7);
  BenchNextSlide(9);
  return 0;
}
