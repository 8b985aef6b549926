// One position's slide: its bitmap file read once and scaled, at the load, to the size it is
// drawn at. Only the scaled pixels are kept, so a position holds its own share of the window and
// no more, and a paint is a plain copy.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "AreaScaler.h"
#include "BmpFile.h"
#include "PaneLayout.h"
#include "PixelBuffer.h"
#include "ScopedWin.h"

namespace larkpane {

// What loading needs besides a slide's own pixels, kept by a window from load to load: fresh
// working memory for every load costs more than the scaling, where the system's heap hands
// freed memory back.
struct LoadScratch {
  AreaScaler scaler;
  std::vector<std::uint8_t> rows;  // rows read from the file, a few at a time
};

// Which file an image was read from. The same path, size and last write mean the same bytes:
// the engine writes every capture to a file of its own and renames it into place, so a slide
// captured again comes with a later write time.
struct FileIdentity {
  bool known = false;
  std::string path;
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;

  bool Same(const FileIdentity& other) const {
    return known && other.known && size == other.size && lastWrite == other.lastWrite &&
           path == other.path;
  }
};

// A slide's bitmap file, open for one load; nothing open for a nil path or a missing file.
class SlideFile {
 public:
  explicit SlideFile(const char* path);
  explicit operator bool() const { return static_cast<bool>(file_); }
  HANDLE Handle() const { return file_.get(); }
  const FileIdentity& Identity() const { return identity_; }

 private:
  tandry::ScopedFile file_;
  FileIdentity identity_;
};

class SlideImage {
 public:
  // Reads the BMP `file` and scales it to the largest rectangle of its shape inside `cell`,
  // centred. False, and nothing shown, for no file, an unreadable one, or a file that is no
  // BMP larkpane shows.
  bool Load(const SlideFile& file, const Rect& cell, LoadScratch& scratch);
  // Whether this image is what loading `file` into `cell` would show, but for its place.
  bool Shows(const FileIdentity& file, const Rect& cell) const;
  // Becomes a copy of `other`, which Shows() the file wanted in `cell`, placed in `cell`.
  bool CopyFrom(const SlideImage& other, const Rect& cell);
  // Scales the shown image again to fit a cell of another size, or only moves it to a cell of
  // its size. The file may be gone by now, so the kept pixels are scaled; the next load brings
  // the full detail back.
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
  // The file the pixels were scaled from; unknown once they are scaled again.
  FileIdentity source_;
};

}  // namespace larkpane
