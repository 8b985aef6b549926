#include "SlideImage.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "BmpFile.h"
#include "ScopedWin.h"

namespace larkpane {
namespace {

// Rows are read this many bytes at a time: small enough to stay in the processor's cache
// between the read and the scaling, large enough that the reads cost little.
constexpr std::size_t kReadBytes = 256 * 1024;

bool ReadExactly(HANDLE file, std::uint8_t* into, std::size_t count) {
  while (count > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file, into, chunk, &got, nullptr) || got == 0) return false;
    into += got;
    count -= got;
  }
  return true;
}

}  // namespace

SlideFile::SlideFile(const char* path) {
  if (path == nullptr || *path == '\0') return;
  // Others may delete or replace the file while it is open: the engine renames each new
  // capture over the old one and deletes them all at the stop.
  file_.reset(::CreateFileA(path, GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  FILETIME lastWrite{};
  // Not GetFileInformationByHandle: its volume serial number costs Wine most of a millisecond.
  if (!file_ || !::GetFileSizeEx(file_.get(), &size) ||
      !::GetFileTime(file_.get(), nullptr, nullptr, &lastWrite)) {
    return;
  }
  identity_ = {true, path, static_cast<std::uint64_t>(size.QuadPart),
               std::uint64_t{lastWrite.dwHighDateTime} << 32 | lastWrite.dwLowDateTime};
}

bool SlideImage::Load(const SlideFile& file, const Rect& cell, LoadScratch& scratch) {
  Clear();
  shown_ = file && ReadAndScale(file.Handle(), cell, scratch);
  source_ = shown_ ? file.Identity() : FileIdentity{};
  return shown_;
}

bool SlideImage::Shows(const FileIdentity& file, const Rect& cell) const {
  if (!shown_ || !source_.Same(file)) return false;
  const Rect fitted = FitRect(cell, sourceWidth_, sourceHeight_);
  return fitted.width == area_.width && fitted.height == area_.height;
}

bool SlideImage::CopyFrom(const SlideImage& other, const Rect& cell) {
  Clear();
  const PixelBuffer& from = other.pixels_;
  if (!pixels_.Resize(from.Width(), from.Height(), from.BottomUp())) return false;
  std::memcpy(pixels_.Bits(), from.Bits(), from.Stride() * std::size_t(from.Height()));
  sourceWidth_ = other.sourceWidth_;
  sourceHeight_ = other.sourceHeight_;
  source_ = other.source_;
  area_ = FitRect(cell, sourceWidth_, sourceHeight_);
  shown_ = true;
  return true;
}

bool SlideImage::ReadAndScale(HANDLE file, const Rect& cell, LoadScratch& scratch) {
  LARGE_INTEGER size{};
  std::uint8_t headers[kBmpHeadersBytes];
  if (!::GetFileSizeEx(file, &size) || size.QuadPart <= 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxBitmapFileBytes ||
      !ReadExactly(file, headers, sizeof headers)) {
    return false;
  }
  const std::optional<BmpLayout> bmp =
      ParseBmp(headers, sizeof headers, static_cast<std::uint64_t>(size.QuadPart));
  if (!bmp) return false;
  const Rect area = FitRect(cell, bmp->width, bmp->height);
  LARGE_INTEGER rowsStart{};
  rowsStart.QuadPart = static_cast<LONGLONG>(bmp->pixelOffset);
  // The scaled image keeps the file's row order, so a file of the drawn size and depth is
  // read straight into it.
  if (area.Empty() || !pixels_.Resize(area.width, area.height, !bmp->topDown) ||
      !::SetFilePointerEx(file, rowsStart, nullptr, FILE_BEGIN)) {
    return false;
  }
  const bool asDrawn =
      area.width == bmp->width && area.height == bmp->height && bmp->bitCount == 32;
  if (asDrawn ? !ReadExactly(file, pixels_.Bits(), pixels_.Stride() * std::size_t(area.height))
              : !ReadScaled(file, *bmp, scratch)) {
    return false;
  }
  area_ = area;
  sourceWidth_ = bmp->width;
  sourceHeight_ = bmp->height;
  return true;
}

bool SlideImage::ReadScaled(HANDLE file, const BmpLayout& bmp, LoadScratch& scratch) {
  const std::int32_t rowsPerRead =
      static_cast<std::int32_t>(std::max<std::size_t>(1, kReadBytes / bmp.stride));
  scratch.rows.resize(bmp.stride * std::size_t(rowsPerRead));
  scratch.scaler.Begin({bmp.width, bmp.height, bmp.bitCount / 8, pixels_.Width(),
                        pixels_.Height(), pixels_.Bits(), pixels_.Stride()});
  for (std::int32_t left = bmp.height; left > 0; left -= rowsPerRead) {
    const std::int32_t count = std::min(left, rowsPerRead);
    // A file cut short since its size was taken shows nothing, not a part.
    if (!ReadExactly(file, scratch.rows.data(), bmp.stride * std::size_t(count))) return false;
    scratch.scaler.AddRows(scratch.rows.data(), bmp.stride, count);
  }
  return true;
}

void SlideImage::Refit(const Rect& cell, AreaScaler& scaler) {
  if (!shown_) return;
  const Rect area = FitRect(cell, sourceWidth_, sourceHeight_);
  if (area.width == area_.width && area.height == area_.height) {
    area_ = area;
    return;
  }
  source_ = FileIdentity{};  // fewer details than the file's from here on
  PixelBuffer refitted;
  if (area.Empty() || !refitted.Resize(area.width, area.height, pixels_.BottomUp())) {
    Clear();
    return;
  }
  scaler.Begin({pixels_.Width(), pixels_.Height(), 4, area.width, area.height, refitted.Bits(),
                refitted.Stride()});
  scaler.AddRows(pixels_.Bits(), pixels_.Stride(), pixels_.Height());
  pixels_ = std::move(refitted);
  area_ = area;
}

void SlideImage::Draw(HDC dc) const {
  if (shown_) pixels_.CopyTo(dc, area_.left, area_.top);
}

}  // namespace larkpane
