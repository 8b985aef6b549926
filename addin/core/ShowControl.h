// The show's control in the add-in: the start/stop toggle and the start sequence, the placing of
// the presentation program's own show on a monitor, the notes view, the forwarding of the
// slide-show events, the stop, and the insert-slide shortcut. Each runs in the add-in's error
// mode: a failing step is skipped and the next one runs.
#pragma once

#include <cstdint>
#include <string>

#include "HostObject.h"
#include "ModuleState.h"

namespace tandry::addin {

// Virtual-key code and modifier flags of the insert-slide shortcut: Alt+M.
inline constexpr std::int32_t kInsertSlideKey = 0x4D;
inline constexpr std::int32_t kAltModifier = 1;

// The start/stop button and the add-in object's start method: stops a running show; otherwise
// asks for the settings and starts a show with them.
void StartStopShow(Module& module);
bool IsShowRunning(const Module& module);
// Checks the monitors, runs and places the presentation program's show, opens the notes view
// and starts the engine's session. `Running` tells whether it started.
void StartShow(Module& module, const ObjectRef& pres);

// Runs the show of `pres` on monitor `monitor`, at slide `slide`, with the cursor in the middle
// of the monitor; the show's window, or nothing when the show did not start.
ObjectRef RunShowOnMonitor(Module& module, const ObjectRef& pres, std::int32_t monitor,
                           std::int32_t slide);
// Turns a horizontal and a vertical length in pixels into points. False, with both left as
// they were, when the screen's pixels per inch can't be had.
bool PixelsToPoints(Module& module, float& x, float& y);

// The speaker notes of a slide: the text of the first body placeholder of its notes page; empty
// when there is none or it can't be read.
std::u16string GetNotesText(const ObjectRef& slide);
// Opens the notes view on the notes monitor with the notes of the slide now shown.
void OpenNotesView(Module& module);

// The stop: also run at the end of any slide show and at shutdown. Does nothing unless a show
// runs.
void StopShow(Module& module);
// The stop without ending the presentation program's own show: for a start that failed after
// that show began, which is left to the presenter.
void LeaveShow(Module& module);
// A build step or a slide change of any slide show; `window` is not used.
void ForwardNextBuild(Module& module, const ObjectRef& window);
void ForwardNextSlide(Module& module, const ObjectRef& window);

// Alt+M during a multi-screen show: a blank slide after the one shown, and the engine told.
void InsertSlideShortcut(Module& module);

}  // namespace tandry::addin
