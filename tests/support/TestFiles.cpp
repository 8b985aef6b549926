#include "TestFiles.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <cstring>

namespace tandry::wintest {
namespace {

void Put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}

}  // namespace

TempFolder::TempFolder() {
  static int made = 0;
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "tandry-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(++made) + "\\";
  ::CreateDirectoryA(folder_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder_ + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = folder_ + found.cFileName;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ::RemoveDirectoryA(path.c_str());
      } else {
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(folder_.c_str());
}

bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(file);
  }
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void WriteBmp(const std::string& path, int width, int height, int bits, bool topDown,
              const std::function<COLORREF(int, int)>& colour) {
  const int stride = (width * bits + 31) / 32 * 4;
  std::vector<std::uint8_t> bytes;
  bytes.push_back('B');
  bytes.push_back('M');
  Put(bytes, 54 + stride * height, 4);
  Put(bytes, 0, 4);
  Put(bytes, 54, 4);
  Put(bytes, 40, 4);
  Put(bytes, width, 4);
  Put(bytes, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  Put(bytes, 1, 2);
  Put(bytes, bits, 2);
  Put(bytes, 0, 4);
  Put(bytes, stride * height, 4);
  Put(bytes, 0, 16);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    const std::size_t start = bytes.size();
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      bytes.push_back(GetBValue(c));
      bytes.push_back(GetGValue(c));
      bytes.push_back(GetRValue(c));
      if (bits == 32) bytes.push_back(0);
    }
    bytes.resize(start + stride, 0);
  }
  WriteBytes(path, bytes);
}

void WriteSolidBmp(const std::string& path, int width, int height, COLORREF colour) {
  WriteBmp(path, width, height, 32, false, [colour](int, int) { return colour; });
}

COLORREF BitmapFilePixel(const std::string& path, int x, int y, SIZE* size) {
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return CLR_INVALID;
  const std::uint32_t offset = Read32(bytes, 10);
  const auto width = static_cast<std::int32_t>(Read32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Read32(bytes, 22));
  const std::uint16_t bits = Read16(bytes, 28);
  if (Read32(bytes, 30) != BI_RGB || (bits != 24 && bits != 32) || width <= 0 || height == 0)
    return CLR_INVALID;
  const int rows = height > 0 ? height : -height;
  if (size) *size = SIZE{width, rows};
  if (x < 0 || y < 0 || x >= width || y >= rows) return CLR_INVALID;
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t row = height > 0 ? rows - 1 - y : y;
  const std::size_t at = offset + row * stride + static_cast<std::size_t>(x) * (bits / 8);
  if (at + 3 > bytes.size()) return CLR_INVALID;
  return RGB(bytes[at + 2], bytes[at + 1], bytes[at]);
}

}  // namespace tandry::wintest
