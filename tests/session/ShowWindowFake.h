// Stand-ins for the presentation program's side of a show, for the Windows tests: a window of
// class "screenClass" that paints quadrants of colour (also on WM_PRINTCLIENT, so it can be
// captured) and records what reaches its own procedure, and automation objects with and without
// the SlideShowWindow interface.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "SlideShowWindow.h"

namespace tandry::testing {

// The colours of the four quadrants of a show window at slide `slide`; the slide changes them.
struct Quadrants {
  COLORREF topLeft, topRight, bottomLeft, bottomRight;
};
Quadrants QuadrantsOf(int slide);

struct ReceivedMessage {
  UINT message;
  WPARAM wParam;
};

class FakeShowWindow {
 public:
  // A visible popup window of class "screenClass" (a Unicode window, as the presentation
  // program's is) covering `rect`.
  explicit FakeShowWindow(const RECT& rect);
  ~FakeShowWindow();
  FakeShowWindow(const FakeShowWindow&) = delete;
  FakeShowWindow& operator=(const FakeShowWindow&) = delete;

  HWND handle() const { return window_; }
  // The window's own procedure, as its class installs it.
  static LONG_PTR OwnProcedure();

  // Everything the window's own procedure received, and how often it painted for a print.
  std::vector<ReceivedMessage> received;
  int printClientCount = 0;
  // The slide shown; a key-up of Space or a left button-up moves it on, as a show does.
  int slide = 1;

  // What the window's own procedure returns for WM_APP + n: a value the caller can recognise.
  static LRESULT ResultFor(UINT message) { return 0x5000 + message; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;
  HWND window_ = nullptr;
};

// IUnknown and IDispatch of an automation object that lives on the stack: it counts its
// references and the calls that could read it, offers IUnknown, IDispatch and `kOwnIid`, and has
// no type information and no late-bound members.
template <typename Interface, const IID& kOwnIid>
class StackDispatch : public Interface {
 public:
  ULONG references() const { return references_; }
  // Calls other than AddRef and Release.
  int calls() const { return calls_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    ++calls_;
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, kOwnIid)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    ++calls_;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    ++calls_;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    ++calls_;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    ++calls_;
    return E_NOTIMPL;
  }

 protected:
  int calls_ = 0;

 private:
  ULONG references_ = 1;
};

// A SlideShowWindow automation object whose HWND property is the given window; every other
// member answers E_NOTIMPL.
class FakeSlideShowWindow final : public StackDispatch<ISlideShowWindow, IID_SlideShowWindow> {
 public:
  explicit FakeSlideShowWindow(HWND window) : window_(window) {}
  bool failHwnd = false;

  HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_View(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Presentation(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_IsFullScreen(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Left(float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Left(float) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Top(float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Top(float) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Width(float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Width(float) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Height(float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Height(float) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_HWND(LONG* hwnd) override;
  HRESULT STDMETHODCALLTYPE get_Active(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Activate() override { return E_NOTIMPL; }

 private:
  HWND window_;
};

// An automation object that is not a slide-show window.
using PlainDispatch = StackDispatch<IDispatch, IID_IDispatch>;

}  // namespace tandry::testing
