// The presentation program's slide-show window: its handle from the automation object, and
// bringing it to the front.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "tandrycore.h"

namespace tandry {

// The HWND property of the SlideShowWindow object that `showWindowObject` holds (an IDispatch or
// IUnknown, also by reference), read through the early-bound interface. 0 for an empty variant,
// no object, an object without that interface, or a failing read.
HWND GetSlideShowWindowHandle(const VARIANT& showWindowObject);

// Makes `window` (not 0) the foreground window, joining the input of the foreground window's
// thread for that moment, then restores it if it is minimised or shows it. Nothing at all when
// it already is the foreground window.
void BringWindowToFront(HWND window);

}  // namespace tandry
