#include "BmpFile.h"

#include <limits>

namespace larkpane {
namespace {

std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t ReadU32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

std::int32_t ReadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadU32(p)); }

constexpr std::uint32_t kUncompressed = 0;  // BI_RGB

}  // namespace

std::optional<BmpLayout> ParseBmp(const std::uint8_t* headers, std::size_t headerBytes,
                                  std::uint64_t fileBytes) {
  if (headers == nullptr || headerBytes < kBmpHeadersBytes || fileBytes < kBmpHeadersBytes) {
    return std::nullopt;
  }
  if (headers[0] != 'B' || headers[1] != 'M') return std::nullopt;
  const std::uint64_t pixelOffset = ReadU32(headers + 10);
  const std::uint8_t* info = headers + kFileHeaderBytes;
  const std::uint64_t infoSize = ReadU32(info);
  if (infoSize < kInfoHeaderBytes || kFileHeaderBytes + infoSize > fileBytes) return std::nullopt;
  if (pixelOffset < kFileHeaderBytes + infoSize) return std::nullopt;

  const std::int32_t width = ReadI32(info + 4);
  const std::int32_t rawHeight = ReadI32(info + 8);
  const std::uint16_t planes = ReadU16(info + 12);
  const std::uint16_t bitCount = ReadU16(info + 14);
  const std::uint32_t compression = ReadU32(info + 16);
  if (planes != 1 || (bitCount != 24 && bitCount != 32) || compression != kUncompressed) {
    return std::nullopt;
  }
  // A negative height marks a top-down file; INT32_MIN has no positive counterpart.
  if (rawHeight == std::numeric_limits<std::int32_t>::min()) return std::nullopt;
  const std::int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
    return std::nullopt;
  }

  const std::uint64_t stride = (std::uint64_t{static_cast<std::uint32_t>(width)} * bitCount + 31) /
                               32 * 4;
  if (pixelOffset > fileBytes ||
      stride * static_cast<std::uint64_t>(height) > fileBytes - pixelOffset) {
    return std::nullopt;
  }

  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.topDown = rawHeight < 0;
  layout.bitCount = bitCount;
  layout.pixelOffset = static_cast<std::size_t>(pixelOffset);
  layout.stride = static_cast<std::size_t>(stride);
  return layout;
}

}  // namespace larkpane
