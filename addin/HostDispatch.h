// The host's object model over IDispatch: every HostObject of the add-in's Win32 side is an
// automation object of the presentation program, called late-bound by member name.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "HostObject.h"

namespace tandry::addin {

// A host object for `object` (which it keeps a reference to); nothing for null.
ObjectRef WrapDispatch(IDispatch* object);
// The automation object behind a host object; null for nothing or an object of another kind.
// No reference is added.
IDispatch* DispatchOf(const ObjectRef& object);

// An automation value as the add-in's core sees it, and back.
Value ValueOf(const VARIANT& variant);

}  // namespace tandry::addin
