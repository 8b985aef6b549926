#include "AddIns.h"

#include <cstdio>
#include <iterator>
#include <utility>

#include "ApplicationObject.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

namespace addin = host::com_addin;
namespace addins = host::com_addins;

const DispatchMember kAddInMembers[] = {
    {L"Description", addin::kDescription, true},
    {L"ProgId", addin::kProgId},
    {L"Connect", addin::kConnect, true},
    {L"Object", addin::kObject, true},
};

const DispatchMember kAddInsMembers[] = {
    {L"Item", addins::kItem, false, {L"Index"}},
    {L"Count", addins::kCount},
};

// The `custom` array that every connection call passes: empty, as add-ins don't read it.
class CustomArray {
 public:
  CustomArray() : array_(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  ~CustomArray() {
    if (array_) SafeArrayDestroy(array_);
  }
  CustomArray(const CustomArray&) = delete;
  CustomArray& operator=(const CustomArray&) = delete;
  SAFEARRAY** get() { return &array_; }

 private:
  SAFEARRAY* array_;
};

HRESULT CreateFromProgId(const std::wstring& progId, IUnknown** instance) {
  CLSID clsid;
  const HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
  if (FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                          reinterpret_cast<void**>(instance));
}

std::wstring TextValue(HKEY key, const wchar_t* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

DWORD NumberValue(HKEY key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    return 0;
  }
  return value;
}

}  // namespace

std::vector<AddInEntry> RegisteredAddIns() {
  std::vector<AddInEntry> entries;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, host::kAddinsKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return entries;
  }
  ScopedRegKey list(opened);
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    const LONG status =
        RegEnumKeyExW(list.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    HKEY entryKey = nullptr;
    if (RegOpenKeyExW(list.get(), name, 0, KEY_READ, &entryKey) != ERROR_SUCCESS) continue;
    ScopedRegKey entry(entryKey);
    entries.push_back(AddInEntry{
        name, TextValue(entry.get(), host::kDescriptionValue),
        NumberValue(entry.get(), host::kLoadBehaviorValue) == host::kLoadAtStartup, {}});
  }
  return entries;
}

AddInObject::AddInObject(ApplicationObject& app, AddInEntry entry)
    : DispatchObject(kAddInMembers, std::size(kAddInMembers)),
      app_(&app),
      entry_(std::move(entry)) {}

HRESULT AddInObject::Refuse(const char* what, HRESULT hr) {
  std::fprintf(stderr, "standin: add-in %s is not loaded: %s (0x%08lX)\n",
               Narrow(entry_.progId).c_str(), what, static_cast<unsigned long>(hr));
  std::fflush(stderr);
  instance_.reset();
  object_.reset();
  return FAILED(hr) ? hr : E_FAIL;
}

HRESULT AddInObject::Connect(LONG mode) {
  if (connected()) return S_OK;
  if (!app_) return E_UNEXPECTED;
  ScopedComPtr<IUnknown> created;
  HRESULT hr = entry_.create ? entry_.create(created.receive())
                             : CreateFromProgId(entry_.progId, created.receive());
  if (FAILED(hr) || !created) return Refuse("it cannot be created", hr);
  hr = created->QueryInterface(host::IID_IDTExtensibility2,
                               reinterpret_cast<void**>(instance_.receive()));
  if (FAILED(hr)) return Refuse("it is no COM add-in", hr);
  ScopedComPtr<AddInObject> keepAlive(this);
  AddRef();
  CustomArray custom;
  hr = instance_->OnConnection(static_cast<IDispatch*>(app_), mode, this, custom.get());
  if (FAILED(hr)) return Refuse("it refused the connection", hr);
  return S_OK;
}

void AddInObject::Disconnect(LONG mode) {
  if (!connected()) return;
  ScopedComPtr<host::IDTExtensibility2> leaving = std::move(instance_);
  CustomArray custom;
  leaving->OnDisconnection(mode, custom.get());
  object_.reset();
}

void AddInObject::AddInsUpdate() {
  CustomArray custom;
  if (connected()) instance_->OnAddInsUpdate(custom.get());
}

void AddInObject::StartupComplete() {
  CustomArray custom;
  if (connected()) instance_->OnStartupComplete(custom.get());
}

void AddInObject::BeginShutdown() {
  CustomArray custom;
  if (connected()) instance_->OnBeginShutdown(custom.get());
}

void AddInObject::Close() {
  instance_.reset();
  object_.reset();
  app_ = nullptr;
}

HRESULT AddInObject::InvokeMember(Invocation& call) {
  ScopedVariant value;
  HRESULT hr = S_OK;
  switch (call.id()) {
    case addin::kDescription:
      if (!call.put()) return call.ReturnText(entry_.description);
      hr = call.PutValue(VT_BSTR, *value.get());
      if (SUCCEEDED(hr)) {
        entry_.description.assign((*value).bstrVal, SysStringLen((*value).bstrVal));
      }
      return hr;
    case addin::kProgId:
      return call.ReturnText(entry_.progId);
    case addin::kConnect:
      if (!call.put()) return call.ReturnBool(connected());
      hr = call.PutValue(VT_BOOL, *value.get());
      if (FAILED(hr)) return hr;
      if ((*value).boolVal == VARIANT_FALSE) {
        Disconnect(host::kDisconnectUserClosed);
        return S_OK;
      }
      hr = Connect(host::kConnectAfterStartup);
      return FAILED(hr) ? call.Fail(hr, L"The add-in could not be connected.") : hr;
    default:
      if (!call.put()) {
        if (object_) object_->AddRef();
        return call.ReturnObject(object_.get());
      }
      hr = call.PutValue(VT_DISPATCH, *value.get());
      if (FAILED(hr)) return hr;
      object_.reset((*value).pdispVal);
      (*value.get()).vt = VT_EMPTY;  // the reference moved into object_
      return S_OK;
  }
}

AddInsObject::AddInsObject(ApplicationObject& app)
    : DispatchObject(kAddInsMembers, std::size(kAddInsMembers)), app_(&app) {}

void AddInsObject::Add(AddInEntry entry) {
  if (app_) addIns_.emplace_back(new AddInObject(*app_, std::move(entry)));
}

std::vector<ScopedComPtr<AddInObject>> AddInsObject::Snapshot() const {
  std::vector<ScopedComPtr<AddInObject>> held;
  for (const auto& addIn : addIns_) {
    addIn->AddRef();
    held.emplace_back(addIn.get());
  }
  return held;
}

void AddInsObject::ConnectAtStartup() {
  for (const auto& addIn : Snapshot()) {
    if (addIn->entry().loadAtStartup) addIn->Connect(host::kConnectStartup);
  }
}

void AddInsObject::CompleteStartup() {
  const auto held = Snapshot();
  for (const auto& addIn : held) addIn->AddInsUpdate();
  for (const auto& addIn : held) addIn->StartupComplete();
}

void AddInsObject::ShutDown() {
  const auto held = Snapshot();
  for (const auto& addIn : held) addIn->BeginShutdown();
  for (const auto& addIn : held) addIn->Disconnect(host::kDisconnectHostShutdown);
}

void AddInsObject::Close() {
  for (const auto& addIn : addIns_) addIn->Close();
  addIns_.clear();
  app_ = nullptr;
}

HRESULT AddInsObject::InvokeMember(Invocation& call) {
  if (call.id() == addins::kCount) return call.ReturnLong(static_cast<LONG>(addIns_.size()));
  ItemKey key;  // the ProgID by name
  const HRESULT hr = call.IndexOrName(0, key);
  if (FAILED(hr)) return hr;
  AddInObject* found = nullptr;
  for (std::size_t i = 0; i < addIns_.size() && !found; ++i) {
    if (key.Means(i + 1, addIns_[i]->entry().progId)) found = addIns_[i].get();
  }
  if (!found) return call.Fail(E_INVALIDARG, L"There is no such COM add-in.");
  found->AddRef();
  return call.ReturnObject(found);
}

}  // namespace tandry::standin
