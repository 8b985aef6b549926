// The slide-show event sink: while HostApp refers to the presentation program's application,
// an IDispatch sink advised on its connection point for the application events hands
// SlideShowEnd to StopShow, SlideShowNextBuild to ForwardNextBuild and SlideShowNextSlide to
// ForwardNextSlide. Each Advise is paired with its Unadvise: setting another HostApp, setting
// nothing, or destroying the sink ends the connection first.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "ModuleState.h"
#include "ScopedWin.h"

namespace tandry::addin {

class SSWClass final : public SlideShowEventSink {
 public:
  explicit SSWClass(Module& module);
  ~SSWClass() override;
  SSWClass(const SSWClass&) = delete;
  SSWClass& operator=(const SSWClass&) = delete;

  void SetHostApp(const ObjectRef& app) override;

 private:
  class Events;

  void Disconnect();

  ScopedComPtr<Events> events_;
  // The application the sink is advised on, and the connection's cookie.
  ScopedComPtr<IDispatch> hostApp_;
  DWORD cookie_ = 0;
};

}  // namespace tandry::addin
