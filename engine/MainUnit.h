// The show session: the nine session exports over the one session of the process, and the
// window procedure that captures the slide-show window before it handles navigation input.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

#include "Session.h"
#include "TandryExport.h"

// Prepares a multi-screen session: ScreenCount further screens (all on monitor 0 until
// AddSessionInfo says otherwise), SlideCount bitmap names, and a four-slide window on
// SingleScreenMonitor unless it is negative. Does nothing while a session runs.
TANDRY_EXPORT void __stdcall CreateTandrySession(const char* presentationName,
                                                 VARIANT showWindowObject,
                                                 std::int32_t screenCount,
                                                 std::int32_t slideCount,
                                                 std::int32_t singleScreenMonitor);
// Sets the monitor of one further screen, used at the next start.
TANDRY_EXPORT void __stdcall AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex);
// Prepares a shared-screen session: three earlier slides, and the notes when the low 16 bits of
// withNotes are not 0, on the monitor of the presentation program's own show.
TANDRY_EXPORT void __stdcall CreateTandrySharedScreenSession(const char* presentationName,
                                                             VARIANT showWindowObject,
                                                             std::int32_t singleScreenMonitor,
                                                             std::int32_t slideCount,
                                                             std::int32_t withNotes);
TANDRY_EXPORT void __stdcall StartTandrySession();
// Captures the slide-show window into the current slide's bitmap.
TANDRY_EXPORT void __stdcall NextBuild();
// The show moved to slideNumber: the further screens load the slides before it.
TANDRY_EXPORT void __stdcall NextSlide(std::int32_t slideNumber, const wchar_t* notes);
// A slide was added at `position`: later slides' bitmaps move up by one.
TANDRY_EXPORT void __stdcall InsertSlide(std::int32_t position);
TANDRY_EXPORT void __stdcall StopTandrySession();
TANDRY_EXPORT void __stdcall DestroyTandrySession();

namespace tandry {

// Called when the library unloads. Unless the process is ending, a running session is stopped
// first (its windows, the slide-show window's own procedure back, its files); then the
// session's text and lists are released.
void ReleaseSession(bool processEnding);

// The session's data as it stands.
const SessionRecord& SessionState();

// The procedure the session installs on the slide-show window.
LRESULT CALLBACK SlideShowWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tandry
