// A running slide show: its full-screen window of class "screenClass", which draws the current
// slide and follows the presenter's keys, and the automation objects around it: SlideShowWindow
// (early bound as ISlideShowWindow and late bound by name), its View, the View's Slide, and the
// show's Presentation.
#pragma once

#include <windows.h>

#include <string>

#include "ApplicationObject.h"
#include "Deck.h"
#include "DispatchObject.h"
#include "ScopedWin.h"
#include "ShowController.h"
#include "SlideShowWindow.h"

namespace tandry::standin {

inline constexpr char kShowWindowClass[] = "screenClass";

// The presentation whose show runs; late bound: Name.
class PresentationObject final : public DispatchObject<IDispatch> {
 public:
  explicit PresentationObject(std::string name);
  const std::string& name() const { return name_; }

 private:
  HRESULT InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result) override;
  std::string name_;
};

// The window keeps its object alive while it exists; the object outlives the window for as long
// as it is referenced, and then answers only what needs no window.
class SlideShowWindowObject final : public DispatchObject<ISlideShowWindow>, private ShowHost {
 public:
  // Makes the window over `monitor` and begins the show: SlideShowBegin and the first
  // SlideShowNextSlide reach `app`'s sinks before the window becomes visible and active.
  // Null when the window can't be made.
  static ScopedComPtr<SlideShowWindowObject> Run(ApplicationObject& app, const std::string& name,
                                                 Deck deck, const RECT& monitor);

  HWND window() const { return window_.get(); }
  ShowController& show() { return show_; }

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

  SlideShowWindowObject(ApplicationObject& app, ScopedComPtr<PresentationObject> presentation,
                        Deck deck);
  ~SlideShowWindowObject() override = default;

  bool Offers(REFIID iid) const override { return iid == tandry::IID_SlideShowWindow; }
  HRESULT InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result) override;
  // Late-bound reads through the early-bound getters.
  HRESULT Return(HRESULT (SlideShowWindowObject::*get)(IDispatch**), VARIANT* result);
  HRESULT Return(HRESULT (SlideShowWindowObject::*get)(LONG*), VARIANT* result);
  HRESULT Return(HRESULT (SlideShowWindowObject::*get)(float*), VARIANT* result);
  HRESULT GetExtent(Extent extent, float* points);
  HRESULT PutExtent(Extent extent, float points);

  // ShowHost
  void RaiseSlideShowBegin() override;
  void RaiseNextBuild() override;
  void RaiseNextSlide() override;
  void RaiseSlideShowEnd() override;
  void Redraw() override;
  void Close() override;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  IDispatch* AsDispatch() { return static_cast<ISlideShowWindow*>(this); }

  ScopedComPtr<ApplicationObject> app_;
  ScopedComPtr<PresentationObject> presentation_;
  Deck deck_;
  ShowController show_;
  ScopedWindow window_;
};

}  // namespace tandry::standin
