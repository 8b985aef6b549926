// tandrycore: the show engine. One show session per process over the presentation program's
// slide-show window (create, add further screens, start, next slide, next build, insert slide,
// stop, destroy), the monitor list in primary-first order, the install path, global shortcuts
// that are live only while this process's slide show is in front, the password scrambler, the
// about box and bringing the slide show to the front.
// All nineteen functions use the stdcall convention with 32-bit argument slots (the variant
// takes 16 bytes) and are exported by their plain names in both builds. Callers that bind them
// by name take each function's type from here, as decltype(&::Name), rather than retyping it.
// Every call belongs on the thread that loaded the library, which must run a message loop. No
// function raises or returns an error: session calls that don't fit the session's state do
// nothing. Texts are NUL-terminated 8-bit text in buffers the caller owns, except the notes,
// which are UTF-16.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

// The engine's function of that name, not user32's GetMonitorInfoA/W.
#undef GetMonitorInfo

#ifdef TANDRYCORE_BUILD
#define TANDRYCORE_API extern "C" __declspec(dllexport)
#else
#define TANDRYCORE_API extern "C" __declspec(dllimport)
#endif

// A shortcut's procedure: no arguments, no result.
//
// It must not let an exception out. In the 32-bit build every DLL carries its own copy of the
// exception machinery, so an exception leaving a procedure that lives in another module can't be
// caught by the engine, and the process ends. Where the engine can catch one (the 64-bit build,
// or a procedure in the engine's own module) it shows it in a message box captioned
// "Tandry Exception" and goes on.
typedef void(__stdcall* TShortcutProc)(void);

// Loading the library (binding either of these by name) is their only effect.
TANDRYCORE_API void __stdcall InitializeTandry(void);
TANDRYCORE_API void __stdcall ShutdownTandry(void);

// The show session.
//
// Prepares a multi-screen session: screenCount further screens (all on monitor 0 until
// AddSessionInfo says otherwise), slideCount bitmap names, and a four-slide window on
// singleScreenMonitor unless it is negative. showWindowObject is the running show's
// SlideShowWindow object (VT_DISPATCH), held only for the call. Does nothing at all while a
// session runs; the object is not even read.
TANDRYCORE_API void __stdcall CreateTandrySession(const char* presentationName,
                                                  VARIANT showWindowObject,
                                                  std::int32_t screenCount,
                                                  std::int32_t slideCount,
                                                  std::int32_t singleScreenMonitor);
// Sets the monitor of one further screen, used at the next start.
TANDRYCORE_API void __stdcall AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex);
// Prepares a shared-screen session: three earlier slides, and the notes when the low 16 bits of
// withNotes are not 0, on the monitor of the presentation program's own show. Does nothing at
// all while a session runs.
TANDRYCORE_API void __stdcall CreateTandrySharedScreenSession(const char* presentationName,
                                                              VARIANT showWindowObject,
                                                              std::int32_t singleScreenMonitor,
                                                              std::int32_t slideCount,
                                                              std::int32_t withNotes);
TANDRYCORE_API void __stdcall StartTandrySession(void);
// Captures the slide-show window into the current slide's bitmap.
TANDRYCORE_API void __stdcall NextBuild(void);
// The show moved to slideNumber: the further screens load the slides before it; notes (UTF-16,
// may be nil) go to a shared-screen window with notes.
TANDRYCORE_API void __stdcall NextSlide(std::int32_t slideNumber, const wchar_t* notes);
// A slide was added at `position`: later slides' bitmaps move up by one.
TANDRYCORE_API void __stdcall InsertSlide(std::int32_t position);
TANDRYCORE_API void __stdcall StopTandrySession(void);
TANDRYCORE_API void __stdcall DestroyTandrySession(void);

// Monitors, install path, the slide-show window.
//
// Writes the number of monitors into usableMonitors and systemMonitors and 0 into reserved.
TANDRYCORE_API void __stdcall GetMonitorCount(std::int32_t* usableMonitors,
                                              std::int32_t* systemMonitors,
                                              std::int32_t* reserved);
// Writes the rectangle in pixels of monitor `index` (0 is the primary); nothing outside the list.
TANDRYCORE_API void __stdcall GetMonitorInfo(std::int32_t index, std::int32_t* left,
                                             std::int32_t* top, std::int32_t* width,
                                             std::int32_t* height);
// Copies the install path from the registry into buffer and returns its length; 0 without one.
TANDRYCORE_API std::int32_t __stdcall GetInstallPath(char* buffer);
// Brings the slide-show window of showWindowObject to the foreground and restores or shows it.
TANDRYCORE_API void __stdcall ActivateSlideShow(VARIANT showWindowObject);

// Writes the scrambled form of source into dest, which holds one byte more than source.
TANDRYCORE_API void __stdcall EncryptString(const char* source, char* dest);

// Binds key (a virtual-key code) with modifiers (1 Alt, 2 Control, 4 Shift, 8 Windows) to
// callback for as long as it is registered; returns the shortcut's identifier, 0 on failure.
TANDRYCORE_API std::uint32_t __stdcall RegisterShortcut(std::int32_t key, std::int32_t modifiers,
                                                        TShortcutProc callback);
TANDRYCORE_API void __stdcall UnregisterShortcut(std::uint32_t id);

// Shows the about box modally and returns when it is closed.
TANDRYCORE_API void __stdcall ShowAboutForm(void);
