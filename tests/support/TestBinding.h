// The ways into the code under test: a DLL's export by name, and an automation object passed in
// a VARIANT as the add-in passes the slide-show window.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace tandry::wintest {

// The export `name` of `library` as a function of type Fn; null when there is none. The cast
// goes through void* since the function's type is known better than FARPROC's.
template <typename Fn>
Fn ExportOf(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

// A VARIANT of type VT_DISPATCH holding `object` without a reference of its own.
inline VARIANT DispatchVariant(IDispatch* object) {
  VARIANT variant;
  ::VariantInit(&variant);
  V_VT(&variant) = VT_DISPATCH;
  V_DISPATCH(&variant) = object;
  return variant;
}

}  // namespace tandry::wintest
