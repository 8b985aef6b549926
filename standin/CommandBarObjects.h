// The command bars as automation objects over the program's CommandBarSet: CommandBars with
// FindControl, a control (button or popup) with Caption, BeginGroup, FaceId, Tag, Index, Id,
// Type, Delete and a popup's Controls, and a popup's Controls with Count, Item and Add. Choosing
// a button in the menu raises Click on every sink advised on that button's connection point.
#pragma once

#include <windows.h>

#include <map>

#include "CommandBars.h"
#include "ConnectionPoint.h"
#include "DispatchObject.h"
#include "ScopedWin.h"

namespace tandry::standin {

// What shows the command bars: the main window's menu.
class MenuView {
 public:
  virtual void CommandBarsChanged() = 0;

 protected:
  ~MenuView() = default;
};

class CommandBarControlObject;

class CommandBarsObject final : public DispatchObject<IDispatch> {
 public:
  CommandBarsObject();

  const CommandBarSet& bars() const { return bars_; }
  CommandBarSet& bars() { return bars_; }
  // The view that follows every change; null for none.
  void SetView(MenuView* view) { view_ = view; }
  void Changed();

  // A control's automation object, the same one for as long as it is referenced; null when the
  // control is gone.
  ScopedComPtr<CommandBarControlObject> ObjectOf(int key);
  // The user chose control `key`: Click reaches the sinks of its button. False when one of them
  // set CancelDefault, so the control's own action must not run.
  bool Click(int key);
  // A control's object goes away.
  void Forget(int key) { objects_.erase(key); }

 private:
  ~CommandBarsObject() override = default;
  HRESULT InvokeMember(Invocation& call) override;

  CommandBarSet bars_;
  MenuView* view_ = nullptr;
  std::map<int, CommandBarControlObject*> objects_;
};

class CommandBarControlObject final : public EventSourceObject<IDispatch> {
 public:
  CommandBarControlObject(CommandBarsObject& owner, int key);
  // Click(Ctrl, CancelDefault) on every advised sink; the value CancelDefault comes back with.
  bool RaiseClick();

 private:
  ~CommandBarControlObject() override;
  HRESULT InvokeMember(Invocation& call) override;
  HRESULT Put(Invocation& call, const Control& control);

  ScopedComPtr<CommandBarsObject> owner_;
  int key_;
};

}  // namespace tandry::standin
