#include "SlideShowWindowObject.h"

#include <iterator>
#include <utility>
#include <vector>

#include "Monitors.h"
#include "SlideLayout.h"
#include "SlidePainter.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

namespace events = host::application_events;
namespace view = host::slide_show_view;

constexpr wchar_t kWindowClosed[] = L"The slide show has ended.";

const DispatchMember kWindowMembers[] = {
    {L"Application", kDispApplication},
    {L"Parent", kDispParent},
    {L"View", kDispView},
    {L"Presentation", kDispPresentation},
    {L"IsFullScreen", kDispIsFullScreen},
    {L"Left", kDispLeft, true},
    {L"Top", kDispTop, true},
    {L"Width", kDispWidth, true},
    {L"Height", kDispHeight, true},
    {L"HWND", kDispHWND},
    {L"Active", kDispActive},
    {L"Activate", kDispActivate},
};

const DispatchMember kViewMembers[] = {{L"Slide", view::kSlide},
                                       {L"GotoSlide", view::kGotoSlide, false,
                                        {L"Index", L"ResetSlide"}},
                                       {L"Exit", view::kExit}};

// The show's view: Slide (the slide now shown), GotoSlide(Index[, ResetSlide]), Exit.
class SlideShowViewObject final : public DispatchObject<IDispatch> {
 public:
  explicit SlideShowViewObject(SlideShowWindowObject& window)
      : DispatchObject(kViewMembers, std::size(kViewMembers)), window_(&window) {
    window.AddRef();
  }

 private:
  HRESULT InvokeMember(Invocation& call) override {
    ShowController& show = window_->show();
    switch (call.id()) {
      case view::kSlide: {
        SlideObject* slide =
            show.running() ? window_->presentation().slide(show.slide()) : nullptr;
        if (!slide) return call.Fail(E_FAIL, kWindowClosed);
        slide->AddRef();
        return call.ReturnObject(slide);
      }
      case view::kGotoSlide:
        return GotoSlide(show, call);
      default:
        show.End();
        return S_OK;
    }
  }

  // The reset flag is optional and true when left out.
  static HRESULT GotoSlide(ShowController& show, Invocation& call) {
    LONG index = 0;
    HRESULT hr = call.Long(0, index);
    if (FAILED(hr)) return hr;
    bool reset = true;
    hr = call.Bool(1, reset);
    if (FAILED(hr) && hr != DISP_E_PARAMNOTFOUND) return hr;
    if (!show.GoToSlide(index, reset)) {
      return call.Fail(E_INVALIDARG, L"The slide is not in the running slide show.");
    }
    return S_OK;
  }

  ScopedComPtr<SlideShowWindowObject> window_;
};

std::vector<int> BuildCounts(const PresentationObject& presentation) {
  std::vector<int> counts;
  for (int i = 1; i <= presentation.slideCount(); ++i) {
    counts.push_back(static_cast<int>(presentation.slide(i)->data().bullets.size()));
  }
  return counts;
}

}  // namespace

SlideShowWindowObject::SlideShowWindowObject(ApplicationObject& app,
                                             PresentationObject& presentation)
    : DispatchObject(kWindowMembers, std::size(kWindowMembers)),
      app_(&app),
      presentation_(&presentation),
      show_(BuildCounts(presentation), *this) {
  app.AddRef();
  presentation.AddRef();
}

SlideShowWindowObject::~SlideShowWindowObject() { presentation_->ShowEnded(*this); }

ScopedComPtr<SlideShowWindowObject> SlideShowWindowObject::Create(ApplicationObject& app,
                                                                  PresentationObject& presentation,
                                                                  const RECT& monitor) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kShowWindowClass;
  RegisterClassExA(&windowClass);  // fails harmlessly once registered

  ScopedComPtr<SlideShowWindowObject> object(new SlideShowWindowObject(app, presentation));
  const std::wstring title = L"Slide Show - " + Widen(presentation.name());
  const HWND window = CreateWindowExW(0, Widen(kShowWindowClass).c_str(), title.c_str(), WS_POPUP,
                                      monitor.left, monitor.top, monitor.right - monitor.left,
                                      monitor.bottom - monitor.top, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), object.get());
  if (!window) return {};
  return object;
}

void SlideShowWindowObject::Begin(int startSlide) {
  const HWND window = window_.get();
  show_.Begin(startSlide);
  if (window_) {  // a sink may have ended the show already
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
  }
}

void SlideShowWindowObject::InsertSlide(int position, int buildCount) {
  show_.InsertSlide(position, buildCount);
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
  const SlideObject* slide = show_.running() ? presentation_->slide(show_.slide()) : nullptr;
  if (slide) {
    PaintSlide(dc, client.right, client.bottom, slide->data(), show_.slide(), show_.builds());
  } else {
    PaintBlack(dc, client.right, client.bottom);
  }
}

void SlideShowWindowObject::RaiseSlideShowBegin() {
  app_->Raise(events::kSlideShowBegin, AsDispatch());
}
void SlideShowWindowObject::RaiseNextBuild() {
  app_->Raise(events::kSlideShowNextBuild, AsDispatch());
}
void SlideShowWindowObject::RaiseNextSlide() {
  app_->Raise(events::kSlideShowNextSlide, AsDispatch());
}
void SlideShowWindowObject::RaiseSlideShowEnd() {
  app_->Raise(events::kSlideShowEnd, presentation_.get());
}

void SlideShowWindowObject::Redraw() {
  if (window_) InvalidateRect(window_.get(), nullptr, FALSE);
}

// The presentation forgets its show as the window goes: a new show may start at once.
void SlideShowWindowObject::Close() {
  presentation_->ShowEnded(*this);
  window_.reset();
}

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
  *isFullScreen = EqualRect(&rect, &monitor.rcMonitor) ? host::kMsoTrue : host::kMsoFalse;
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
  *active = GetForegroundWindow() == window_.get() ? host::kMsoTrue : host::kMsoFalse;
  return S_OK;
}

HRESULT SlideShowWindowObject::Activate() {
  if (!window_) return E_FAIL;
  SetForegroundWindow(window_.get());
  return S_OK;
}

HRESULT SlideShowWindowObject::InvokeMember(Invocation& call) {
  if (call.id() == kDispActivate) {
    return Activate() == S_OK ? S_OK : call.Fail(E_FAIL, kWindowClosed);
  }
  if (call.put()) {
    ScopedVariant value;
    HRESULT hr = call.PutValue(VT_R4, *value.get());
    if (FAILED(hr)) return hr;
    const float points = (*value).fltVal;
    switch (call.id()) {
      case kDispLeft:
        hr = put_Left(points);
        break;
      case kDispTop:
        hr = put_Top(points);
        break;
      case kDispWidth:
        hr = put_Width(points);
        break;
      default:
        hr = put_Height(points);
        break;
    }
    return FAILED(hr) ? call.Fail(hr, L"The slide show window cannot be placed there.") : hr;
  }
  switch (call.id()) {
    case kDispApplication:
      return Return(&SlideShowWindowObject::get_Application, call);
    case kDispParent:
      return Return(&SlideShowWindowObject::get_Parent, call);
    case kDispView:
      return Return(&SlideShowWindowObject::get_View, call);
    case kDispPresentation:
      return Return(&SlideShowWindowObject::get_Presentation, call);
    case kDispIsFullScreen:
      return Return(&SlideShowWindowObject::get_IsFullScreen, call);
    case kDispHWND:
      return Return(&SlideShowWindowObject::get_HWND, call);
    case kDispActive:
      return Return(&SlideShowWindowObject::get_Active, call);
    case kDispLeft:
      return Return(&SlideShowWindowObject::get_Left, call);
    case kDispTop:
      return Return(&SlideShowWindowObject::get_Top, call);
    case kDispWidth:
      return Return(&SlideShowWindowObject::get_Width, call);
    default:
      return Return(&SlideShowWindowObject::get_Height, call);
  }
}

HRESULT SlideShowWindowObject::Return(HRESULT (SlideShowWindowObject::*get)(IDispatch**),
                                      Invocation& call) {
  IDispatch* object = nullptr;
  const HRESULT hr = (this->*get)(&object);
  return FAILED(hr) ? call.Fail(hr, kWindowClosed) : call.ReturnObject(object);
}

HRESULT SlideShowWindowObject::Return(HRESULT (SlideShowWindowObject::*get)(LONG*),
                                      Invocation& call) {
  LONG value = 0;
  const HRESULT hr = (this->*get)(&value);
  return FAILED(hr) ? call.Fail(hr, kWindowClosed) : call.ReturnLong(value);
}

HRESULT SlideShowWindowObject::Return(HRESULT (SlideShowWindowObject::*get)(float*),
                                      Invocation& call) {
  float value = 0;
  const HRESULT hr = (this->*get)(&value);
  return FAILED(hr) ? call.Fail(hr, kWindowClosed) : call.ReturnFloat(value);
}

}  // namespace tandry::standin
