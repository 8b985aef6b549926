// The presentation program's early-bound SlideShowWindow interface, declared from its published
// member order: after IDispatch come get_Application, get_Parent, get_View, get_Presentation,
// get_IsFullScreen, then get/put pairs of Left, Top, Width and Height (in points), then get_HWND.
// The engine reads HWND through this vtable; the stand-in presentation program implements it.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace tandry {

// {91493453-5A91-11CF-8700-00AA0060263B}
inline constexpr IID IID_SlideShowWindow = {
    0x91493453, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

// DISPIDs of the same members, for late-bound callers.
enum SlideShowWindowDispId : DISPID {
  kDispApplication = 0x7D1,
  kDispParent = 0x7D2,
  kDispView = 0x7D3,
  kDispPresentation = 0x7D4,
  kDispIsFullScreen = 0x7D5,
  kDispLeft = 0x7D6,
  kDispTop = 0x7D7,
  kDispWidth = 0x7D8,
  kDispHeight = 0x7D9,
  kDispHWND = 0x7DA,
  kDispActive = 0x7DB,
  kDispActivate = 0x7DC,
};

struct ISlideShowWindow : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Application(IDispatch** application) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_View(IDispatch** view) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Presentation(IDispatch** presentation) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IsFullScreen(LONG* isFullScreen) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Left(float* left) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Left(float left) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Top(float* top) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Top(float top) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Width(float* width) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Width(float width) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Height(float* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Height(float height) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HWND(LONG* hwnd) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Active(LONG* active) = 0;
  virtual HRESULT STDMETHODCALLTYPE Activate() = 0;
};

}  // namespace tandry
