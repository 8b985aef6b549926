// Reading a slide bitmap from the bytes of a Windows BMP file, as the engine's capture writes it:
// BITMAPFILEHEADER, then a BITMAPINFOHEADER (or a longer header that starts like one), then
// uncompressed 24- or 32-bit pixel rows, bottom-up or top-down. The bytes come from a file and
// are not trusted: every size and offset is checked against the file's length. Only the headers
// are parsed here; the rows are read from the file afterwards, a few at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace larkpane {

// Larger files are not read at all: an 8K 32-bit capture is about 133 MB, and reading more would
// hold up the show.
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

// The bytes ParseBmp needs from the start of a file.
constexpr std::size_t kBmpHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;

// The image of a file of `fileBytes` bytes that starts with `headerBytes` bytes at `headers`, or
// nothing when it is not a BMP that larkpane shows or its rows would run past the file's end.
std::optional<BmpLayout> ParseBmp(const std::uint8_t* headers, std::size_t headerBytes,
                                  std::uint64_t fileBytes);

}  // namespace larkpane
