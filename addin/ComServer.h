// What the add-in's COM objects and its DLL entry points share: the module's count of live
// objects and server locks, the contained run of a call that answers its HRESULT, the base of
// every COM object (reference counting that keeps that count, QueryInterface from a table of the
// interfaces an object offers), the base of its event sinks, and the DLL's own path. The two
// counts are what DllCanUnloadNow answers from: the host may unload the add-in only when no
// object it handed out is alive and no client holds a lock.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <atomic>
#include <new>
#include <string>
#include <type_traits>

#include "ScopedWin.h"

namespace tandry::addin {

// The full path of the DLL (or program) this code is linked into; empty when it can't be had.
inline std::wstring ThisModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

// Live COM objects of this module (add-in objects, sinks, class factories) and server locks
// (IClassFactory::LockServer).
struct ServerCount {
  static inline std::atomic<long> objects{0};
  static inline std::atomic<long> locks{0};
  static bool Idle() { return objects == 0 && locks == 0; }
};

// Runs the work of a COM method or a DLL entry point so that no exception leaves it, and answers
// truthfully: the work's own HRESULT (S_OK for work without a result), E_OUTOFMEMORY when memory
// ran out, E_FAIL for any other exception.
template <typename Work>
HRESULT ContainedHresult(Work&& work) noexcept {
  try {
    if constexpr (std::is_void_v<std::invoke_result_t<Work&&>>) {
      std::forward<Work>(work)();
      return S_OK;
    } else {
      return std::forward<Work>(work)();
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

// One row of an object's interface table: an interface identifier and how to reach that
// interface in the object.
template <typename Object>
struct InterfaceEntry {
  const IID* iid;
  IUnknown* (*face)(Object*);
};

// The face of `object` for interface `Interface`, as a table row wants it.
template <typename Object, typename Interface>
IUnknown* FaceOf(Object* object) {
  return static_cast<Interface*>(object);
}

// Base of every COM object of the add-in. `Derived` lists what it offers in a static member
// `kInterfaces`, an array of InterfaceEntry<Derived>; IUnknown answers with the first row's
// face, so that every query for IUnknown gives the same pointer. Objects start with one
// reference, which their creator takes over.
template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject() { ++ServerCount::objects; }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* self = static_cast<Derived*>(this);
    for (const auto& entry : Derived::kInterfaces) {
      if (IsEqualIID(iid, *entry.iid) ||
          (&entry == Derived::kInterfaces && IsEqualIID(iid, IID_IUnknown))) {
        *object = entry.face(self);
        AddRef();
        return S_OK;
      }
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // Runs a call's work contained (ContainedHresult) with the object kept alive meanwhile: the
  // work may lead the object's last holder to release it, from a nested modal loop say.
  template <typename Work>
  HRESULT RunCall(Work&& work) {
    AddRef();
    const HRESULT result = ContainedHresult(std::forward<Work>(work));
    Release();
    return result;
  }

  virtual ~ComObject() { --ServerCount::objects; }

 private:
  std::atomic<ULONG> references_{1};
};

// Base of the add-in's event sinks: the IDispatch of the event interface `Events`, which the
// host calls by DISPID only (no type information, no names). The sink is connected only between
// a successful Advise and its Unadvise (its owner says so with SetConnected); only then does a
// call run `Derived::Handle(id, params)`, so that an event the host had queued before the
// Unadvise, or delivers after it, changes nothing. Each call is run by RunCall.
template <typename Derived, const IID& Events>
class EventSink : public ComObject<Derived, IDispatch> {
 public:
  static constexpr InterfaceEntry<Derived> kInterfaces[] = {
      {&Events, &FaceOf<Derived, IDispatch>}, {&IID_IDispatch, &FaceOf<Derived, IDispatch>}};

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (!connected_) return S_OK;
    return this->RunCall([&] { static_cast<Derived*>(this)->Handle(id, params); });
  }

  void SetConnected(bool connected) { connected_ = connected; }

 private:
  bool connected_ = false;
};

}  // namespace tandry::addin
