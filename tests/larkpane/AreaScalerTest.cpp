#include "AreaScaler.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace larkpane {
namespace {

using ::testing::ElementsAre;

// An image as a BMP stores it: rows padded to 4 bytes (the padding holds junk), in either order.
struct StoredImage {
  std::int32_t width, height;
  int bytesPerPixel;
  bool bottomUp;
  std::size_t stride;
  std::vector<std::uint8_t> bytes;

  // Channel c (0 blue, 1 green, 2 red) of pixel (x, y), y counted from the top.
  std::uint8_t At(std::int32_t x, std::int32_t y, int c) const {
    const std::int32_t storedRow = bottomUp ? height - 1 - y : y;
    return bytes[storedRow * stride + std::size_t(x) * bytesPerPixel + c];
  }
};

StoredImage MakeImage(std::int32_t width, std::int32_t height, int bits, bool bottomUp,
                      std::uint32_t seed) {
  StoredImage image{width, height, bits / 8, bottomUp,
                    (std::size_t(width) * bits + 31) / 32 * 4, {}};
  image.bytes.resize(image.stride * height);
  for (std::uint8_t& byte : image.bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(seed >> 24);
  }
  return image;
}

// The target as the scaler writes it: 4 bytes a pixel, rows in the source's order.
struct Target {
  std::int32_t width, height;
  bool bottomUp;
  std::vector<std::uint8_t> bytes;
  // Channel c of pixel (x, y), y counted from the top.
  std::uint8_t At(std::int32_t x, std::int32_t y, int c) const {
    const std::int32_t storedRow = bottomUp ? height - 1 - y : y;
    return bytes[(std::size_t(storedRow) * width + x) * 4 + c];
  }
};

// Feeds the rows in uneven batches, as reads from a file bring them.
Target Scale(AreaScaler& scaler, const StoredImage& image, std::int32_t width,
             std::int32_t height) {
  Target target{width, height, image.bottomUp,
                std::vector<std::uint8_t>(std::size_t(width) * height * 4, 0xCC)};
  scaler.Begin({image.width, image.height, image.bytesPerPixel, width, height,
                target.bytes.data(), std::size_t(width) * 4});
  std::int32_t row = 0, batch = 1;
  while (row < image.height) {
    EXPECT_FALSE(scaler.Done());
    scaler.AddRows(image.bytes.data() + row * image.stride, image.stride, batch);
    row += batch;
    batch = batch % 3 + 1;
  }
  EXPECT_TRUE(scaler.Done());
  return target;
}

Target Scale(const StoredImage& image, std::int32_t width, std::int32_t height) {
  AreaScaler scaler;
  return Scale(scaler, image, width, height);
}

// The mean of the source area under target pixel (x, y), weighted by overlap, in doubles.
double ReferenceAverage(const StoredImage& image, std::int32_t width, std::int32_t height,
                        std::int32_t x, std::int32_t y, int c) {
  const double sx = double(image.width) / width, sy = double(image.height) / height;
  double sum = 0;
  for (std::int32_t j = 0; j < image.height; ++j) {
    const double wy = std::min(j + 1.0, (y + 1) * sy) - std::max(double(j), y * sy);
    if (wy <= 0) continue;
    for (std::int32_t i = 0; i < image.width; ++i) {
      const double wx = std::min(i + 1.0, (x + 1) * sx) - std::max(double(i), x * sx);
      if (wx > 0) sum += wx * wy * image.At(i, j, c);
    }
  }
  return sum / (sx * sy);
}

struct Sizes {
  std::int32_t sourceWidth, sourceHeight, targetWidth, targetHeight;
};

// Levels a target pixel may be off the exact mean: half a level of rounding, and the drift of
// the row weights, which are rounded to 256ths; random noise, the worst case, stays within this.
constexpr double kTolerance = 1.5;

TEST(AreaScaler, MatchesTheReferenceAreaAverageInBothRowOrdersAndDepths) {
  const Sizes cases[] = {
      {1, 1, 1, 1},    {1, 1, 5, 3},     {7, 5, 3, 2},    {5, 7, 2, 3},   {1, 9, 1, 4},
      {9, 1, 4, 1},    {33, 1, 1, 1},    {1, 33, 1, 1},   {10, 10, 1, 1}, {3, 2, 8, 7},
      {6, 4, 4, 6},    {64, 36, 17, 9},  {17, 9, 64, 36}, {31, 17, 30, 16}, {2, 3, 3, 2},
      {192, 108, 93, 52},
      // Just off half, where the exact halving must not be taken.
      {9, 6, 4, 3},    {8, 7, 4, 3},     {8, 6, 4, 4},    {38, 22, 19, 12}, {193, 108, 96, 54},
  };
  std::uint32_t seed = 7;
  for (const Sizes& s : cases) {
    for (int bits : {24, 32}) {
      for (bool bottomUp : {false, true}) {
        const std::string what = std::to_string(s.sourceWidth) + "x" +
                                  std::to_string(s.sourceHeight) + " to " +
                                  std::to_string(s.targetWidth) + "x" +
                                  std::to_string(s.targetHeight) + ", " + std::to_string(bits) +
                                  " bits" + (bottomUp ? ", bottom-up" : ", top-down");
        const StoredImage image =
            MakeImage(s.sourceWidth, s.sourceHeight, bits, bottomUp, seed++);
        const Target target = Scale(image, s.targetWidth, s.targetHeight);
        double worst = 0;
        for (std::int32_t y = 0; y < s.targetHeight; ++y) {
          for (std::int32_t x = 0; x < s.targetWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
              const double expected =
                  ReferenceAverage(image, s.targetWidth, s.targetHeight, x, y, c);
              worst = std::max(worst, std::fabs(target.At(x, y, c) - expected));
            }
          }
        }
        EXPECT_LE(worst, kTolerance) << what;
      }
    }
  }
}

TEST(AreaScaler, LeavesAnUnscaledImageAndASingleColourExactlyAsTheyAre) {
  for (int bits : {24, 32}) {
    const StoredImage image = MakeImage(13, 11, bits, true, 99);
    const Target same = Scale(image, 13, 11);
    for (std::int32_t y = 0; y < 11; ++y) {
      for (std::int32_t x = 0; x < 13; ++x) {
        for (int c = 0; c < 3; ++c) ASSERT_EQ(same.At(x, y, c), image.At(x, y, c)) << bits;
      }
    }
    StoredImage solid = MakeImage(37, 23, bits, false, 1);
    for (std::int32_t y = 0; y < 23; ++y) {
      for (std::int32_t x = 0; x < 37; ++x) {
        std::uint8_t* pixel = &solid.bytes[y * solid.stride + std::size_t(x) * solid.bytesPerPixel];
        pixel[0] = 30, pixel[1] = 200, pixel[2] = 40;
      }
    }
    for (const Sizes& s : {Sizes{37, 23, 10, 7}, Sizes{37, 23, 100, 61}, Sizes{37, 23, 1, 1}}) {
      const Target scaled = Scale(solid, s.targetWidth, s.targetHeight);
      for (std::int32_t y = 0; y < s.targetHeight; ++y) {
        for (std::int32_t x = 0; x < s.targetWidth; ++x) {
          ASSERT_EQ(scaled.At(x, y, 0), 30);
          ASSERT_EQ(scaled.At(x, y, 1), 200);
          ASSERT_EQ(scaled.At(x, y, 2), 40);
        }
      }
    }
  }
}

TEST(AreaScaler, HalvesToTheRoundedMeanOfEachTwoByTwoBlock) {
  const Sizes cases[] = {{2, 2, 1, 1}, {2, 8, 1, 4}, {8, 2, 4, 1}, {38, 22, 19, 11},
                         {64, 36, 32, 18}};
  std::uint32_t seed = 40;
  for (const Sizes& s : cases) {
    for (int bits : {24, 32}) {
      for (bool bottomUp : {false, true}) {
        const StoredImage image =
            MakeImage(s.sourceWidth, s.sourceHeight, bits, bottomUp, seed++);
        const Target target = Scale(image, s.targetWidth, s.targetHeight);
        for (std::int32_t y = 0; y < s.targetHeight; ++y) {
          for (std::int32_t x = 0; x < s.targetWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
              // A mean of four levels is a whole number of quarters; halves round up.
              const double mean = ReferenceAverage(image, s.targetWidth, s.targetHeight, x, y, c);
              ASSERT_EQ(target.At(x, y, c), std::floor(mean + 0.5))
                  << s.sourceWidth << "x" << s.sourceHeight << ", " << bits << " bits, ("
                  << x << "," << y << ")";
            }
          }
        }
      }
    }
  }
}

TEST(AreaScaler, WeighsEachSourcePixelByTheShareItCovers) {
  // Three pixels onto two: each target pixel takes one whole pixel and half of the middle one.
  AxisWeights shrink;
  WeighAxis(3, 2, 256, shrink);
  EXPECT_THAT(shrink.first, ElementsAre(0, 1));
  EXPECT_THAT(shrink.last, ElementsAre(1, 2));
  EXPECT_THAT(shrink.weights, ElementsAre(171, 85, 85, 171));
  // Two onto three: the middle target pixel straddles both.
  AxisWeights grow = shrink;  // filled afresh, not appended to
  WeighAxis(2, 3, 256, grow);
  EXPECT_THAT(grow.first, ElementsAre(0, 0, 1));
  EXPECT_THAT(grow.last, ElementsAre(0, 1, 1));
  EXPECT_THAT(grow.weights, ElementsAre(256, 128, 128, 256));
  // A 4K side onto 1: every weight is tiny, but they still add up to the total.
  AxisWeights all;
  WeighAxis(3840, 1, 65535, all);
  ASSERT_EQ(all.weights.size(), 3840u);
  int total = 0;
  for (std::uint16_t w : all.weights) total += w;
  EXPECT_EQ(total, 65535);
}

TEST(AreaScaler, ScalesEachImageAsAFreshScalerWouldWhenReused) {
  AreaScaler reused;
  const StoredImage first = MakeImage(40, 30, 32, true, 11);
  const StoredImage second = MakeImage(9, 5, 24, false, 12);
  Scale(reused, first, 17, 13);
  Scale(reused, first, 40, 30);
  EXPECT_EQ(Scale(reused, second, 4, 3).bytes, Scale(second, 4, 3).bytes);
  EXPECT_EQ(Scale(reused, first, 20, 15).bytes, Scale(first, 20, 15).bytes);  // a halving
  EXPECT_EQ(Scale(reused, first, 17, 13).bytes, Scale(first, 17, 13).bytes);
}

TEST(AreaScaler, IgnoresRowsBeyondTheSource) {
  const StoredImage image = MakeImage(4, 2, 32, false, 5);
  const StoredImage more = MakeImage(4, 4, 32, false, 6);
  Target target{2, 1, false, std::vector<std::uint8_t>(8, 0xCC)};
  AreaScaler scaler;
  scaler.Begin({4, 2, 4, 2, 1, target.bytes.data(), 8});
  scaler.AddRows(image.bytes.data(), image.stride, 2);
  ASSERT_TRUE(scaler.Done());
  const std::vector<std::uint8_t> written = target.bytes;
  scaler.AddRows(more.bytes.data(), more.stride, 4);
  EXPECT_EQ(target.bytes, written);
}

}  // namespace
}  // namespace larkpane
