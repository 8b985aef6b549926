// Late-bound calls on an automation object by member name, as a client of the presentation
// program makes them.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace tandry::standin {

// Reads property `name` into `value` (an empty variant).
HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value);
// Reads property `name` as a 32-bit integer.
HRESULT GetLong(IDispatch* object, const wchar_t* name, LONG& value);
// Calls method `name` with `count` arguments in their natural order (first argument first).
HRESULT CallMethod(IDispatch* object, const wchar_t* name, const VARIANT* arguments = nullptr,
                   UINT count = 0);

// The slide now shown in a running show: View.Slide.SlideIndex of its SlideShowWindow.
HRESULT GetCurrentSlideIndex(IDispatch* slideShowWindow, LONG& index);

}  // namespace tandry::standin
