// larkpane: windows that show slide bitmaps on a monitor, and the notes view.
// Every function takes a ScreenHandle of 0 and then does nothing; a create returns 0 on failure.
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

// One slide window covering a monitor rectangle (pixels of the virtual desktop).
LARKPANE_API LarkScreenHandle __stdcall CreateSlideShow(std::int32_t left, std::int32_t top,
                                                       std::int32_t width, std::int32_t height);
// Shows slide SlideNumber from the bitmap file at BitmapPath (nil or no file: an empty slide).
LARKPANE_API void __stdcall LoadSlide(std::int32_t slideNumber, LarkScreenHandle handle,
                                      const char* bitmapPath, std::uint8_t backward);
LARKPANE_API void __stdcall DestroySlideShow(LarkScreenHandle handle);

// Four-slide window: positions 1 to 4 in a 2x2 grid.
LARKPANE_API LarkScreenHandle __stdcall CreateSlideShowSingleScreen(std::int32_t left,
                                                                   std::int32_t top,
                                                                   std::int32_t width,
                                                                   std::int32_t height,
                                                                   std::uint8_t notes);
LARKPANE_API void __stdcall LoadSlideSingleScreen(std::int32_t position, std::int32_t slideNumber,
                                                  LarkScreenHandle handle, const char* bitmapPath,
                                                  std::uint8_t backward);
LARKPANE_API void __stdcall DestroySlideShowSingleScreen(LarkScreenHandle handle);

// Shared-screen window on the monitor of the show window: positions 1 to 3, and the notes text
// when notes is non-zero.
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
