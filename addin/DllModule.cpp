// tandryaddin.dll's entry points: the DLL entry, the class objects that COM asks for, whether
// the DLL may be unloaded, and self-registration for all users (regsvr32) or for the current
// user (regsvr32 /n /i:user). The classes are one table; a generic class factory makes the
// objects of any row.
#include <ole2.h>
#include <windows.h>

#include "ComServer.h"
#include "PowerPointAddin.h"
#include "Registration.h"
#include "ScopedWin.h"
#include "tandryaddin.h"

namespace tandry::addin {

namespace {

// Makes a new object of a class, with one reference that the caller takes over.
using CreateObjectFn = HRESULT (*)(IUnknown** object);

struct ClassEntry {
  const CLSID* clsid;
  CreateObjectFn create;
};

constexpr ClassEntry kClasses[] = {
    {&CLSID_PowerPointAddin, &PowerPointAddin::Create},
};

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
 public:
  static constexpr InterfaceEntry<ClassFactory> kInterfaces[] = {
      {&IID_IClassFactory, &FaceOf<ClassFactory, IClassFactory>}};

  explicit ClassFactory(CreateObjectFn create) : create_(create) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return ContainedHresult([&] {
      ScopedComPtr<IUnknown> created;
      const HRESULT made = create_(created.receive());
      return FAILED(made) ? made : created->QueryInterface(iid, object);
    });
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? ++ServerCount::locks : --ServerCount::locks;
    return S_OK;
  }

 private:
  const CreateObjectFn create_;
};

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  for (const ClassEntry& entry : kClasses) {
    if (IsEqualCLSID(clsid, *entry.clsid)) {
      ScopedComPtr<ClassFactory> factory(new ClassFactory(entry.create));
      return factory->QueryInterface(iid, object);
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace

}  // namespace tandry::addin

using tandry::addin::ContainedHresult;
namespace addin = tandry::addin;

// Nothing is set up under the loader lock: the add-in's work starts when the host connects it.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(module);
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  return ContainedHresult([&] { return addin::GetClassObject(clsid, iid, object); });
}

STDAPI DllCanUnloadNow() { return addin::ServerCount::Idle() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  return ContainedHresult([] {
    return addin::RegisterAddin(addin::RegistrationScope::AllUsers, addin::ThisModulePath());
  });
}

STDAPI DllUnregisterServer() {
  return ContainedHresult(
      [] { return addin::UnregisterAddin(addin::RegistrationScope::AllUsers); });
}

// regsvr32 /n /i:user registers for the current user only; /u /n /i:user removes that again.
STDAPI DllInstall(BOOL install, PCWSTR command) {
  return ContainedHresult([&]() -> HRESULT {
    const auto scope = addin::ScopeOfInstallCommand(command);
    if (!scope) return E_INVALIDARG;
    return install ? addin::RegisterAddin(*scope, addin::ThisModulePath())
                   : addin::UnregisterAddin(*scope);
  });
}
