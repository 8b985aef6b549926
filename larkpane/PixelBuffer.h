// A 32-bit DIB section: pixels that larkpane writes itself (a scaled slide) or draws into once (a
// slide number, a back buffer), and that painting copies to a window with BitBlt. Its rows lie
// top first or, like most bitmap files, bottom first.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <utility>

#include "PaneLayout.h"
#include "ScopedWin.h"

namespace larkpane {

class PixelBuffer {
 public:
  // Makes the buffer `width` x `height` pixels, rows top first unless `bottomUp`; keeps the
  // memory when it has that shape already, since fresh memory for a monitor-sized buffer costs
  // more than filling it. False, and no buffer, when the system has none to give.
  bool Resize(std::int32_t width, std::int32_t height, bool bottomUp = false);
  void Release();

  PixelBuffer() = default;
  PixelBuffer(PixelBuffer&& other) noexcept { *this = std::move(other); }
  PixelBuffer& operator=(PixelBuffer&& other) noexcept;
  ~PixelBuffer() { Release(); }

  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool BottomUp() const { return bottomUp_; }
  // A memory device context with the buffer selected, for drawing into it and copying from it;
  // kept with the buffer, so a paint makes none.
  HDC Dc() const { return dc_.get(); }
  // The first row in memory (the bottom one of a bottom-up buffer); rows follow Stride() bytes
  // apart, 4 bytes a pixel, blue first.
  std::uint8_t* Bits() const { return bits_; }
  std::size_t Stride() const { return std::size_t(width_) * 4; }

  // Copies the whole buffer onto `dc` with its top-left corner at (left, top).
  void CopyTo(HDC dc, std::int32_t left, std::int32_t top) const;

 private:
  tandry::ScopedGdiObj<HBITMAP> bitmap_;
  tandry::ScopedMemDC dc_;
  HGDIOBJ dcBitmapWas_ = nullptr;  // selected back before the bitmap goes
  std::uint8_t* bits_ = nullptr;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  bool bottomUp_ = false;
};

}  // namespace larkpane
