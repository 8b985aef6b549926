// Capture of a window, frame included, into a Windows bitmap file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "BitmapFile.h"
#include "ScopedWin.h"

namespace tandry {

using PrintWindowProc = BOOL(WINAPI*)(HWND window, HDC dc, UINT flags);

// user32's PrintWindow, or nil on a system without it.
extern PrintWindowProc PrintWindowFunc;

// Binds PrintWindowFunc when the library loads. Only GetModuleHandleA and GetProcAddress, so it
// is safe under the loader lock.
void BindPrintWindow();

// A window's image in the pixel format of its bitmap file.
struct WindowImage {
  ScopedGdiObj<HBITMAP> bitmap;
  const std::uint8_t* bits = nullptr;  // the rows as the file holds them, owned by `bitmap`
  BitmapFileLayout layout;
};

// Prints `window`, frame included, into `image`: a new bitmap of the window's size at the
// screen's colour depth (widened to 24 bits below 32), whose bits are the file's pixel rows.
// False, with `image` untouched, when there is no print function, the window is gone or has no
// area, or the print failed.
bool CaptureWindow(HWND window, WindowImage& image);

// Captures `window` into the bitmap file at `path`, replacing it in one step: a reader sees
// either the previous file or the new one. False when nothing was written; then the file at
// `path` is as it was and no partial file is left. Raises nothing.
bool CaptureWindowToFile(HWND window, const std::string& path);

}  // namespace tandry
