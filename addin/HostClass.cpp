// The menu buttons' holder and its Click sinks.
#include "HostClass.h"

#include "AddinLife.h"
#include "ComServer.h"
#include "HostDispatch.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "ShowControl.h"

namespace tandry::addin {

// Receives one button's events while it is connected (EventSink); only Click means something.
class HostClass::ClickSink final
    : public EventSink<ClickSink, host::DIID_CommandBarButtonEvents> {
 public:
  ClickSink(Module& module, ClickHandler handler) : module_(module), handler_(handler) {}

  void Handle(DISPID id, const DISPPARAMS*) {
    if (id == host::command_bar_button_events::kClick) handler_(module_);
  }

 private:
  Module& module_;
  const ClickHandler handler_;
};

HostClass::HostClass(Module& module) : module_(module) {}

HostClass::~HostClass() {
  Disconnect(about_);
  Disconnect(startStop_);
}

void HostClass::SetStartStopTandryCBB(const ObjectRef& button) {
  Store(startStop_, button, &StartStopShow);
}

void HostClass::SetAboutTandryCBB(const ObjectRef& button) { Store(about_, button, &ShowAbout); }

void HostClass::Store(Member& member, const ObjectRef& button, ClickHandler handler) {
  Disconnect(member);
  member.button = button;
  IDispatch* source = DispatchOf(button);
  if (!source) return;
  ScopedComPtr<ClickSink> sink(new ClickSink(module_, handler));
  if (SUCCEEDED(latebound::Advise(source, host::DIID_CommandBarButtonEvents, sink.get(),
                                  member.cookie))) {
    source->AddRef();
    member.source.reset(source);
    sink->SetConnected(true);
    member.sink = std::move(sink);
  }
}

void HostClass::Disconnect(Member& member) {
  if (member.sink) member.sink->SetConnected(false);
  if (member.source) {
    latebound::Unadvise(member.source.get(), host::DIID_CommandBarButtonEvents, member.cookie);
  }
  member.sink.reset();
  member.source.reset();
  member.cookie = 0;
  member.button = nullptr;
}

}  // namespace tandry::addin
