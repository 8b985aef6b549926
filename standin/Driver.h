// Plays the add-in's part towards the engine until the add-in exists: creates a multi-screen
// session over the running show on the planned monitors, starts it, brings the show to the front,
// makes the first capture, then follows the show's notifications as an event sink (next build,
// next slide) and stops and destroys the session when the show ends.
//
// tandrycore.dll is bound by file name at the first start, and stays loaded for the process, as
// the add-in binds it; without it the show runs alone.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>

#include "ApplicationObject.h"
#include "CommandLine.h"
#include "DispatchObject.h"
#include "ScopedWin.h"

namespace tandry::standin {

class SlideShowWindowObject;
struct EngineCalls;

class Driver final : public DispatchObject<IDispatch> {
 public:
  // Null when the engine or one of its calls can't be had, or the application offers no events.
  static ScopedComPtr<Driver> Start(ApplicationObject& app, SlideShowWindowObject& window,
                                    const std::string& presentationName, int slideCount,
                                    const SessionPlan& plan);

  // True from the start until the end of the show.
  bool running() const { return running_; }

 private:
  Driver(const EngineCalls& engine, IDispatch* window, ScopedComPtr<IConnectionPoint> events);
  ~Driver() override = default;

  bool Offers(REFIID iid) const override { return iid == host::DIID_ApplicationEvents; }
  HRESULT InvokeMember(Invocation& call) override;
  void ForwardNextSlide();
  void Stop();

  const EngineCalls& engine_;
  ScopedComPtr<IDispatch> window_;
  ScopedComPtr<IConnectionPoint> events_;
  DWORD cookie_ = 0;
  bool running_ = false;
};

}  // namespace tandry::standin
