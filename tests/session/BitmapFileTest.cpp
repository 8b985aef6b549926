#include "BitmapFile.h"

#include <gmock/gmock.h>

#include <cstring>
#include <vector>

namespace tandry {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, &bytes[at], 4);  // this test runs on little-endian machines
  return value;
}

std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint16_t value;
  std::memcpy(&value, &bytes[at], 2);
  return value;
}

TEST(BitmapFile, PadsRowsToFourBytes) {
  auto layout24 = LayoutBitmapFile(3, 2, 24);
  ASSERT_TRUE(layout24);
  EXPECT_EQ(layout24->rowBytes, 12u);
  EXPECT_EQ(layout24->imageBytes, 24u);
  EXPECT_EQ(layout24->fileBytes, 78u);
  auto layout32 = LayoutBitmapFile(1920, 1080, 32);
  ASSERT_TRUE(layout32);
  EXPECT_EQ(layout32->rowBytes, 7680u);
  EXPECT_EQ(layout32->fileBytes, 54u + 7680u * 1080u);
}

TEST(BitmapFile, RefusesEmptyOddOrOversizedImages) {
  EXPECT_FALSE(LayoutBitmapFile(0, 10, 32));
  EXPECT_FALSE(LayoutBitmapFile(10, -1, 32));
  EXPECT_FALSE(LayoutBitmapFile(10, 10, 16));
  EXPECT_FALSE(LayoutBitmapFile(65536, 16384, 32));  // 4 GiB of pixels
  EXPECT_TRUE(LayoutBitmapFile(32767, 32767, 32));
}

TEST(BitmapFile, WritesBothHeadersOfAnUncompressedBottomUpBitmap) {
  auto layout = LayoutBitmapFile(5, 3, 24);
  ASSERT_TRUE(layout);
  std::vector<std::uint8_t> bytes(kBitmapHeadersBytes, 0xCC);
  WriteBitmapHeaders(*layout, bytes.data());
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(Read32(bytes, 2), 54u + 16u * 3u);  // file size
  EXPECT_EQ(Read32(bytes, 6), 0u);              // both reserved words
  EXPECT_EQ(Read32(bytes, 10), 54u);            // pixel offset
  EXPECT_EQ(Read32(bytes, 14), 40u);            // info header size
  EXPECT_EQ(Read32(bytes, 18), 5u);
  EXPECT_EQ(Read32(bytes, 22), 3u);  // positive: bottom-up
  EXPECT_EQ(Read16(bytes, 26), 1u);  // planes
  EXPECT_EQ(Read16(bytes, 28), 24u);
  EXPECT_EQ(Read32(bytes, 30), 0u);  // BI_RGB
  EXPECT_EQ(Read32(bytes, 34), 48u);
  for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(Read32(bytes, at), 0u) << at;
}

TEST(BitmapFile, KeepsThirtyTwoBitScreensAndWidensTheRest) {
  EXPECT_EQ(FileBitsPerPixel(32), 32);
  EXPECT_EQ(FileBitsPerPixel(24), 24);
  EXPECT_EQ(FileBitsPerPixel(16), 24);
  EXPECT_EQ(FileBitsPerPixel(8), 24);
}

}  // namespace
}  // namespace tandry
