#include "SlideShowWindowObject.h"

#include <iterator>
#include <utility>

#include "Monitors.h"
#include "SlideLayout.h"
#include "SlidePainter.h"

namespace tandry::standin {

namespace {

namespace events = host::application_events;

// DISPIDs of the members that callers reach by name only.
enum : DISPID { kDispName = 1, kDispSlide = 1, kDispGotoSlide = 2, kDispExit = 3 };
enum : DISPID { kDispSlideIndex = 1 };

constexpr LONG kTrue = -1;  // the presentation program's true value
constexpr LONG kFalse = 0;

const DispatchMember kPresentationMembers[] = {{L"Name", kDispName}};

const DispatchMember kWindowMembers[] = {
    {L"Application", kDispApplication},
    {L"Parent", kDispParent},
    {L"View", kDispView},
    {L"Presentation", kDispPresentation},
    {L"IsFullScreen", kDispIsFullScreen},
    {L"Left", kDispLeft},
    {L"Top", kDispTop},
    {L"Width", kDispWidth},
    {L"Height", kDispHeight},
    {L"HWND", kDispHWND},
    {L"Active", kDispActive},
    {L"Activate", kDispActivate},
};

const DispatchMember kViewMembers[] = {
    {L"Slide", kDispSlide}, {L"GotoSlide", kDispGotoSlide}, {L"Exit", kDispExit}};

const DispatchMember kSlideMembers[] = {{L"SlideIndex", kDispSlideIndex}};

// One slide of the presentation; late bound: SlideIndex.
class SlideObject final : public DispatchObject<IDispatch> {
 public:
  explicit SlideObject(int index)
      : DispatchObject(kSlideMembers, std::size(kSlideMembers)), index_(index) {}

 private:
  HRESULT InvokeMember(DISPID, WORD flags, const DISPPARAMS&, VARIANT* result) override {
    if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
    result->vt = VT_I4;
    result->lVal = index_;
    return S_OK;
  }
  int index_;
};

// The show's view; late bound: Slide (the slide now shown), GotoSlide(index[, resetFlag]), Exit.
class SlideShowViewObject final : public DispatchObject<IDispatch> {
 public:
  explicit SlideShowViewObject(SlideShowWindowObject& window)
      : DispatchObject(kViewMembers, std::size(kViewMembers)), window_(&window) {
    window.AddRef();
  }

 private:
  HRESULT InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result) override {
    ShowController& show = window_->show();
    switch (id) {
      case kDispSlide:
        if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
        if (!show.running()) return E_FAIL;
        result->vt = VT_DISPATCH;
        result->pdispVal = new SlideObject(show.slide());
        return S_OK;
      case kDispGotoSlide:
        return GotoSlide(show, params);
      case kDispExit:
        show.End();
        return S_OK;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  // The reset flag is optional and true when left out.
  static HRESULT GotoSlide(ShowController& show, const DISPPARAMS& params) {
    ScopedVariant index;
    ScopedVariant reset;
    HRESULT hr = ArgumentAs(params, 0, VT_I4, *index.get());
    if (FAILED(hr)) return hr;
    hr = ArgumentAs(params, 1, VT_BOOL, *reset.get());
    if (FAILED(hr) && hr != DISP_E_PARAMNOTFOUND) return hr;
    const bool resetSlide = FAILED(hr) || (*reset).boolVal != VARIANT_FALSE;
    return show.GoToSlide((*index).lVal, resetSlide) ? S_OK : E_INVALIDARG;
  }

  ScopedComPtr<SlideShowWindowObject> window_;
};

}  // namespace

PresentationObject::PresentationObject(std::string name)
    : DispatchObject(kPresentationMembers, std::size(kPresentationMembers)),
      name_(std::move(name)) {}

HRESULT PresentationObject::InvokeMember(DISPID, WORD flags, const DISPPARAMS&, VARIANT* result) {
  if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
  return ReturnText(name_, result);
}

SlideShowWindowObject::SlideShowWindowObject(ApplicationObject& app,
                                             ScopedComPtr<PresentationObject> presentation,
                                             Deck deck)
    : DispatchObject(kWindowMembers, std::size(kWindowMembers)),
      app_(&app),
      presentation_(std::move(presentation)),
      deck_(std::move(deck)),
      show_(BuildCounts(deck_), *this) {
  app.AddRef();
}

ScopedComPtr<SlideShowWindowObject> SlideShowWindowObject::Run(ApplicationObject& app,
                                                               const std::string& name, Deck deck,
                                                               const RECT& monitor) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kShowWindowClass;
  RegisterClassExA(&windowClass);  // fails harmlessly once registered

  ScopedComPtr<PresentationObject> presentation(new PresentationObject(name));
  ScopedComPtr<SlideShowWindowObject> object(
      new SlideShowWindowObject(app, std::move(presentation), std::move(deck)));
  const std::string title = "Slide Show - " + name;
  const HWND window =
      CreateWindowExA(0, kShowWindowClass, title.c_str(), WS_POPUP, monitor.left, monitor.top,
                      monitor.right - monitor.left, monitor.bottom - monitor.top, nullptr, nullptr,
                      GetModuleHandleA(nullptr), object.get());
  if (!window) return {};
  object->show_.Begin();
  if (object->window_) {  // a sink may have ended the show already
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
  }
  return object;
}

// The window holds a reference to its object from WM_NCCREATE to WM_NCDESTROY, and one more for
// the length of each message, so that a handler may end the show and close the window safely.
LRESULT CALLBACK SlideShowWindowObject::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<SlideShowWindowObject*>(
        reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->AddRef();
    self->window_.reset(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<SlideShowWindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  self->AddRef();
  ScopedComPtr<SlideShowWindowObject> keepAlive(self);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_.release();
    self->Release();  // the window's own reference
    return DefWindowProcA(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {  // nothing may leave a window procedure
    return 0;
  }
}

LRESULT SlideShowWindowObject::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  switch (message) {
    case WM_KEYDOWN:  // the presentation program acts on the key going down
      show_.Perform(CommandForKey(static_cast<unsigned>(wParam)));
      return 0;
    case WM_LBUTTONDOWN:
      show_.Perform(ShowCommand::kNext);
      return 0;
    case WM_CLOSE:
      show_.End();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole window
    case WM_PAINT: {
      ScopedPaint paint(window);
      RECT client;
      GetClientRect(window, &client);
      // Drawn off screen first, so that a slide change never shows half a slide.
      ScopedMemDC memory(CreateCompatibleDC(paint.get()));
      ScopedGdiObj<HBITMAP> bitmap(
          CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
      if (memory && bitmap) {
        ScopedSelect selected(memory.get(), bitmap.get());
        Paint(memory.get());
        BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      } else {
        Paint(paint.get());
      }
      return 0;
    }
    case WM_PRINT:  // the window has no frame: its client area is all of it
      if ((lParam & PRF_CHECKVISIBLE) && !IsWindowVisible(window)) return 0;
      if (lParam & PRF_CLIENT) Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void SlideShowWindowObject::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_.get(), &client);
  if (show_.running()) {
    PaintSlide(dc, client.right, client.bottom, deck_.slides[show_.slide() - 1], show_.slide(),
               show_.builds());
  } else {
    PaintBlack(dc, client.right, client.bottom);
  }
}

void SlideShowWindowObject::RaiseSlideShowBegin() { app_->Raise(events::kSlideShowBegin, AsDispatch()); }
void SlideShowWindowObject::RaiseNextBuild() { app_->Raise(events::kSlideShowNextBuild, AsDispatch()); }
void SlideShowWindowObject::RaiseNextSlide() { app_->Raise(events::kSlideShowNextSlide, AsDispatch()); }
void SlideShowWindowObject::RaiseSlideShowEnd() { app_->Raise(events::kSlideShowEnd, presentation_.get()); }

void SlideShowWindowObject::Redraw() {
  if (window_) InvalidateRect(window_.get(), nullptr, FALSE);
}

void SlideShowWindowObject::Close() { window_.reset(); }

HRESULT SlideShowWindowObject::get_Application(IDispatch** application) {
  if (!application) return E_POINTER;
  *application = app_.get();
  app_->AddRef();
  return S_OK;
}

HRESULT SlideShowWindowObject::get_Parent(IDispatch** parent) { return get_Presentation(parent); }

HRESULT SlideShowWindowObject::get_View(IDispatch** view) {
  if (!view) return E_POINTER;
  *view = new SlideShowViewObject(*this);
  return S_OK;
}

HRESULT SlideShowWindowObject::get_Presentation(IDispatch** presentation) {
  if (!presentation) return E_POINTER;
  *presentation = presentation_.get();
  presentation_->AddRef();
  return S_OK;
}

HRESULT SlideShowWindowObject::get_IsFullScreen(LONG* isFullScreen) {
  if (!isFullScreen) return E_POINTER;
  if (!window_) return E_FAIL;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT rect;
  GetWindowRect(window_.get(), &rect);
  GetMonitorInfoA(MonitorFromWindow(window_.get(), MONITOR_DEFAULTTONEAREST), &monitor);
  *isFullScreen = EqualRect(&rect, &monitor.rcMonitor) ? kTrue : kFalse;
  return S_OK;
}

HRESULT SlideShowWindowObject::GetExtent(Extent extent, float* points) {
  if (!points) return E_POINTER;
  RECT rect;
  if (!window_ || !GetWindowRect(window_.get(), &rect)) return E_FAIL;
  switch (extent) {
    case Extent::kLeft:
      *points = PixelsToPoints(rect.left, ScreenPixelsPerInch(LOGPIXELSX));
      break;
    case Extent::kTop:
      *points = PixelsToPoints(rect.top, ScreenPixelsPerInch(LOGPIXELSY));
      break;
    case Extent::kWidth:
      *points = PixelsToPoints(rect.right - rect.left, ScreenPixelsPerInch(LOGPIXELSX));
      break;
    case Extent::kHeight:
      *points = PixelsToPoints(rect.bottom - rect.top, ScreenPixelsPerInch(LOGPIXELSY));
      break;
  }
  return S_OK;
}

HRESULT SlideShowWindowObject::PutExtent(Extent extent, float points) {
  RECT rect;
  if (!window_ || !GetWindowRect(window_.get(), &rect)) return E_FAIL;
  const bool horizontal = extent == Extent::kLeft || extent == Extent::kWidth;
  const int pixels =
      PointsToPixels(points, ScreenPixelsPerInch(horizontal ? LOGPIXELSX : LOGPIXELSY));
  int x = rect.left;
  int y = rect.top;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  switch (extent) {
    case Extent::kLeft:
      x = pixels;
      break;
    case Extent::kTop:
      y = pixels;
      break;
    case Extent::kWidth:
      width = pixels;
      break;
    case Extent::kHeight:
      height = pixels;
      break;
  }
  if (width < 0 || height < 0) return E_INVALIDARG;
  return SetWindowPos(window_.get(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE)
             ? S_OK
             : E_FAIL;
}

HRESULT SlideShowWindowObject::get_Left(float* left) { return GetExtent(Extent::kLeft, left); }
HRESULT SlideShowWindowObject::put_Left(float left) { return PutExtent(Extent::kLeft, left); }
HRESULT SlideShowWindowObject::get_Top(float* top) { return GetExtent(Extent::kTop, top); }
HRESULT SlideShowWindowObject::put_Top(float top) { return PutExtent(Extent::kTop, top); }
HRESULT SlideShowWindowObject::get_Width(float* width) { return GetExtent(Extent::kWidth, width); }
HRESULT SlideShowWindowObject::put_Width(float width) { return PutExtent(Extent::kWidth, width); }
HRESULT SlideShowWindowObject::get_Height(float* height) {
  return GetExtent(Extent::kHeight, height);
}
HRESULT SlideShowWindowObject::put_Height(float height) {
  return PutExtent(Extent::kHeight, height);
}

HRESULT SlideShowWindowObject::get_HWND(LONG* hwnd) {
  if (!hwnd) return E_POINTER;
  if (!window_) return E_FAIL;
  *hwnd = HandleToLong(window_.get());
  return S_OK;
}

HRESULT SlideShowWindowObject::get_Active(LONG* active) {
  if (!active) return E_POINTER;
  if (!window_) return E_FAIL;
  *active = GetForegroundWindow() == window_.get() ? kTrue : kFalse;
  return S_OK;
}

HRESULT SlideShowWindowObject::Activate() {
  if (!window_) return E_FAIL;
  SetForegroundWindow(window_.get());
  return S_OK;
}

HRESULT SlideShowWindowObject::InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params,
                                            VARIANT* result) {
  if (id == kDispActivate) return Activate();
  if (IsPut(flags)) {
    ScopedVariant value;
    const HRESULT hr = PutValueAs(params, VT_R4, *value.get());
    if (FAILED(hr)) return hr;
    const float points = (*value).fltVal;
    switch (id) {
      case kDispLeft:
        return put_Left(points);
      case kDispTop:
        return put_Top(points);
      case kDispWidth:
        return put_Width(points);
      case kDispHeight:
        return put_Height(points);
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }
  if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
  switch (id) {
    case kDispApplication:
      return Return(&SlideShowWindowObject::get_Application, result);
    case kDispParent:
      return Return(&SlideShowWindowObject::get_Parent, result);
    case kDispView:
      return Return(&SlideShowWindowObject::get_View, result);
    case kDispPresentation:
      return Return(&SlideShowWindowObject::get_Presentation, result);
    case kDispIsFullScreen:
      return Return(&SlideShowWindowObject::get_IsFullScreen, result);
    case kDispHWND:
      return Return(&SlideShowWindowObject::get_HWND, result);
    case kDispActive:
      return Return(&SlideShowWindowObject::get_Active, result);
    case kDispLeft:
      return Return(&SlideShowWindowObject::get_Left, result);
    case kDispTop:
      return Return(&SlideShowWindowObject::get_Top, result);
    case kDispWidth:
      return Return(&SlideShowWindowObject::get_Width, result);
    case kDispHeight:
      return Return(&SlideShowWindowObject::get_Height, result);
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT SlideShowWindowObject::Return(HRESULT (SlideShowWindowObject::*get)(IDispatch**),
                                      VARIANT* result) {
  IDispatch* object = nullptr;
  const HRESULT hr = (this->*get)(&object);
  if (FAILED(hr)) return hr;
  result->vt = VT_DISPATCH;
  result->pdispVal = object;
  return S_OK;
}

HRESULT SlideShowWindowObject::Return(HRESULT (SlideShowWindowObject::*get)(LONG*),
                                      VARIANT* result) {
  LONG value = 0;
  const HRESULT hr = (this->*get)(&value);
  if (FAILED(hr)) return hr;
  result->vt = VT_I4;
  result->lVal = value;
  return S_OK;
}

HRESULT SlideShowWindowObject::Return(HRESULT (SlideShowWindowObject::*get)(float*),
                                      VARIANT* result) {
  float value = 0;
  const HRESULT hr = (this->*get)(&value);
  if (FAILED(hr)) return hr;
  result->vt = VT_R4;
  result->fltVal = value;
  return S_OK;
}

}  // namespace tandry::standin
