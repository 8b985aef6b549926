// The connection handlers of the add-in object.
#include "AddinConnection.h"

#include "AddinLife.h"

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

void AddinConnection::OnStartupComplete() { Initialized = AddinStartup(module_, ConnectedApp); }

void AddinConnection::OnBeginShutdown() { AddinShutdown(module_); }

void AddinConnection::OnDisconnection(bool atHostShutdown) {
  // A removal by the user shuts the add-in down as the host's exit does.
  if (!atHostShutdown) OnBeginShutdown();
  ConnectedApp = nullptr;
}

}  // namespace tandry::addin
