#include "SlideImage.h"

#include <algorithm>
#include <new>

#include "ScopedWin.h"

namespace larkpane {

bool SlideImage::Load(const char* path) {
  Clear();
  std::size_t read = 0;
  if (!ReadFile(path, read)) return false;
  layout_ = ParseBmp(bytes_.get(), read);
  return Shown();
}

bool SlideImage::ReadFile(const char* path, std::size_t& read) {
  if (path == nullptr || *path == '\0') return false;
  // Others may delete or replace the file while it is open: the engine renames each new
  // capture over the old one and deletes them all at the stop.
  tandry::ScopedFile file(::CreateFileA(path, GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                        nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxBitmapFileBytes) {
    return false;
  }
  const std::size_t wanted = static_cast<std::size_t>(size.QuadPart);
  if (wanted > capacity_) {
    bytes_.reset();
    capacity_ = 0;
    bytes_.reset(new (std::nothrow) std::uint8_t[wanted]);
    if (!bytes_) return false;
    capacity_ = wanted;
  }
  // The file may have shrunk since its size was taken: what was read is what counts.
  while (read < wanted) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wanted - read, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes_.get() + read, chunk, &got, nullptr)) return false;
    if (got == 0) break;
    read += got;
  }
  return true;
}

void SlideImage::Draw(HDC dc, const Rect& target) const {
  if (!layout_) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = layout_->width;
  info.bmiHeader.biHeight = layout_->topDown ? -layout_->height : layout_->height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = layout_->bitCount;
  info.bmiHeader.biCompression = BI_RGB;
  // Averages the pixels that a downscale drops, so text on a slide stays legible.
  ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchDIBits(dc, target.left, target.top, target.width, target.height, 0, 0,
                  layout_->width, layout_->height, bytes_.get() + layout_->pixelOffset, &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace larkpane
