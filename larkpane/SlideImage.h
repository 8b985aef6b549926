// One position's slide: its bitmap file read once and scaled, at the load, to the size it is
// drawn at. Only the scaled pixels are kept, so a position holds its own share of the window and
// no more, and a paint is a plain copy.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "AreaScaler.h"
#include "BmpFile.h"
#include "PaneLayout.h"
#include "PixelBuffer.h"

namespace larkpane {

// What loading needs besides a slide's own pixels, kept by a window from load to load: fresh
// working memory for every load costs more than the scaling, where the system's heap hands
// freed memory back.
struct LoadScratch {
  AreaScaler scaler;
  std::vector<std::uint8_t> rows;  // rows read from the file, a few at a time
};

class SlideImage {
 public:
  // Reads the BMP file at `path` and scales it to the largest rectangle of its shape inside
  // `cell`, centred. False, and nothing shown, for a nil path, a missing or unreadable file, or
  // a file that is no BMP larkpane shows. The file is closed before this returns.
  bool Load(const char* path, const Rect& cell, LoadScratch& scratch);
  // Scales the shown image again to fit a cell of another size. The file may be gone by now,
  // so the kept pixels are scaled; the next load brings the full detail back.
  void Refit(const Rect& cell, AreaScaler& scaler);
  // Nothing shown; the memory is kept for the next load, which usually has the same size.
  void Clear() { shown_ = false; }

  bool Shown() const { return shown_; }
  // Where the image is drawn, in client pixels.
  const Rect& Area() const { return area_; }
  void Draw(HDC dc) const;

 private:
  bool ReadAndScale(HANDLE file, const Rect& cell, LoadScratch& scratch);
  // Reads the rows of `bmp` from `file` a few at a time and scales them into pixels_.
  bool ReadScaled(HANDLE file, const BmpLayout& bmp, LoadScratch& scratch);

  PixelBuffer pixels_;
  Rect area_;
  bool shown_ = false;
  // The capture's own size, whose shape every refit keeps.
  std::int32_t sourceWidth_ = 0;
  std::int32_t sourceHeight_ = 0;
};

}  // namespace larkpane
