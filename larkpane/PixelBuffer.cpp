#include "PixelBuffer.h"

namespace larkpane {

bool PixelBuffer::Resize(std::int32_t width, std::int32_t height, bool bottomUp) {
  // GDI may still hold drawing into the old pixels in its batch.
  ::GdiFlush();
  if (bitmap_ && width == width_ && height == height_ && bottomUp == bottomUp_) return true;
  Release();
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = bottomUp ? height : -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  dc_.reset(::CreateCompatibleDC(nullptr));
  dcBitmapWas_ = bitmap_ && dc_ ? ::SelectObject(dc_.get(), bitmap_.get()) : nullptr;
  if (bits == nullptr || dcBitmapWas_ == nullptr || dcBitmapWas_ == HGDI_ERROR) {
    Release();
    return false;
  }
  bits_ = static_cast<std::uint8_t*>(bits);
  width_ = width;
  height_ = height;
  bottomUp_ = bottomUp;
  return true;
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
  Release();
  bitmap_ = std::move(other.bitmap_);
  dc_ = std::move(other.dc_);
  dcBitmapWas_ = std::exchange(other.dcBitmapWas_, nullptr);
  bits_ = std::exchange(other.bits_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  bottomUp_ = std::exchange(other.bottomUp_, false);
  return *this;
}

// The device context goes first, with its original bitmap back, then the buffer's bitmap,
// which can't be deleted while selected.
void PixelBuffer::Release() {
  if (dc_ && dcBitmapWas_ != nullptr && dcBitmapWas_ != HGDI_ERROR) {
    ::SelectObject(dc_.get(), dcBitmapWas_);
  }
  dcBitmapWas_ = nullptr;
  dc_.reset();
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void PixelBuffer::CopyTo(HDC dc, std::int32_t left, std::int32_t top) const {
  if (bitmap_) ::BitBlt(dc, left, top, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace larkpane
