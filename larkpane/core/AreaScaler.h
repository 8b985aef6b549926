// Scaling a slide bitmap to the size it is drawn at, once, by area averaging: each target pixel
// is the mean of the source area it covers, each source pixel weighted by how much of it lies
// there, so text on a slide stays legible when a 4K capture shrinks to a quarter of a monitor.
// The source rows arrive in the order they lie in the file, a few at a time, so a capture is
// never held whole: the scaler keeps one row of sums and writes each target row as soon as the
// source rows it covers are in. Target rows keep the source's order (a bottom-up source gives a
// bottom-up target), which the area average doesn't mind: it is the same read either way.
//
// Rows are summed first, in 16-bit integers whose weights add up to exactly 256 per target row,
// then the columns, in floating point; a target pixel is within a level and a half of the exact
// mean (the row weights' rounding), which no eye tells apart.
// One colour stays exactly that colour, and an image of the target's size is copied unchanged.
// Halving both sides (a 3840x2160 capture shown on a 1920x1080 monitor) takes a shorter way:
// each target pixel is the exact mean of its 2x2 source pixels, in 16-bit integers throughout.
// The inner loops run over plain arrays with no division, branch or call per pixel, so the
// compiler can vectorise them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace larkpane {

// One axis: which source pixels each target pixel covers, and how much of each.
struct AxisWeights {
  std::vector<std::int32_t> first;   // first source pixel of target pixel t
  std::vector<std::int32_t> last;    // last source pixel of target pixel t
  std::vector<std::uint32_t> offset; // where t's weights start in `weights`
  // For each target pixel, one weight per source pixel from first to last: in units of
  // 1/`total` of the target pixel, rounded so that they add up to exactly `total`.
  std::vector<std::uint16_t> weights;
};

// Fills `axis` with the weights of scaling `source` pixels to `target` pixels along one axis;
// both positive, `total` at most 65535. The vectors keep their memory.
void WeighAxis(std::int32_t source, std::int32_t target, std::uint16_t total, AxisWeights& axis);

// One image to scale.
struct ScaleJob {
  std::int32_t sourceWidth = 0;
  std::int32_t sourceHeight = 0;
  int bytesPerPixel = 4;  // 3 or 4, blue first, as in a BMP
  std::int32_t targetWidth = 0;
  std::int32_t targetHeight = 0;
  // Rows in the order the source's arrive, `targetStride` bytes apart, 4 bytes a pixel: blue,
  // green, red and a byte that nothing reads.
  std::uint8_t* target = nullptr;
  std::size_t targetStride = 0;
};

// Kept from image to image: its working memory is reused, since fresh memory for every load
// costs more than the scaling where the system hands freed memory back.
class AreaScaler {
 public:
  // Starts on `job`, whose sizes must be positive (the caller checks them).
  void Begin(const ScaleJob& job);
  // The next `count` source rows, `stride` bytes apart; rows beyond the source's are ignored.
  void AddRows(const std::uint8_t* rows, std::size_t stride, std::int32_t count);
  // True once every source row is in, and so every target row written.
  bool Done() const { return nextSourceRow_ == job_.sourceHeight; }

 private:
  void AddRow(const std::uint8_t* row);
  std::uint8_t* TargetRow(std::int32_t row) const;
  void EmitTargetRow(std::int32_t row);

  ScaleJob job_;
  bool copyRows_ = false;  // same size: each row is copied as it comes
  bool halving_ = false;   // half the size both ways: rows are summed plainly, two by two

  AxisWeights rows_;     // target rows over source rows
  AxisWeights columns_;  // target columns over source columns
  // Every target column reads the same number of neighbouring source columns (those beyond
  // its span at weight 0), from columns_.first on.
  std::int32_t columnTaps_ = 0;
  std::vector<float> columnWeights_;
  std::vector<std::uint16_t> rowSums_;  // the source row's bytes, weighted and summed over rows
  std::vector<float> rowPixels_;        // those sums as 4 lanes a pixel, for the columns
  std::vector<float> targetLanes_;      // the target row before its rounding to levels
  std::int32_t nextSourceRow_ = 0;
  std::int32_t openTargetRow_ = 0;      // the first target row not yet written
};

}  // namespace larkpane
