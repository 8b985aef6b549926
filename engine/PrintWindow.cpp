#include "PrintWindow.h"

#include <cstring>

namespace tandry {

static_assert(sizeof(BITMAPFILEHEADER) == kBitmapInfoHeaderOffset &&
                  sizeof(BITMAPINFOHEADER) == kBitmapHeadersBytes - kBitmapInfoHeaderOffset,
              "the file's headers are the system's");

PrintWindowProc PrintWindowFunc = nullptr;

namespace {

// Renders windows whose content is drawn by the graphics hardware (such as today's slide-show
// windows); flags 0 capture those as an empty frame. Known from Windows 8.1 on.
constexpr UINT kRenderFullContent = 2;

// Writes the headers and the pixel rows to `path` through a file beside it that then replaces
// `path`. Whatever fails, the temporary file goes.
bool WriteFileReplacing(const std::string& path, const WindowImage& image) {
  std::uint8_t headers[kBitmapHeadersBytes];
  WriteBitmapHeaders(image.layout, headers);
  const std::string temporary = TemporaryPathOf(path);
  bool written = false;
  {
    ScopedFile file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD count = 0;
    written = ::WriteFile(file.get(), headers, sizeof headers, &count, nullptr) &&
              count == sizeof headers &&
              ::WriteFile(file.get(), image.bits, image.layout.imageBytes, &count, nullptr) &&
              count == image.layout.imageBytes;
  }
  if (written && ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    return true;
  ::DeleteFileA(temporary.c_str());
  return false;
}

}  // namespace

void BindPrintWindow() {
  PrintWindowFunc = nullptr;
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  if (!user32) return;
  PrintWindowFunc = reinterpret_cast<PrintWindowProc>(
      reinterpret_cast<void*>(::GetProcAddress(user32, "PrintWindow")));
}

bool CaptureWindow(HWND window, WindowImage& image) {
  if (!PrintWindowFunc) return false;
  RECT rect;
  if (!::GetWindowRect(window, &rect)) return false;
  ScopedGetDC screen(nullptr);
  if (!screen) return false;
  const int screenBits = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
  const auto layout = LayoutBitmapFile(rect.right - rect.left, rect.bottom - rect.top,
                                       FileBitsPerPixel(screenBits));
  if (!layout) return false;

  // The bitmap is laid out as the file's pixel rows (the info header is the file's own), so
  // they can be written straight from it.
  std::uint8_t headers[kBitmapHeadersBytes];
  WriteBitmapHeaders(*layout, headers);
  BITMAPINFO format{};
  std::memcpy(&format.bmiHeader, headers + kBitmapInfoHeaderOffset, sizeof format.bmiHeader);
  void* bits = nullptr;
  ScopedGdiObj<HBITMAP> bitmap(
      ::CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  ScopedMemDC dc(::CreateCompatibleDC(screen.get()));
  if (!bitmap || !bits || !dc) return false;
  bool printed;
  {
    ScopedSelect select(dc.get(), bitmap.get());
    // Flags 0 only where the full-content flag is not known; if that fails too, the window is
    // gone and the bitmap holds nothing worth a file.
    printed = PrintWindowFunc(window, dc.get(), kRenderFullContent) ||
              PrintWindowFunc(window, dc.get(), 0);
    ::GdiFlush();
  }
  if (!printed) return false;
  image.bitmap = std::move(bitmap);
  image.bits = static_cast<const std::uint8_t*>(bits);
  image.layout = *layout;
  return true;
}

bool CaptureWindowToFile(HWND window, const std::string& path) {
  WindowImage image;
  return CaptureWindow(window, image) && WriteFileReplacing(path, image);
}

}  // namespace tandry
