// The keys and values of the add-in's registration, as one table built per form, and the writing
// and deleting of that table.
#include "Registration.h"

#include <optional>
#include <utility>
#include <vector>

#include "HostObjectModel.h"
#include "ScopedWin.h"
#include "tandryaddin.h"

namespace tandry::addin {

namespace {

constexpr wchar_t kProgId[] = L"tandryaddin.PowerPointAddin";
constexpr wchar_t kClassName[] = L"PowerPointAddin";
constexpr wchar_t kInterfaceName[] = L"_PowerPointAddin";
constexpr wchar_t kLibraryDescription[] = L"Tandry";
constexpr wchar_t kLibraryVersion[] = L"1.0";
constexpr wchar_t kFriendlyName[] = L"Tandry";
constexpr wchar_t kDescription[] =
    L"Display multiple slides on different monitors from presentations.";
// The automation marshaler, which marshals a dual interface from its type library.
constexpr wchar_t kAutomationProxyStub[] = L"{00020424-0000-0000-C000-000000000046}";
#ifdef _WIN64
constexpr wchar_t kLibraryPlatform[] = L"win64";
#else
constexpr wchar_t kLibraryPlatform[] = L"win32";
#endif

// A value of a key, a text (REG_SZ) or a number (REG_DWORD); a null name is the key's default
// value. No std::variant holds the text: the table is copied from its braced lists, and with
// GCC 12 an allocation failing inside a variant's copy of a string is not caught.
struct RegistryValue {
  RegistryValue(const wchar_t* valueName, std::wstring valueText)
      : name(valueName), text(std::move(valueText)) {}
  RegistryValue(const wchar_t* valueName, DWORD valueNumber)
      : name(valueName), number(valueNumber) {}

  const wchar_t* name;
  std::wstring text;
  std::optional<DWORD> number;
};

// A key below an owned key ("" for the owned key itself) with its values.
struct RegistryKey {
  std::wstring subkey;
  std::vector<RegistryValue> values;
};

// A key that belongs to the add-in alone, with everything registration writes inside it.
struct OwnedKey {
  HKEY root;
  std::wstring path;
  std::vector<RegistryKey> keys;
};

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// Where the class keys go in each form.
HKEY ClassesRoot(RegistrationScope scope) {
  return scope == RegistrationScope::AllUsers ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}
std::wstring ClassesBase(RegistrationScope scope) {
  return scope == RegistrationScope::AllUsers ? L"" : L"Software\\Classes\\";
}

// Everything registration writes, grouped by the keys that belong to the add-in alone;
// unregistration reads only those keys' paths.
std::vector<OwnedKey> AddinKeys(RegistrationScope scope, const std::wstring& modulePath) {
  const HKEY classes = ClassesRoot(scope);
  const std::wstring base = ClassesBase(scope);
  const std::wstring clsid = GuidText(CLSID_PowerPointAddin);
  const std::wstring libid = GuidText(LIBID_tandryaddin);
  return {
      {classes,
       base + L"CLSID\\" + clsid,
       {{L"", {{nullptr, kClassName}}},
        {L"InprocServer32", {{nullptr, modulePath}, {L"ThreadingModel", L"Apartment"}}},
        {L"ProgID", {{nullptr, kProgId}}},
        {L"TypeLib", {{nullptr, libid}}}}},
      {classes, base + kProgId, {{L"", {{nullptr, kClassName}}}, {L"CLSID", {{nullptr, clsid}}}}},
      {classes,
       base + L"TypeLib\\" + libid,
       {{kLibraryVersion, {{nullptr, kLibraryDescription}}},
        {std::wstring(kLibraryVersion) + L"\\0\\" + kLibraryPlatform, {{nullptr, modulePath}}},
        {std::wstring(kLibraryVersion) + L"\\FLAGS", {{nullptr, L"0"}}},
        {std::wstring(kLibraryVersion) + L"\\HELPDIR", {{nullptr, FolderOf(modulePath)}}}}},
      {classes,
       base + L"Interface\\" + GuidText(IID__PowerPointAddin),
       {{L"", {{nullptr, kInterfaceName}}},
        {L"ProxyStubClsid32", {{nullptr, kAutomationProxyStub}}},
        {L"TypeLib", {{nullptr, libid}, {L"Version", kLibraryVersion}}}}},
      {HKEY_CURRENT_USER,
       std::wstring(host::kAddinsKey) + L"\\" + kProgId,
       {{L"",
         {{host::kFriendlyNameValue, kFriendlyName},
          {host::kDescriptionValue, kDescription},
          {host::kLoadBehaviorValue, host::kLoadAtStartup}}}}},
  };
}

LSTATUS SetValue(HKEY key, const RegistryValue& value) {
  if (value.number) {
    return ::RegSetValueExW(key, value.name, 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&*value.number), sizeof(DWORD));
  }
  const DWORD bytes = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key, value.name, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.text.c_str()), bytes);
}

LSTATUS CreateKey(HKEY parent, const wchar_t* subkey, ScopedRegKey& key) {
  HKEY created = nullptr;
  const LSTATUS status = ::RegCreateKeyExW(parent, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, &created,
                                           nullptr);
  key.reset(created);
  return status;
}

// Writes one key of an owned key with its values. Nothing here allocates, so that a failure
// can't interrupt the writes between two keys without the rollback.
LSTATUS WriteKey(const OwnedKey& owned, const RegistryKey& key) {
  ScopedRegKey ownedKey;
  LSTATUS status = CreateKey(owned.root, owned.path.c_str(), ownedKey);
  if (status != ERROR_SUCCESS) return status;
  ScopedRegKey subkey;
  if (!key.subkey.empty()) {
    status = CreateKey(ownedKey.get(), key.subkey.c_str(), subkey);
    if (status != ERROR_SUCCESS) return status;
  }
  const HKEY written = subkey ? subkey.get() : ownedKey.get();
  for (const RegistryValue& value : key.values) {
    status = SetValue(written, value);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

// Deletes every owned key; the first failure, keys already missing counting as deleted.
HRESULT DeleteOwnedKeys(const std::vector<OwnedKey>& keys) {
  HRESULT result = S_OK;
  for (const OwnedKey& owned : keys) {
    LSTATUS status = ::RegDeleteTreeW(owned.root, owned.path.c_str());
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
    if (status != ERROR_SUCCESS && result == S_OK) result = HRESULT_FROM_WIN32(status);
  }
  return result;
}

}  // namespace

// The whole table is made before the first write: once writing has begun, only the registry's
// own failures can stop it, and those are rolled back.
HRESULT RegisterAddin(RegistrationScope scope, const std::wstring& modulePath) {
  const std::vector<OwnedKey> keys = AddinKeys(scope, modulePath);
  for (const OwnedKey& owned : keys) {
    for (const RegistryKey& key : owned.keys) {
      const LSTATUS status = WriteKey(owned, key);
      if (status != ERROR_SUCCESS) {
        DeleteOwnedKeys(keys);
        return HRESULT_FROM_WIN32(status);
      }
    }
  }
  return S_OK;
}

HRESULT UnregisterAddin(RegistrationScope scope) {
  return DeleteOwnedKeys(AddinKeys(scope, L""));
}

std::optional<RegistrationScope> ScopeOfInstallCommand(const wchar_t* command) {
  if (command && ::lstrcmpiW(command, L"user") == 0) return RegistrationScope::CurrentUser;
  return std::nullopt;
}

}  // namespace tandry::addin
