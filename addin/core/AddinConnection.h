// The add-in object's side of the host's connection protocol: what it keeps from the connection
// (the host's Application and its own entry in the host's add-in list), when start-up and
// shutdown run for a connection or disconnection at the host's start and exit or at any other
// time, and whether start-up succeeded. One per add-in object; the module state that start-up
// and shutdown work on is the add-in's one `Module`.
#pragma once

#include "HostObject.h"
#include "ModuleState.h"

namespace tandry::addin {

class AddinConnection {
 public:
  explicit AddinConnection(Module& module) : module_(module) {}

  // `atHostStartup`: the host connects its add-ins while it starts, and then sends
  // OnStartupComplete. `self` is the add-in object as the host's add-in entry hands it out.
  void OnConnection(const ObjectRef& app, bool atHostStartup, const ObjectRef& addInInst,
                    const ObjectRef& self);
  void OnStartupComplete();
  void OnBeginShutdown();
  // `atHostShutdown`: the host closes, and should have sent OnBeginShutdown already; if it did
  // not, the add-in shuts down here, so that nothing of it outlives the connection.
  void OnDisconnection(bool atHostShutdown);

  // Whether the last start-up made the add-in ready.
  bool IsInitialized() const { return Initialized; }

 private:
  Module& module_;
  ObjectRef ConnectedApp;
  ObjectRef ConnectedAddIn;
  bool Initialized = false;
  // Start-up has run and no shutdown since.
  bool startedUp_ = false;
};

}  // namespace tandry::addin
