#include "BitmapFile.h"

#include <limits>

namespace tandry {

namespace {

void Put16(std::uint8_t*& out, std::uint16_t value) {
  for (int shift = 0; shift < 16; shift += 8) *out++ = static_cast<std::uint8_t>(value >> shift);
}

void Put32(std::uint8_t*& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) *out++ = static_cast<std::uint8_t>(value >> shift);
}

}  // namespace

std::uint16_t FileBitsPerPixel(int screenBits) { return screenBits >= 32 ? 32 : 24; }

std::optional<BitmapFileLayout> LayoutBitmapFile(std::int32_t width, std::int32_t height,
                                                 std::uint16_t bitsPerPixel) {
  if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) return std::nullopt;
  const std::uint64_t rowBytes = (std::uint64_t{static_cast<std::uint32_t>(width)} * bitsPerPixel + 31) / 32 * 4;
  const std::uint64_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
  const std::uint64_t fileBytes = imageBytes + kBitmapHeadersBytes;
  if (fileBytes > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return BitmapFileLayout{width,
                          height,
                          bitsPerPixel,
                          static_cast<std::uint32_t>(rowBytes),
                          static_cast<std::uint32_t>(imageBytes),
                          static_cast<std::uint32_t>(fileBytes)};
}

void WriteBitmapHeaders(const BitmapFileLayout& layout, std::uint8_t* out) {
  // BITMAPFILEHEADER
  *out++ = 'B';
  *out++ = 'M';
  Put32(out, layout.fileBytes);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, kBitmapHeadersBytes);
  // BITMAPINFOHEADER: a positive height means bottom-up rows; BI_RGB, no colour table.
  Put32(out, kBitmapHeadersBytes - kBitmapInfoHeaderOffset);
  Put32(out, static_cast<std::uint32_t>(layout.width));
  Put32(out, static_cast<std::uint32_t>(layout.height));
  Put16(out, 1);
  Put16(out, layout.bitsPerPixel);
  Put32(out, 0);
  Put32(out, layout.imageBytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
}

}  // namespace tandry
