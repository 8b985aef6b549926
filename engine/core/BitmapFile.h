// The layout of the slide bitmap files: an uncompressed Windows bitmap, BITMAPFILEHEADER then
// BITMAPINFOHEADER, then the pixel rows bottom-up, each padded to a multiple of 4 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tandry {

struct BitmapFileLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t rowBytes = 0;
  std::uint32_t imageBytes = 0;
  std::uint32_t fileBytes = 0;
};

// Both headers together; the pixel rows start right after them.
inline constexpr std::uint32_t kBitmapHeadersBytes = 14 + 40;
// Where BITMAPINFOHEADER starts in the file.
inline constexpr std::uint32_t kBitmapInfoHeaderOffset = 14;

// The bits per pixel of a file captured from a screen of `screenBits`: 32 for a 32-bit screen,
// 24 otherwise, so the file needs no colour table and every reader of slides can read it.
std::uint16_t FileBitsPerPixel(int screenBits);

// The layout of a width x height image at 24 or 32 bits per pixel; none for an empty image,
// another depth, or a file that would not fit the format's 32-bit sizes.
std::optional<BitmapFileLayout> LayoutBitmapFile(std::int32_t width, std::int32_t height,
                                                 std::uint16_t bitsPerPixel);

// Writes both headers, kBitmapHeadersBytes bytes, little-endian, to `out`.
void WriteBitmapHeaders(const BitmapFileLayout& layout, std::uint8_t* out);

// The file beside `path` that a capture writes first and then moves over `path`. A crash
// between the two leaves it behind, so it is swept with the bitmap files.
inline std::string TemporaryPathOf(const std::string& path) { return path + ".tmp"; }

}  // namespace tandry
