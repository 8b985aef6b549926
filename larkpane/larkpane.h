// larkpane: windows that show slide bitmaps on a monitor, and the notes view.
// Every function takes a ScreenHandle of 0 and then does nothing, as it does with a handle that
// is unknown, already destroyed or of another kind of window; a create returns 0 on failure.
// Everything runs on the calling thread, which must run a message loop; larkpane starts no
// thread. No slide window ever takes the activation, so the show window stays in front.
// All sixteen use the stdcall convention on i686 and are exported by their plain names.
#pragma once

#include <windows.h>

#include <cstdint>

#ifdef LARKPANE_BUILD
#define LARKPANE_API extern "C" __declspec(dllexport)
#else
#define LARKPANE_API extern "C" __declspec(dllimport)
#endif

// Opaque handle of a larkpane window; 0 means none.
typedef std::int32_t LarkScreenHandle;

// One slide window covering a monitor rectangle (pixels of the virtual desktop); a rectangle
// that can't be a monitor's (empty, or beyond GDI's coordinates) opens nothing and gives 0.
LARKPANE_API LarkScreenHandle __stdcall CreateSlideShow(std::int32_t left, std::int32_t top,
                                                       std::int32_t width, std::int32_t height);
// Shows slide SlideNumber from the bitmap file at BitmapPath, an uncompressed 24- or 32-bit BMP,
// read at once and closed; a number of 0 or less, nil, no file or no such BMP: an empty slide.
// Loads only invalidate: the window repaints once the desktop's updates are unlocked.
// Backward changes nothing.
LARKPANE_API void __stdcall LoadSlide(std::int32_t slideNumber, LarkScreenHandle handle,
                                      const char* bitmapPath, std::uint8_t backward);
LARKPANE_API void __stdcall DestroySlideShow(LarkScreenHandle handle);

// Four-slide window: positions 1 to 4 in a 2x2 grid (1 and 2 on top). The notes flag is ignored.
LARKPANE_API LarkScreenHandle __stdcall CreateSlideShowSingleScreen(std::int32_t left,
                                                                   std::int32_t top,
                                                                   std::int32_t width,
                                                                   std::int32_t height,
                                                                   std::uint8_t notes);
LARKPANE_API void __stdcall LoadSlideSingleScreen(std::int32_t position, std::int32_t slideNumber,
                                                  LarkScreenHandle handle, const char* bitmapPath,
                                                  std::uint8_t backward);
LARKPANE_API void __stdcall DestroySlideShowSingleScreen(LarkScreenHandle handle);

// Shared-screen window on the monitor of the show window (monitorIndex is not used): positions
// 1 to 3 stacked at the right, and the notes text below when notes is non-zero. The show window
// is moved to the rest of the monitor and gets its rectangle back when the window is destroyed.
// 0 when showWindow is no window.
LARKPANE_API LarkScreenHandle __stdcall CreateSlideShowSharedSingleScreen(std::int32_t monitorIndex,
                                                                         HWND showWindow,
                                                                         std::uint8_t notes);
LARKPANE_API void __stdcall LoadSlideSharedSingleScreen(std::int32_t position,
                                                        std::int32_t slideNumber,
                                                        LarkScreenHandle handle,
                                                        const char* bitmapPath,
                                                        std::uint8_t backward);
LARKPANE_API void __stdcall LoadNotesSingleScreen(std::int32_t slideNumber,
                                                  LarkScreenHandle handle, const wchar_t* notes);
LARKPANE_API void __stdcall DestroySlideShowSharedSingleScreen(LarkScreenHandle handle);

// The notes view: a title and the whole notes text of the current slide.
LARKPANE_API LarkScreenHandle __stdcall CreateNotesView(std::int32_t left, std::int32_t top,
                                                       std::int32_t width, std::int32_t height);
LARKPANE_API void __stdcall SetNotesTitle(LarkScreenHandle handle, const wchar_t* title);
LARKPANE_API void __stdcall SetNotesText(LarkScreenHandle handle, const wchar_t* text);
LARKPANE_API void __stdcall ShowNotesView(LarkScreenHandle handle);
LARKPANE_API void __stdcall HideNotesView(LarkScreenHandle handle);
LARKPANE_API void __stdcall DestroyNotesView(LarkScreenHandle handle);
