// A running slide show: its full-screen window of class "screenClass", which draws the current
// slide of its presentation and follows the presenter's keys, and the automation objects around
// it: SlideShowWindow (early bound as ISlideShowWindow and late bound by name) and its View.
#pragma once

#include <windows.h>

#include "ApplicationObject.h"
#include "DispatchObject.h"
#include "PresentationObject.h"
#include "ScopedWin.h"
#include "ShowController.h"
#include "SlideShowWindow.h"

namespace tandry::standin {

inline constexpr char kShowWindowClass[] = "screenClass";

// The window keeps its object alive while it exists; the object outlives the window for as long
// as it is referenced, and then answers only what needs no window.
class SlideShowWindowObject final : public DispatchObject<ISlideShowWindow>, private ShowHost {
 public:
  // Makes the hidden window of a show of `presentation` over `monitor`; null when it can't be
  // made. The show's events reach `app`'s sinks.
  static ScopedComPtr<SlideShowWindowObject> Create(ApplicationObject& app,
                                                    PresentationObject& presentation,
                                                    const RECT& monitor);
  // Begins the show on `startSlide`: SlideShowBegin and the first SlideShowNextSlide reach the
  // sinks before the window becomes visible and active.
  void Begin(int startSlide);
  // A slide with `buildCount` build steps was inserted into the presentation at `position`.
  void InsertSlide(int position, int buildCount);
  void Redraw() override;

  HWND window() const { return window_.get(); }
  ShowController& show() { return show_; }
  PresentationObject& presentation() const { return *presentation_.get(); }

  // ISlideShowWindow. Lengths are in points; everything about the window fails once it closed.
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch** application) override;
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_View(IDispatch** view) override;
  HRESULT STDMETHODCALLTYPE get_Presentation(IDispatch** presentation) override;
  HRESULT STDMETHODCALLTYPE get_IsFullScreen(LONG* isFullScreen) override;
  HRESULT STDMETHODCALLTYPE get_Left(float* left) override;
  HRESULT STDMETHODCALLTYPE put_Left(float left) override;
  HRESULT STDMETHODCALLTYPE get_Top(float* top) override;
  HRESULT STDMETHODCALLTYPE put_Top(float top) override;
  HRESULT STDMETHODCALLTYPE get_Width(float* width) override;
  HRESULT STDMETHODCALLTYPE put_Width(float width) override;
  HRESULT STDMETHODCALLTYPE get_Height(float* height) override;
  HRESULT STDMETHODCALLTYPE put_Height(float height) override;
  HRESULT STDMETHODCALLTYPE get_HWND(LONG* hwnd) override;
  HRESULT STDMETHODCALLTYPE get_Active(LONG* active) override;
  HRESULT STDMETHODCALLTYPE Activate() override;

 private:
  // Which edge or length of the window rectangle a position property stands for.
  enum class Extent { kLeft, kTop, kWidth, kHeight };

  SlideShowWindowObject(ApplicationObject& app, PresentationObject& presentation);
  ~SlideShowWindowObject() override;

  bool Offers(REFIID iid) const override { return iid == tandry::IID_SlideShowWindow; }
  HRESULT InvokeMember(Invocation& call) override;
  // Late-bound reads through the early-bound getters.
  HRESULT Return(HRESULT (SlideShowWindowObject::*get)(IDispatch**), Invocation& call);
  HRESULT Return(HRESULT (SlideShowWindowObject::*get)(LONG*), Invocation& call);
  HRESULT Return(HRESULT (SlideShowWindowObject::*get)(float*), Invocation& call);
  HRESULT GetExtent(Extent extent, float* points);
  HRESULT PutExtent(Extent extent, float points);

  // ShowHost
  void RaiseSlideShowBegin() override;
  void RaiseNextBuild() override;
  void RaiseNextSlide() override;
  void RaiseSlideShowEnd() override;
  void Close() override;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  IDispatch* AsDispatch() { return static_cast<ISlideShowWindow*>(this); }

  ScopedComPtr<ApplicationObject> app_;
  ScopedComPtr<PresentationObject> presentation_;
  ShowController show_;
  ScopedWindow window_;
};

}  // namespace tandry::standin
