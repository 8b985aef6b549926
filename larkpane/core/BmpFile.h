// Reading a slide bitmap from the bytes of a Windows BMP file, as the engine's capture writes it:
// BITMAPFILEHEADER, then a BITMAPINFOHEADER (or a longer header that starts like one), then
// uncompressed 24- or 32-bit pixel rows, bottom-up or top-down. The bytes come from a file and
// are not trusted: every size and offset is checked against the length actually read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace larkpane {

// Larger files are not read at all; an 8K 32-bit capture is about 133 MB.
constexpr std::uint64_t kMaxBitmapFileBytes = 256u * 1024 * 1024;
// Larger sides are no capture of a monitor.
constexpr std::int32_t kMaxBitmapSide = 16384;

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

struct BmpLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;     // always positive
  bool topDown = false;        // the file's first row is the top row
  std::uint16_t bitCount = 0;  // 24 or 32
  std::size_t pixelOffset = 0; // where the first row starts in the file
  std::size_t stride = 0;      // bytes per row, padded to 4
};

// The image in `data`, or nothing when the bytes are not a BMP that larkpane shows.
std::optional<BmpLayout> ParseBmp(const std::uint8_t* data, std::size_t size);

}  // namespace larkpane
