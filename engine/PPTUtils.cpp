#include "PPTUtils.h"

#include "Contained.h"
#include "ScopedWin.h"
#include "SlideShowWindow.h"

namespace tandry {

namespace {

IUnknown* ObjectOf(const VARIANT& variant) {
  switch (V_VT(&variant)) {
    case VT_DISPATCH:
      return V_DISPATCH(&variant);
    case VT_UNKNOWN:
      return V_UNKNOWN(&variant);
    case VT_DISPATCH | VT_BYREF:
      return V_DISPATCHREF(&variant) ? *V_DISPATCHREF(&variant) : nullptr;
    case VT_UNKNOWN | VT_BYREF:
      return V_UNKNOWNREF(&variant) ? *V_UNKNOWNREF(&variant) : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

HWND GetSlideShowWindowHandle(const VARIANT& showWindowObject) {
  IUnknown* object = ObjectOf(showWindowObject);
  if (!object) return nullptr;
  ScopedComPtr<ISlideShowWindow> window;
  if (FAILED(object->QueryInterface(IID_SlideShowWindow,
                                    reinterpret_cast<void**>(window.receive()))) ||
      !window)
    return nullptr;
  LONG handle = 0;
  if (FAILED(window->get_HWND(&handle))) return nullptr;
  // The property is 32 bits wide; window handles are sign-extended 32-bit values.
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
}

void BringWindowToFront(HWND window) {
  HWND foreground = ::GetForegroundWindow();
  if (window == foreground) return;
  const DWORD foregroundThread = ::GetWindowThreadProcessId(foreground, nullptr);
  const DWORD windowThread = ::GetWindowThreadProcessId(window, nullptr);
  if (foregroundThread != windowThread) {
    ::AttachThreadInput(foregroundThread, windowThread, TRUE);
    ::SetForegroundWindow(window);
    ::AttachThreadInput(foregroundThread, windowThread, FALSE);
  } else {
    ::SetForegroundWindow(window);
  }
  ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
}

}  // namespace tandry

using namespace tandry;

TANDRYCORE_API void __stdcall ActivateSlideShow(VARIANT showWindowObject) {
  Contained([&] {
    // Our own reference to the object for the length of the call.
    ScopedVariant held;
    if (FAILED(::VariantCopy(held.get(), &showWindowObject))) return;
    if (HWND window = GetSlideShowWindowHandle(*held)) BringWindowToFront(window);
  });
}
