// One position's slide bitmap, read from its file into memory, drawn scaled into a rectangle.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "BmpFile.h"
#include "PaneLayout.h"

namespace larkpane {

class SlideImage {
 public:
  // Reads the BMP file at `path`; false, and nothing shown, for a nil path, a missing or
  // unreadable file, or a file that is no BMP larkpane shows. The file is closed before this
  // returns. The memory of the previous image is reused when the new one fits: the slides of a
  // show are captures of one window, all the same size, and fresh memory for each would cost
  // more than the read itself.
  bool Load(const char* path);
  // Nothing shown; the memory is kept for the next load.
  void Clear() { layout_.reset(); }

  bool Shown() const { return layout_.has_value(); }
  std::int32_t Width() const { return layout_ ? layout_->width : 0; }
  std::int32_t Height() const { return layout_ ? layout_->height : 0; }

  // Draws the whole image stretched onto `target` of `dc`; nothing when no image is shown.
  void Draw(HDC dc, const Rect& target) const;

 private:
  bool ReadFile(const char* path, std::size_t& read);

  std::unique_ptr<std::uint8_t[]> bytes_;  // the whole file
  std::size_t capacity_ = 0;
  std::optional<BmpLayout> layout_;
};

}  // namespace larkpane
