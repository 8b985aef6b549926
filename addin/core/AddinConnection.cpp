// The connection handlers of the add-in object.
#include "AddinConnection.h"

#include "AddinLife.h"
#include "Contained.h"

namespace tandry::addin {

void AddinConnection::OnConnection(const ObjectRef& app, bool atHostStartup,
                                   const ObjectRef& addInInst, const ObjectRef& self) {
  ConnectedApp = app;
  ConnectedAddIn = addInInst;
  if (ConnectedAddIn) ConnectedAddIn->Put(u"Object", Value{self});
  // The host sends no start-up-complete notification for a connection made later (the user
  // switching the add-in on), so the add-in starts at once.
  if (!atHostStartup) OnStartupComplete();
}

void AddinConnection::OnStartupComplete() {
  startedUp_ = true;
  Initialized = AddinStartup(module_, ConnectedApp);
}

void AddinConnection::OnBeginShutdown() {
  startedUp_ = false;
  AddinShutdown(module_);
}

void AddinConnection::OnDisconnection(bool atHostShutdown) {
  // A removal by the user shuts the add-in down as the host's exit does; so does a host that
  // closes without the notice that it begins to.
  EveryStep step;
  if (!atHostShutdown || startedUp_) step([this] { OnBeginShutdown(); });
  ConnectedApp = nullptr;
  step.Finish();
}

}  // namespace tandry::addin
