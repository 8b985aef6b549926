// Built in both Windows builds, not run: links the add-in's whole Win32 layer into a program
// whose import table the tests then read. The declared functions (stdcall in the i686 build)
// must resolve without the engine's or larkpane's import library, since the add-in binds them
// by name from its own folder.
#include "MainModule.h"

int main() {
  tandry::addin::InsertSlideShortcut();
  return 0;
}
