// The add-in object's COM faces: reference counting and interfaces from ComServer.h, IDispatch
// from the embedded type library, the connection interface on a face of its own, and each call
// run by RunCall (contained, the object kept alive) and handed on to the connection state or the
// module.
#include "PowerPointAddin.h"

#include "AddinLife.h"
#include "HostDispatch.h"
#include "MainModule.h"
#include "ShowControl.h"

namespace tandry::addin {

namespace {

HRESULT LoadTypeInfo(ScopedComPtr<ITypeInfo>& info) {
  ScopedComPtr<ITypeLib> library;
  const HRESULT loaded = ::LoadTypeLibEx(ThisModulePath().c_str(), REGKIND_NONE, library.receive());
  if (FAILED(loaded)) return loaded;
  return library->GetTypeInfoOfGuid(IID__PowerPointAddin, info.receive());
}

VARIANT_BOOL AutomationBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// Whether `application` is the presentation program's: another program that loads COM add-ins
// passes its own Application, whose members this add-in must not call. The add-in goes on
// calling the application by name through `application` itself.
bool IsPresentationApplication(IDispatch* application) {
  if (!application) return false;
  ScopedComPtr<IUnknown> face;
  const HRESULT answered =
      application->QueryInterface(host::IID_Application, reinterpret_cast<void**>(face.receive()));
  return SUCCEEDED(answered) && face;
}

// Positional argument `position` of a late-bound call, converted to `type`.
HRESULT PositionalArgument(DISPPARAMS* params, UINT position, VARTYPE type, ScopedVariant& value,
                           UINT* argumentError) {
  return ::DispGetParam(params, position, type, value.get(), argumentError);
}

}  // namespace

const InterfaceEntry<PowerPointAddin> PowerPointAddin::kInterfaces[3] = {
    {&IID__PowerPointAddin, &FaceOf<PowerPointAddin, _PowerPointAddin>},
    {&IID_IDispatch, &FaceOf<PowerPointAddin, _PowerPointAddin>},
    {&host::IID_IDTExtensibility2,
     [](PowerPointAddin* addin) -> IUnknown* { return &addin->extensibility_; }},
};

HRESULT PowerPointAddin::Create(IUnknown** object) {
  *object = nullptr;
  ScopedComPtr<ITypeInfo> typeInfo;
  const HRESULT loaded = LoadTypeInfo(typeInfo);
  if (FAILED(loaded)) return loaded;
  *object = static_cast<_PowerPointAddin*>(new PowerPointAddin(std::move(typeInfo)));
  return S_OK;
}

PowerPointAddin::PowerPointAddin(ScopedComPtr<ITypeInfo> typeInfo)
    : typeInfo_(std::move(typeInfo)), connection_(MainModule()) {}

PowerPointAddin::~PowerPointAddin() = default;

HRESULT PowerPointAddin::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT PowerPointAddin::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  typeInfo_->AddRef();
  *info = typeInfo_.get();
  return S_OK;
}

HRESULT PowerPointAddin::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  return ::DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
}

HRESULT PowerPointAddin::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  return ::DispInvoke(static_cast<_PowerPointAddin*>(this), typeInfo_.get(), id, flags, params,
                      result, exception, argumentError);
}

HRESULT PowerPointAddin::UsingTandry() {
  return RunCall([] {});
}

HRESULT PowerPointAddin::AboutTandry() {
  return RunCall([] { ShowAbout(MainModule()); });
}

HRESULT PowerPointAddin::StartTandry() {
  return RunCall([] { StartStopShow(MainModule()); });
}

HRESULT PowerPointAddin::IsTandryRunning(VARIANT_BOOL* running) {
  if (!running) return E_POINTER;
  return RunCall([&] { *running = AutomationBool(IsShowRunning(MainModule())); });
}

HRESULT PowerPointAddin::IsCOMAddInInitialized(VARIANT_BOOL* initialized) {
  if (!initialized) return E_POINTER;
  return RunCall([&] { *initialized = AutomationBool(connection_.IsInitialized()); });
}

// The connection face shares the object's identity and reference count.
HRESULT PowerPointAddin::ExtensibilityFace::QueryInterface(REFIID iid, void** object) {
  return addin_.QueryInterface(iid, object);
}
ULONG PowerPointAddin::ExtensibilityFace::AddRef() { return addin_.AddRef(); }
ULONG PowerPointAddin::ExtensibilityFace::Release() { return addin_.Release(); }

HRESULT PowerPointAddin::ExtensibilityFace::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT PowerPointAddin::ExtensibilityFace::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT PowerPointAddin::ExtensibilityFace::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count,
                                                          LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (count == 0 || !names[0]) return DISP_E_UNKNOWNNAME;
  namespace ext = host::extensibility;
  static constexpr struct {
    const wchar_t* name;
    DISPID id;
  } kNotifications[] = {{L"OnConnection", ext::kOnConnection},
                        {L"OnDisconnection", ext::kOnDisconnection},
                        {L"OnAddInsUpdate", ext::kOnAddInsUpdate},
                        {L"OnStartupComplete", ext::kOnStartupComplete},
                        {L"OnBeginShutdown", ext::kOnBeginShutdown}};
  for (const auto& notification : kNotifications) {
    if (::lstrcmpiW(names[0], notification.name) == 0) {
      ids[0] = notification.id;
      // Names of arguments are not known.
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT PowerPointAddin::ExtensibilityFace::Invoke(DISPID id, REFIID iid, LCID, WORD,
                                                   DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                                   UINT* argumentError) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!params) return E_INVALIDARG;
  namespace ext = host::extensibility;
  switch (id) {
    case ext::kOnConnection: {
      ScopedVariant app, mode, addInInst;
      HRESULT read = PositionalArgument(params, 0, VT_DISPATCH, app, argumentError);
      if (SUCCEEDED(read)) read = PositionalArgument(params, 1, VT_I4, mode, argumentError);
      if (SUCCEEDED(read))
        read = PositionalArgument(params, 2, VT_DISPATCH, addInInst, argumentError);
      if (FAILED(read)) return read;
      return OnConnection(V_DISPATCH(app.get()), V_I4(mode.get()), V_DISPATCH(addInInst.get()),
                          nullptr);
    }
    case ext::kOnDisconnection: {
      ScopedVariant mode;
      const HRESULT read = PositionalArgument(params, 0, VT_I4, mode, argumentError);
      return FAILED(read) ? read : OnDisconnection(V_I4(mode.get()), nullptr);
    }
    case ext::kOnAddInsUpdate:
      return OnAddInsUpdate(nullptr);
    case ext::kOnStartupComplete:
      return OnStartupComplete(nullptr);
    case ext::kOnBeginShutdown:
      return OnBeginShutdown(nullptr);
  }
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT PowerPointAddin::ExtensibilityFace::OnConnection(IDispatch* application, LONG connectMode,
                                                         IDispatch* addInInst, SAFEARRAY**) {
  return addin_.RunCall([&] {
    const ObjectRef self = WrapDispatch(static_cast<_PowerPointAddin*>(&addin_));
    // Another program's Application counts as none: start-up then refuses with its message.
    const ObjectRef app = IsPresentationApplication(application) ? WrapDispatch(application)
                                                                   : nullptr;
    addin_.connection_.OnConnection(app, connectMode == host::kConnectStartup,
                                    WrapDispatch(addInInst), self);
  });
}

HRESULT PowerPointAddin::ExtensibilityFace::OnDisconnection(LONG removeMode, SAFEARRAY**) {
  return addin_.RunCall(
      [&] { addin_.connection_.OnDisconnection(removeMode == host::kDisconnectHostShutdown); });
}

// The host's notice that its list of add-ins changed means nothing to this add-in.
HRESULT PowerPointAddin::ExtensibilityFace::OnAddInsUpdate(SAFEARRAY**) { return S_OK; }

HRESULT PowerPointAddin::ExtensibilityFace::OnStartupComplete(SAFEARRAY**) {
  return addin_.RunCall([&] { addin_.connection_.OnStartupComplete(); });
}

HRESULT PowerPointAddin::ExtensibilityFace::OnBeginShutdown(SAFEARRAY**) {
  return addin_.RunCall([&] { addin_.connection_.OnBeginShutdown(); });
}

}  // namespace tandry::addin
