#include "Automation.h"

#include "LateBound.h"
#include "ScopedWin.h"

namespace tandry::standin {

HRESULT GetCurrentSlideIndex(IDispatch* slideShowWindow, LONG& index) {
  ScopedComPtr<IDispatch> view;
  HRESULT hr = latebound::GetDispatch(slideShowWindow, L"View", view);
  if (FAILED(hr)) return hr;
  ScopedComPtr<IDispatch> slide;
  hr = latebound::GetDispatch(view.get(), L"Slide", slide);
  if (FAILED(hr)) return hr;
  return latebound::GetLong(slide.get(), L"SlideIndex", index);
}

}  // namespace tandry::standin
