#include "ApplicationObject.h"

#include <olectl.h>

#include <algorithm>
#include <utility>

#include "SlideShowWindowObject.h"

namespace tandry::standin {

ScopedComPtr<ApplicationObject> ApplicationObject::Create() {
  return ScopedComPtr<ApplicationObject>(new ApplicationObject());
}

// The stand-in's application offers no members of its own: it is there for its events.
ApplicationObject::ApplicationObject() : DispatchObject(nullptr, 0), eventPoint_(*this) {}

HRESULT ApplicationObject::InvokeMember(DISPID, WORD, const DISPPARAMS&, VARIANT*) {
  return DISP_E_MEMBERNOTFOUND;
}

ScopedComPtr<SlideShowWindowObject> ApplicationObject::RunShow(Deck deck, const std::string& name,
                                                               const RECT& monitor) {
  return SlideShowWindowObject::Run(*this, name, std::move(deck), monitor);
}

HRESULT ApplicationObject::QueryInterface(REFIID iid, void** object) {
  if (object && iid == IID_IConnectionPointContainer) {
    *object = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
  }
  return DispatchObject::QueryInterface(iid, object);
}

HRESULT ApplicationObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points) *points = nullptr;
  return E_NOTIMPL;  // callers find the one connection point by its interface
}

HRESULT ApplicationObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != host::DIID_ApplicationEvents) return CONNECT_E_NOCONNECTION;
  *point = &eventPoint_;
  eventPoint_.AddRef();
  return S_OK;
}

IDispatch* ApplicationObject::SinkOf(DWORD cookie) const {
  for (const Sink& sink : sinks_) {
    if (sink.cookie == cookie) return sink.events.get();
  }
  return nullptr;
}

void ApplicationObject::Raise(DISPID event, IDispatch* argument) {
  ScopedComPtr<ApplicationObject> keepAlive(this);
  AddRef();
  std::vector<DWORD> cookies;
  for (const Sink& sink : sinks_) cookies.push_back(sink.cookie);
  for (DWORD cookie : cookies) {
    IDispatch* events = SinkOf(cookie);
    if (!events) continue;  // unadvised by an earlier sink
    ScopedComPtr<IDispatch> hold(events);
    events->AddRef();
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_DISPATCH;
    arg.pdispVal = argument;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    events->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                   nullptr);
  }
}

HRESULT ApplicationObject::EventPoint::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *object = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT ApplicationObject::EventPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = host::DIID_ApplicationEvents;
  return S_OK;
}

HRESULT ApplicationObject::EventPoint::GetConnectionPointContainer(
    IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = &app_;
  app_.AddRef();
  return S_OK;
}

HRESULT ApplicationObject::EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  ScopedComPtr<IDispatch> events;
  if (FAILED(sink->QueryInterface(host::DIID_ApplicationEvents,
                                  reinterpret_cast<void**>(events.receive()))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(events.receive())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  try {
    app_.sinks_.push_back(Sink{app_.nextCookie_, std::move(events)});
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  *cookie = app_.nextCookie_++;
  return S_OK;
}

HRESULT ApplicationObject::EventPoint::Unadvise(DWORD cookie) {
  auto& sinks = app_.sinks_;
  const auto found = std::find_if(sinks.begin(), sinks.end(),
                                  [cookie](const Sink& sink) { return sink.cookie == cookie; });
  if (found == sinks.end()) return CONNECT_E_NOCONNECTION;
  // Released after it left the list, so that a sink released here can't see itself listed.
  ScopedComPtr<IDispatch> leaving = std::move(found->events);
  sinks.erase(found);
  return S_OK;
}

HRESULT ApplicationObject::EventPoint::EnumConnections(IEnumConnections** connections) {
  if (connections) *connections = nullptr;
  return E_NOTIMPL;
}

}  // namespace tandry::standin
