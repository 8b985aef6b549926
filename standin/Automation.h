// Object-model paths that several parts of the stand-in and its tests walk by name.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace tandry::standin {

// The slide now shown in a running show: View.Slide.SlideIndex of its SlideShowWindow.
HRESULT GetCurrentSlideIndex(IDispatch* slideShowWindow, LONG& index);

}  // namespace tandry::standin
