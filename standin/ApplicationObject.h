// The stand-in's Application object: it runs slide shows and raises the presentation program's
// slide-show notifications to every sink advised on its connection point for the application
// events, as the presentation program does.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "Deck.h"
#include "DispatchObject.h"
#include "HostObjectModel.h"
#include "ScopedWin.h"

namespace tandry::standin {

class SlideShowWindowObject;

class ApplicationObject final : public DispatchObject<IDispatch>, public IConnectionPointContainer {
 public:
  static ScopedComPtr<ApplicationObject> Create();

  // Runs a show of `deck`, presented under `name`, full screen over `monitor` (pixels of the
  // virtual desktop); null when its window cannot be made.
  ScopedComPtr<SlideShowWindowObject> RunShow(Deck deck, const std::string& name,
                                              const RECT& monitor);

  // Invokes `event` with `argument` on every advised sink. A sink may unadvise itself or others
  // from inside: those are no longer called.
  void Raise(DISPID event, IDispatch* argument);

  // IUnknown, shared by both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return DispatchObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return DispatchObject::Release(); }

  // IConnectionPointContainer: one connection point, for host::DIID_ApplicationEvents.
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 private:
  // The connection point lives inside the application and shares its reference count.
  class EventPoint final : public IConnectionPoint {
   public:
    explicit EventPoint(ApplicationObject& app) : app_(app) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return app_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return app_.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    // The sink must offer host::DIID_ApplicationEvents or IDispatch.
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

   private:
    ApplicationObject& app_;
  };

  struct Sink {
    DWORD cookie;
    ScopedComPtr<IDispatch> events;
  };

  ApplicationObject();
  ~ApplicationObject() override = default;
  HRESULT InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result) override;
  IDispatch* SinkOf(DWORD cookie) const;

  EventPoint eventPoint_;
  std::vector<Sink> sinks_;
  DWORD nextCookie_ = 1;
};

}  // namespace tandry::standin
