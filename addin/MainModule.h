// The add-in's module on its Win32 side: the one module state over the Win32 ports (declared
// functions, registry settings, message boxes, the add-in's own objects), and the procedure
// that the engine calls for Alt+M. Every entry from outside (the add-in object, the event sink,
// the shortcut) works on this one module.
#pragma once

#include "ModuleState.h"

namespace tandry::addin {

// The add-in's one module, made at its first use and kept while the add-in is loaded.
Module& MainModule();

// The stdcall procedure registered with the engine for Alt+M: inserts a blank slide. Nothing
// leaves it; an exception could not be caught across the engine in the 32-bit build.
void __stdcall InsertSlideShortcut();

}  // namespace tandry::addin
