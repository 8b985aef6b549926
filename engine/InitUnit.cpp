// The engine library as a whole: its entry point, the order in which its units set themselves
// up and tear themselves down, and the named mutex that marks a loaded copy.
#include <windows.h>

#include "Contained.h"
#include "MainUnit.h"
#include "PrintWindow.h"
#include "ScopedWin.h"
#include "SharedUnit.h"
#include "ShortcutsUnit.h"
#include "tandrycore.h"

// Binding either export by name loads the library; neither does anything else.
TANDRYCORE_API void __stdcall InitializeTandry() {}
TANDRYCORE_API void __stdcall ShutdownTandry() {}

namespace tandry {

namespace {

// Held from load to unload so that its existence marks a loaded copy; never waited on or owned.
ScopedHandle g_libraryMutex;

void StartLibrary() {
  // A copy in another process already made it: it is simply opened. A failure leaves none.
  g_libraryMutex.reset(::CreateMutexA(nullptr, FALSE, "Tandry"));
}

void StopLibrary() { g_libraryMutex.reset(); }

// Under the loader lock only what is safe there: binding a function of an already loaded
// module, a kernel object, memory. The shortcut window and its timer are made at the first
// shortcut, and the monitors are enumerated at their first query.
void LoadUnits() {
  BindPrintWindow();
  StartLibrary();
  CreateKeyboardShortcutsForm();
}

// The reverse order. When the process ends, the system takes the windows and hot keys along,
// but global atoms outlive it, so they are deleted in either case.
void UnloadUnits(bool processEnding) {
  FreeKeyboardShortcutsForm(processEnding);
  StopLibrary();
  ReleaseSession(processEnding);
  ReleaseMonitorList();
}

}  // namespace

}  // namespace tandry

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      tandry::Contained(tandry::LoadUnits);
      ::DisableThreadLibraryCalls(module);
      break;
    case DLL_PROCESS_DETACH:
      // A non-null `reserved` means the process is ending rather than FreeLibrary.
      tandry::Contained([reserved] { tandry::UnloadUnits(reserved != nullptr); });
      break;
  }
  return TRUE;
}
