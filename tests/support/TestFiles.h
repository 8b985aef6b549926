// Files for the tests: a temporary folder of their own, whole files as bytes, and BMP files
// written to order or read a pixel at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tandry::wintest {

// A folder of its own under the temporary directory, named after the process and numbered
// within it, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder with a trailing backslash.
  const std::string& path() const { return folder_; }
  std::string Path(const std::string& name) const { return folder_ + name; }

 private:
  std::string folder_;
};

bool FileExists(const std::string& path);
// The whole file; empty when it can't be read.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Writes a BMP of `width` x `height` whose pixel (x, y), counted from the top, is
// colour(x, y); `bits` is 24 or 32, and `topDown` stores the rows top first.
void WriteBmp(const std::string& path, int width, int height, int bits, bool topDown,
              const std::function<COLORREF(int, int)>& colour);
// A 32-bit bottom-up BMP of one colour.
void WriteSolidBmp(const std::string& path, int width, int height, COLORREF colour);

// The pixel at (x, y), counted from the top-left, of a 24- or 32-bit uncompressed BMP file, and
// its size in `size`; CLR_INVALID when the file can't be read as one.
COLORREF BitmapFilePixel(const std::string& path, int x, int y, SIZE* size = nullptr);

}  // namespace tandry::wintest
