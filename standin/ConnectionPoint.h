// Events of the stand-in's automation objects: a connection point for one event dispinterface,
// holding the sinks advised on it and raising each event on every one of them, and the base of
// an object that offers such a connection point (the application's events, a button's Click).
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <vector>

#include "DispatchObject.h"
#include "ScopedWin.h"

namespace tandry::standin {

// Lives inside its object and shares the object's reference count.
class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IUnknown& owner, IConnectionPointContainer& container, const IID& events)
      : owner_(owner), container_(container), events_(events) {}
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  const IID& events() const { return events_; }
  // Invokes `event` with `args` (last first, as DISPPARAMS holds them) on every sink advised now.
  // A sink may unadvise itself or others from inside: those are not called any more.
  void Raise(DISPID event, VARIANT* args, UINT count);
  // Lets go of every sink.
  void Clear();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override;
  // The sink must offer the event interface or IDispatch.
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

 private:
  struct Sink {
    DWORD cookie;
    ScopedComPtr<IDispatch> events;
  };
  IDispatch* SinkOf(DWORD cookie) const;

  IUnknown& owner_;
  IConnectionPointContainer& container_;
  const IID events_;
  std::vector<Sink> sinks_;
  DWORD nextCookie_ = 1;
};

// An automation object with one connection point, for the event interface `events`.
template <typename Interface>
class EventSourceObject : public DispatchObject<Interface>, public IConnectionPointContainer {
 public:
  EventSourceObject(const DispatchMember* members, std::size_t count, const IID& events)
      : DispatchObject<Interface>(members, count),
        point_(*static_cast<Interface*>(this), *this, events) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object && iid == IID_IConnectionPointContainer) {
      *object = static_cast<IConnectionPointContainer*>(this);
      AddRef();
      return S_OK;
    }
    return DispatchObject<Interface>::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return DispatchObject<Interface>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return DispatchObject<Interface>::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
    if (points) *points = nullptr;
    return E_NOTIMPL;  // callers find the one connection point by its interface
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != point_.events()) return CONNECT_E_NOCONNECTION;
    *point = &point_;
    point_.AddRef();
    return S_OK;
  }

 protected:
  ConnectionPoint& events() { return point_; }

 private:
  ConnectionPoint point_;
};

}  // namespace tandry::standin
