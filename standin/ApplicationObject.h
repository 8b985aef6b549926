// The stand-in's Application object: Version, the open presentations (Presentations,
// ActivePresentation), CommandBars, COMAddIns and Quit, and the presentation program's
// slide-show notifications, raised to every sink advised on its connection point for the
// application events.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ConnectionPoint.h"
#include "Deck.h"
#include "HostObjectModel.h"
#include "ScopedWin.h"

namespace tandry::standin {

class AddInsObject;
class CommandBarsObject;
class PresentationObject;

class ApplicationObject final : public EventSourceObject<IDispatch> {
 public:
  // An application that reports `version` (such as "11.0") and has no presentation open.
  static ScopedComPtr<ApplicationObject> Create(std::string version);

  // Opens `deck` as presentation `name`; it comes to the front.
  PresentationObject& Open(std::string name, Deck deck);
  const std::vector<ScopedComPtr<PresentationObject>>& presentations() const {
    return presentations_;
  }
  // The presentation in front; null when none is open.
  PresentationObject* activePresentation() const;
  CommandBarsObject& commandBars() { return *commandBars_.get(); }
  AddInsObject& addIns() { return *addIns_.get(); }
  // What Quit does; without it Quit fails.
  void SetQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }

  // Invokes `event` with `argument` on every advised sink.
  void Raise(DISPID event, IDispatch* argument);

  // The program ends: the objects that refer back to the application let go of it, and no sink
  // is called any more.
  void Close();

 private:
  explicit ApplicationObject(std::string version);
  ~ApplicationObject() override;
  // The presentation program's own interface, by which an add-in knows its host; callers reach
  // the members by name, so its IDispatch face answers for it.
  bool Offers(REFIID iid) const override { return iid == host::IID_Application; }
  HRESULT InvokeMember(Invocation& call) override;

  std::string version_;
  std::vector<ScopedComPtr<PresentationObject>> presentations_;  // the last one is in front
  ScopedComPtr<CommandBarsObject> commandBars_;
  ScopedComPtr<AddInsObject> addIns_;
  std::function<void()> quit_;
};

}  // namespace tandry::standin
