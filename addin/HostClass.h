// The holder of the add-in's two menu buttons (`HostClass`). Storing a button connects a Click
// sink to that button's event interface; storing nothing, or another button, disconnects the
// previous one first; destroying the holder disconnects and drops both. A click on the
// start/stop button runs the start/stop toggle, a click on the about button the about box; the
// host's CancelDefault is left as it is. A click that reaches a sink after its disconnection (one
// the host had queued already) does nothing.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include "ModuleState.h"
#include "Ports.h"
#include "ScopedWin.h"

namespace tandry::addin {

class HostClass final : public MenuButtonHolder {
 public:
  explicit HostClass(Module& module);
  ~HostClass() override;
  HostClass(const HostClass&) = delete;
  HostClass& operator=(const HostClass&) = delete;

  ObjectRef StartStopTandryCBB() const override { return startStop_.button; }
  void SetStartStopTandryCBB(const ObjectRef& button) override;
  ObjectRef AboutTandryCBB() const override { return about_.button; }
  void SetAboutTandryCBB(const ObjectRef& button) override;

 private:
  // What a click on a button runs.
  using ClickHandler = void (*)(Module&);

  class ClickSink;

  // A button with the connection of its Click sink; cookie 0 = not connected.
  struct Member {
    ObjectRef button;
    ScopedComPtr<IUnknown> source;
    ScopedComPtr<ClickSink> sink;
    DWORD cookie = 0;
  };

  void Store(Member& member, const ObjectRef& button, ClickHandler handler);
  static void Disconnect(Member& member);

  Module& module_;
  Member startStop_;
  Member about_;
};

}  // namespace tandry::addin
