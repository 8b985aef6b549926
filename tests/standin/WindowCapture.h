// Test helpers for the stand-in's Windows tests: window captures through PrintWindow, and
// message pumping.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "SlideLayout.h"

namespace tandry::standin {

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  Rgb At(int x, int y) const {
    const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
    return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
               static_cast<std::uint8_t>(p)};
  }
  // Pixels of exactly this colour.
  int Count(Rgb colour) const {
    const std::uint32_t wanted = (colour.red << 16) | (colour.green << 8) | colour.blue;
    int count = 0;
    for (std::uint32_t p : pixels) count += (p & 0xFFFFFF) == wanted;
    return count;
  }
};

// What PrintWindow gives of the whole window; empty when the window has no area.
Capture CaptureWindow(HWND window);

// Handles every waiting message of this thread.
void PumpMessages();

}  // namespace tandry::standin
