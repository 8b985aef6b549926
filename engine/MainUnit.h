// The show session: the nine session exports over the one session of the process, and the
// window procedure that captures the slide-show window before it handles navigation input.
#pragma once

#include <windows.h>

#include "Session.h"
#include "tandrycore.h"

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
