// The application events' sink. The presentation program calls it on its user-interface
// thread; no exception leaves it.
#include "SSWClass.h"

#include "ComServer.h"
#include "HostDispatch.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "ShowControl.h"

namespace tandry::addin {

// The COM object that the host calls. It lives as long as the host or SSWClass holds it, and
// forwards only while it is connected (EventSink).
class SSWClass::Events final : public EventSink<Events, host::DIID_ApplicationEvents> {
 public:
  explicit Events(Module& module) : module_(module) {}

  void Handle(DISPID id, const DISPPARAMS* params) {
    // Each event passes one object: the show's window, or the presentation whose show ended.
    const ObjectRef argument =
        params && params->cArgs >= 1 ? AsObject(ValueOf(params->rgvarg[0])) : nullptr;
    switch (id) {
      case host::application_events::kSlideShowEnd:
        StopShow(module_);
        break;
      case host::application_events::kSlideShowNextBuild:
        ForwardNextBuild(module_, argument);
        break;
      case host::application_events::kSlideShowNextSlide:
        ForwardNextSlide(module_, argument);
        break;
      default:
        break;
    }
  }

 private:
  Module& module_;
};

SSWClass::SSWClass(Module& module) : events_(new Events(module)) {}

SSWClass::~SSWClass() { Disconnect(); }

void SSWClass::SetHostApp(const ObjectRef& app) {
  Disconnect();
  IDispatch* const application = DispatchOf(app);
  if (!application) return;
  if (FAILED(latebound::Advise(application, host::DIID_ApplicationEvents, events_.get(),
                               cookie_))) {
    return;
  }
  application->AddRef();
  hostApp_.reset(application);
  events_->SetConnected(true);
}

void SSWClass::Disconnect() {
  if (!hostApp_) return;
  events_->SetConnected(false);
  latebound::Unadvise(hostApp_.get(), host::DIID_ApplicationEvents, cookie_);
  hostApp_.reset();
  cookie_ = 0;
}

}  // namespace tandry::addin
