#include "AreaScaler.h"

#include <algorithm>
#include <cstring>

namespace larkpane {
namespace {

// Row weights in 256ths keep the sums of a row within 16 bits, which halves the work on every
// byte of the source; column weights in 65535ths are as fine as 16 bits allow and are turned
// into floating point anyway.
constexpr std::uint16_t kRowWeightTotal = 256;
constexpr std::uint16_t kColumnWeightTotal = 65535;

// A row of 3-byte pixels as 4-byte ones; 4-byte rows are copied as they are.
void WidenRow(const std::uint8_t* row, std::int32_t width, std::uint8_t* out) {
  for (std::int32_t x = 0; x < width; ++x) {
    for (int c = 0; c < 3; ++c) out[4 * x + c] = row[3 * x + c];
    out[4 * x + 3] = 0;
  }
}

// sums = w * row over one row's bytes, for the first source row of a target row.
void StartSums(std::uint16_t* sums, const std::uint8_t* row, std::size_t bytes,
               std::uint16_t weight) {
  for (std::size_t k = 0; k < bytes; ++k) sums[k] = static_cast<std::uint16_t>(weight * row[k]);
}

// sums += w * row; a target row's weights add up to 256, so its sums stay below 256 * 256.
void AddToSums(std::uint16_t* sums, const std::uint8_t* row, std::size_t bytes,
               std::uint16_t weight) {
  for (std::size_t k = 0; k < bytes; ++k) {
    sums[k] = static_cast<std::uint16_t>(sums[k] + weight * row[k]);
  }
}

// The row sums as four lanes per pixel: blue, green, red and the fourth byte (0 for 3-byte
// pixels), so that every column works on whole vectors.
void SpreadSums3(const std::uint16_t* sums, std::int32_t width, float* pixels) {
  for (std::int32_t x = 0; x < width; ++x) {
    // Through a signed integer, whose conversion has a machine instruction.
    for (int c = 0; c < 3; ++c) {
      pixels[4 * x + c] = static_cast<float>(std::int32_t{sums[3 * x + c]});
    }
    pixels[4 * x + 3] = 0;
  }
}

void SpreadSums4(const std::uint16_t* sums, std::int32_t width, float* pixels) {
  for (std::size_t k = 0; k < std::size_t(width) * 4; ++k) {
    pixels[k] = static_cast<float>(std::int32_t{sums[k]});
  }
}

// A target row from the column spans: each target pixel weighs `chunks` * Taps neighbouring
// source pixels, four lanes at once. The weight and the lanes are locals and the lanes are
// stored at the end, so the compiler computes the four lanes as one vector; with Taps fixed,
// the loop over a span is unrolled.
template <int Taps>
void ReduceSpans(const float* pixels, const std::int32_t* first, const float* weights,
                 std::int32_t chunks, std::int32_t width, float* lanes) {
  const std::int32_t taps = Taps * chunks;
  for (std::int32_t x = 0; x < width; ++x) {
    const float* p = pixels + std::size_t(first[x]) * 4;
    const float* w = weights + std::size_t(x) * taps;
    float lane[4] = {0, 0, 0, 0};
    for (std::int32_t k = 0; k < taps; k += Taps) {
      for (int t = 0; t < Taps; ++t) {
        const float weight = w[k + t];
        for (int c = 0; c < 4; ++c) lane[c] += weight * p[4 * (k + t) + c];
      }
    }
    for (int c = 0; c < 4; ++c) lanes[4 * x + c] = lane[c];
  }
}

// Spans of up to four source pixels, every downscale to a third or more, get an unrolled loop.
void ReduceRow(const float* pixels, const std::int32_t* first, const float* weights,
               std::int32_t taps, std::int32_t width, float* lanes) {
  switch (taps) {
    case 2: return ReduceSpans<2>(pixels, first, weights, 1, width, lanes);
    case 3: return ReduceSpans<3>(pixels, first, weights, 1, width, lanes);
    case 4: return ReduceSpans<4>(pixels, first, weights, 1, width, lanes);
    default: return ReduceSpans<1>(pixels, first, weights, taps, width, lanes);
  }
}

// A target row of a halving from the plain sums of its two source rows: each lane the mean of
// two neighbouring pixels' sums, rounded to the nearest level. Everything stays within 16 bits
// and each lane's partner lies a fixed distance on, so the compiler works on eight lanes at once.
void HalveColumns4(const std::uint16_t* sums, std::int32_t width, std::uint8_t* out) {
  for (std::int32_t x = 0; x < width; ++x) {
    for (int c = 0; c < 4; ++c) {
      out[4 * x + c] = static_cast<std::uint8_t>((sums[8 * x + c] + sums[8 * x + 4 + c] + 2) >> 2);
    }
  }
}

void HalveColumns3(const std::uint16_t* sums, std::int32_t width, std::uint8_t* out) {
  for (std::int32_t x = 0; x < width; ++x) {
    for (int c = 0; c < 3; ++c) {
      out[4 * x + c] = static_cast<std::uint8_t>((sums[6 * x + c] + sums[6 * x + 3 + c] + 2) >> 2);
    }
    out[4 * x + 3] = 0;
  }
}

// Each lane, a mean of levels 0 to 255, rounded to the nearest level.
void ToLevels(const float* lanes, std::size_t count, std::uint8_t* out) {
  for (std::size_t k = 0; k < count; ++k) {
    out[k] = static_cast<std::uint8_t>(static_cast<std::int32_t>(lanes[k] + 0.5f));
  }
}

}  // namespace

void WeighAxis(std::int32_t source, std::int32_t target, std::uint16_t total, AxisWeights& axis) {
  // In units of 1/target of a source pixel, so every edge lies on a whole unit: source pixel i
  // spans [i * target, (i + 1) * target), target pixel t spans [t * source, (t + 1) * source).
  const std::int64_t s = source, d = target;
  axis.first.clear();
  axis.last.clear();
  axis.offset.clear();
  axis.weights.clear();
  for (std::int64_t t = 0; t < d; ++t) {
    const std::int64_t begin = t * s, end = (t + 1) * s;
    const std::int64_t first = begin / d, last = (end - 1) / d;
    axis.first.push_back(static_cast<std::int32_t>(first));
    axis.last.push_back(static_cast<std::int32_t>(last));
    axis.offset.push_back(static_cast<std::uint32_t>(axis.weights.size()));
    // Rounding the running total, not each weight, makes the weights add up to exactly `total`.
    std::int64_t covered = 0, given = 0;
    for (std::int64_t i = first; i <= last; ++i) {
      covered += std::min((i + 1) * d, end) - std::max(i * d, begin);
      const std::int64_t due = (covered * total + s / 2) / s;
      axis.weights.push_back(static_cast<std::uint16_t>(due - given));
      given = due;
    }
  }
}

void AreaScaler::Begin(const ScaleJob& job) {
  job_ = job;
  nextSourceRow_ = 0;
  openTargetRow_ = 0;
  copyRows_ = job.sourceWidth == job.targetWidth && job.sourceHeight == job.targetHeight;
  halving_ = std::int64_t{job.sourceWidth} == 2 * std::int64_t{job.targetWidth} &&
             std::int64_t{job.sourceHeight} == 2 * std::int64_t{job.targetHeight};
  if (copyRows_) return;
  // A halving sums each pair of rows plainly (a total of 2 gives each a weight of one) and
  // needs no column weights.
  WeighAxis(job.sourceHeight, job.targetHeight, halving_ ? 2 : kRowWeightTotal, rows_);
  rowSums_.resize(std::size_t(job.sourceWidth) * job.bytesPerPixel);
  if (halving_) return;
  WeighAxis(job.sourceWidth, job.targetWidth, kColumnWeightTotal, columns_);
  columnTaps_ = 1;
  for (std::int32_t x = 0; x < job.targetWidth; ++x) {
    columnTaps_ = std::max(columnTaps_, columns_.last[x] - columns_.first[x] + 1);
  }
  // Both weightings at once: the row sums carry the row weights' total.
  const float scale = 1.0f / (float{kColumnWeightTotal} * float{kRowWeightTotal});
  columnWeights_.assign(std::size_t(job.targetWidth) * columnTaps_, 0.0f);
  for (std::int32_t x = 0; x < job.targetWidth; ++x) {
    for (std::int32_t i = columns_.first[x]; i <= columns_.last[x]; ++i) {
      columnWeights_[std::size_t(x) * columnTaps_ + (i - columns_.first[x])] =
          columns_.weights[columns_.offset[x] + (i - columns_.first[x])] * scale;
    }
  }
  // A span may read up to columnTaps_ pixels past the row's end, all at weight 0.
  rowPixels_.assign((std::size_t(job.sourceWidth) + columnTaps_) * 4, 0.0f);
  targetLanes_.resize(std::size_t(job.targetWidth) * 4);
}

void AreaScaler::AddRows(const std::uint8_t* rows, std::size_t stride, std::int32_t count) {
  for (std::int32_t n = 0; n < count && nextSourceRow_ < job_.sourceHeight; ++n) {
    AddRow(rows + std::size_t(n) * stride);
  }
}

// The source row goes into every target row it overlaps. Those are consecutive; all but the
// last are complete with it and are written at once, and the last, if it reaches further,
// stays in the row sums for the next source row.
void AreaScaler::AddRow(const std::uint8_t* row) {
  const std::int32_t i = nextSourceRow_++;
  if (copyRows_) {
    if (job_.bytesPerPixel == 3) {
      WidenRow(row, job_.targetWidth, TargetRow(i));
    } else {
      std::memcpy(TargetRow(i), row, std::size_t(job_.targetWidth) * 4);
    }
    return;
  }
  while (openTargetRow_ < job_.targetHeight && rows_.first[openTargetRow_] <= i) {
    const std::int32_t t = openTargetRow_;
    const std::uint16_t weight = rows_.weights[rows_.offset[t] + (i - rows_.first[t])];
    if (i == rows_.first[t]) {
      StartSums(rowSums_.data(), row, rowSums_.size(), weight);
    } else {
      AddToSums(rowSums_.data(), row, rowSums_.size(), weight);
    }
    if (i != rows_.last[t]) break;
    EmitTargetRow(t);
    ++openTargetRow_;
  }
}

std::uint8_t* AreaScaler::TargetRow(std::int32_t row) const {
  return job_.target + std::size_t(row) * job_.targetStride;
}

void AreaScaler::EmitTargetRow(std::int32_t row) {
  if (halving_) {
    (job_.bytesPerPixel == 3 ? HalveColumns3 : HalveColumns4)(rowSums_.data(), job_.targetWidth,
                                                              TargetRow(row));
    return;
  }
  if (job_.bytesPerPixel == 3) {
    SpreadSums3(rowSums_.data(), job_.sourceWidth, rowPixels_.data());
  } else {
    SpreadSums4(rowSums_.data(), job_.sourceWidth, rowPixels_.data());
  }
  ReduceRow(rowPixels_.data(), columns_.first.data(), columnWeights_.data(), columnTaps_,
            job_.targetWidth, targetLanes_.data());
  ToLevels(targetLanes_.data(), targetLanes_.size(), TargetRow(row));
}

}  // namespace larkpane
