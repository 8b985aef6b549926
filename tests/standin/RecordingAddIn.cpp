// recording_addin.dll: COM add-ins for the stand-in's tests. Each records the host's calls in a
// log file, publishes itself as its COMAddIn's Object and answers Ping by name with "pong"; the
// refusing one fails every OnConnection. The tests register the classes themselves.
#include "RecordingAddIn.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "DispatchObject.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "Utf8.h"

namespace tandry::standin::recording {
namespace {

LONG g_objects = 0;

void Log(const std::string& line) {
  char path[MAX_PATH] = {};
  if (GetEnvironmentVariableA(kLogVariable, path, MAX_PATH) == 0) return;
  if (std::FILE* file = std::fopen(path, "a")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

const DispatchMember kMembers[] = {{L"Ping", 1}};

class RecordingAddIn final : public DispatchObject<host::IDTExtensibility2> {
 public:
  RecordingAddIn(const char* name, bool refuses)
      : DispatchObject(kMembers, std::size(kMembers)), name_(name), refuses_(refuses) {
    InterlockedIncrement(&g_objects);
  }

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG mode, IDispatch* addIn,
                                         SAFEARRAY**) override {
    std::wstring version;
    latebound::GetText(application, L"Version", version);
    Log(name_ + " OnConnection " + std::to_string(mode) + " " + Narrow(version));
    if (refuses_) return E_FAIL;
    return latebound::Put(addIn, L"Object", static_cast<IDispatch*>(this));
  }
  HRESULT STDMETHODCALLTYPE OnDisconnection(LONG mode, SAFEARRAY**) override {
    Log(name_ + " OnDisconnection " + std::to_string(mode));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override {
    Log(name_ + " OnAddInsUpdate");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override {
    Log(name_ + " OnStartupComplete");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override {
    Log(name_ + " OnBeginShutdown");
    return S_OK;
  }

 private:
  ~RecordingAddIn() override {
    Log(name_ + " released");
    InterlockedDecrement(&g_objects);
  }
  bool Offers(REFIID iid) const override { return iid == host::IID_IDTExtensibility2; }
  HRESULT InvokeMember(Invocation& call) override { return call.ReturnText(L"pong"); }

  std::string name_;
  bool refuses_;
};

class Factory final : public IClassFactory {
 public:
  explicit Factory(bool refusing) : refusing_(refusing) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static objects
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* addIn = refusing_ ? new RecordingAddIn("Refusing", true)
                            : new RecordingAddIn("Recording", false);
    const HRESULT hr = addIn->QueryInterface(iid, object);
    addIn->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  bool refusing_;
};

Factory g_recording(false);
Factory g_refusing(true);

}  // namespace
}  // namespace tandry::standin::recording

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  using namespace tandry::standin::recording;
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid == CLSID_RecordingAddIn) return g_recording.QueryInterface(iid, object);
  if (clsid == CLSID_RefusingAddIn) return g_refusing.QueryInterface(iid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
  return tandry::standin::recording::g_objects == 0 ? S_OK : S_FALSE;
}
