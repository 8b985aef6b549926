// A module of its own whose shortcut procedures throw, as a caller's procedure in another DLL
// might, so that the engine's containment is tried across a module boundary.
#include <stdexcept>
#include <type_traits>

#include "tandrycore.h"

extern "C" __declspec(dllexport) void __stdcall ThrowStdException() {
  throw std::runtime_error("Thrown in another module.");
}

extern "C" __declspec(dllexport) void __stdcall ThrowSomethingElse() { throw 42; }

static_assert(std::is_same_v<decltype(&ThrowStdException), TShortcutProc>,
              "shortcut procedures as callers hand them in");
