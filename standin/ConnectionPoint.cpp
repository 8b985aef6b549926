#include "ConnectionPoint.h"

#include <olectl.h>

#include <algorithm>
#include <utility>

namespace tandry::standin {

void ConnectionPoint::Raise(DISPID event, VARIANT* args, UINT count) {
  ScopedComPtr<IUnknown> keepAlive(&owner_);
  owner_.AddRef();
  std::vector<DWORD> cookies;
  for (const Sink& sink : sinks_) cookies.push_back(sink.cookie);
  for (DWORD cookie : cookies) {
    IDispatch* sink = SinkOf(cookie);
    if (!sink) continue;  // unadvised by an earlier sink
    ScopedComPtr<IDispatch> hold(sink);
    sink->AddRef();
    DISPPARAMS params{args, nullptr, count, 0};
    sink->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                 nullptr);
  }
}

void ConnectionPoint::Clear() {
  std::vector<Sink> leaving = std::move(sinks_);
  sinks_.clear();
}

IDispatch* ConnectionPoint::SinkOf(DWORD cookie) const {
  for (const Sink& sink : sinks_) {
    if (sink.cookie == cookie) return sink.events.get();
  }
  return nullptr;
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *object = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = events_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = &container_;
  container_.AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  ScopedComPtr<IDispatch> events;
  if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(events.receive()))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(events.receive())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  try {
    sinks_.push_back(Sink{nextCookie_, std::move(events)});
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  *cookie = nextCookie_++;
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                  [cookie](const Sink& sink) { return sink.cookie == cookie; });
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  // Released after it left the list, so that a sink released here can't see itself listed.
  ScopedComPtr<IDispatch> leaving = std::move(found->events);
  sinks_.erase(found);
  return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections) *connections = nullptr;
  return E_NOTIMPL;
}

}  // namespace tandry::standin
