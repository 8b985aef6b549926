// The add-in's life in the presentation program: start-up when the host has finished starting
// (the version test, the engine's first call, the settings, and the two menu buttons in
// versions 9 to 11), shutdown when the host begins to close or the user removes the add-in, and
// the about box. Like every procedure of the add-in, each step that fails is skipped and the
// next one runs; only start-up looks at a failure, once, after its first engine call.
#pragma once

#include <string_view>

#include "HostObject.h"
#include "ModuleState.h"

namespace tandry::addin {

// Tags of the two menu buttons, by which a later start finds what an earlier one left.
inline constexpr std::u16string_view kStartStopTag = u"Tandry";
inline constexpr std::u16string_view kAboutTag = u"AboutTandry";

// Sets up the module state for the host `app`; false when the add-in refuses to start (a host
// older than version 9, with a message, or an engine that can't be bound, silently).
bool AddinStartup(Module& module, const ObjectRef& app);
// Stops a running show, resets the state and removes the menu buttons.
void AddinShutdown(Module& module);
// The engine's about box, shown modally.
void ShowAbout(Module& module);

}  // namespace tandry::addin
