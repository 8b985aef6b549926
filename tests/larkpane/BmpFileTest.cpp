#include "BmpFile.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace larkpane {
namespace {

// The bytes of a BMP file, with every header field open to be spoiled.
struct BmpBytes {
  std::int32_t width = 3;
  std::int32_t height = 2;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint16_t planes = 1;
  std::uint32_t infoSize = 40;
  std::int64_t pixelOffset = -1;  // right after the headers
  std::size_t pixelBytes = 0;     // 0: exactly what the rows need

  std::vector<std::uint8_t> Build() const {
    const std::size_t stride = (std::size_t(width > 0 ? width : 0) * bitCount + 31) / 32 * 4;
    const std::size_t rows = height < 0 ? std::size_t(-std::int64_t{height}) : std::size_t(height);
    const std::size_t headers = kFileHeaderBytes + std::max<std::size_t>(infoSize, 40);
    const std::size_t pixels = pixelBytes != 0 ? pixelBytes : stride * rows;
    std::vector<std::uint8_t> bytes(headers + pixels, 0x5A);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(bytes, 10, static_cast<std::uint32_t>(pixelOffset < 0 ? headers : pixelOffset));
    Put32(bytes, 14, infoSize);
    Put32(bytes, 18, static_cast<std::uint32_t>(width));
    Put32(bytes, 22, static_cast<std::uint32_t>(height));
    Put16(bytes, 26, planes);
    Put16(bytes, 28, bitCount);
    Put32(bytes, 30, compression);
    return bytes;
  }

  static void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
  }
  static void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
  }
};

std::optional<BmpLayout> Parse(const std::vector<std::uint8_t>& bytes) {
  return ParseBmp(bytes.data(), bytes.size(), bytes.size());
}

TEST(BmpFile, ReadsA24BitBottomUpFileWithPaddedRows) {
  const std::optional<BmpLayout> layout = Parse(BmpBytes{}.Build());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->width, 3);
  EXPECT_EQ(layout->height, 2);
  EXPECT_FALSE(layout->topDown);
  EXPECT_EQ(layout->bitCount, 24);
  EXPECT_EQ(layout->pixelOffset, 54u);
  EXPECT_EQ(layout->stride, 12u);  // 9 bytes of pixels padded to 4
}

TEST(BmpFile, ReadsA32BitTopDownFile) {
  BmpBytes bmp;
  bmp.width = 1920;
  bmp.height = -1080;
  bmp.bitCount = 32;
  const std::optional<BmpLayout> layout = Parse(bmp.Build());
  ASSERT_TRUE(layout);
  EXPECT_TRUE(layout->topDown);
  EXPECT_EQ(layout->height, 1080);
  EXPECT_EQ(layout->stride, 7680u);
}

TEST(BmpFile, NeedsOnlyTheHeadersAndTheFileSize) {
  BmpBytes bmp;
  bmp.width = 1920;
  bmp.height = 1080;
  bmp.bitCount = 32;
  const std::vector<std::uint8_t> bytes = bmp.Build();
  const std::optional<BmpLayout> layout = ParseBmp(bytes.data(), kBmpHeadersBytes, bytes.size());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->height, 1080);
  EXPECT_FALSE(ParseBmp(bytes.data(), kBmpHeadersBytes, bytes.size() - 1));
}

TEST(BmpFile, ReadsLongerHeadersAndPixelsAfterAGap) {
  BmpBytes bmp;
  bmp.infoSize = 124;  // BITMAPV5HEADER
  EXPECT_TRUE(Parse(bmp.Build()));
  BmpBytes gap;
  gap.pixelOffset = 60;
  gap.pixelBytes = 24 + 6;
  const std::optional<BmpLayout> layout = Parse(gap.Build());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->pixelOffset, 60u);
}

TEST(BmpFile, RefusesWhatIsNoBmpOrTooShort) {
  EXPECT_FALSE(ParseBmp(nullptr, 100, 100));
  std::vector<std::uint8_t> bytes = BmpBytes{}.Build();
  EXPECT_FALSE(ParseBmp(bytes.data(), 53, bytes.size()));
  EXPECT_FALSE(ParseBmp(bytes.data(), 54, 53));
  bytes[1] = 'A';
  EXPECT_FALSE(Parse(bytes));
}

TEST(BmpFile, RefusesFormatsItDoesNotShow) {
  for (std::uint16_t bits : {1, 4, 8, 16, 48}) {
    BmpBytes bmp;
    bmp.bitCount = bits;
    EXPECT_FALSE(Parse(bmp.Build())) << bits << " bits";
  }
  for (std::uint32_t compression : {1u, 2u, 3u, 4u, 5u, 6u}) {
    BmpBytes bmp;
    bmp.bitCount = 32;
    bmp.compression = compression;
    EXPECT_FALSE(Parse(bmp.Build())) << "compression " << compression;
  }
  BmpBytes planes;
  planes.planes = 2;
  EXPECT_FALSE(Parse(planes.Build()));
}

TEST(BmpFile, RefusesSizesThatAreNoImage) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  for (auto [width, height] : {std::pair{0, 2}, {-3, 2}, {3, 0}, {3, kMin},
                               {kMaxBitmapSide + 1, 1}, {1, -(kMaxBitmapSide + 1)}}) {
    BmpBytes bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.pixelBytes = 64;
    EXPECT_FALSE(Parse(bmp.Build())) << width << " x " << height;
  }
}

TEST(BmpFile, RefusesHeadersThatPointOutsideTheFile) {
  BmpBytes shortInfo;
  shortInfo.infoSize = 12;  // an OS/2 core header
  EXPECT_FALSE(Parse(shortInfo.Build()));

  std::vector<std::uint8_t> hugeInfo = BmpBytes{}.Build();
  BmpBytes::Put32(hugeInfo, 14, 0xFFFFFFF0u);
  EXPECT_FALSE(Parse(hugeInfo));

  BmpBytes insideHeaders;
  insideHeaders.pixelOffset = 20;
  EXPECT_FALSE(Parse(insideHeaders.Build()));

  for (std::int64_t offset : {std::int64_t{55}, std::int64_t{1000}, std::int64_t{0xFFFFFFFF}}) {
    BmpBytes beyond;
    beyond.pixelOffset = offset;
    EXPECT_FALSE(Parse(beyond.Build())) << offset;
  }
}

TEST(BmpFile, RefusesPixelsCutShort) {
  BmpBytes bmp;
  bmp.pixelBytes = 23;  // two rows of 12 bytes, one byte missing
  EXPECT_FALSE(Parse(bmp.Build()));
  // A large image whose rows are claimed but not there.
  BmpBytes big;
  big.width = kMaxBitmapSide;
  big.height = kMaxBitmapSide;
  big.bitCount = 32;
  big.pixelBytes = 4096;
  EXPECT_FALSE(Parse(big.Build()));
}

}  // namespace
}  // namespace larkpane
