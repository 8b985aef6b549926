// The add-in's self-registration: the COM class `PowerPointAddin` with its ProgID and its type
// library, either for all users (under HKEY_CLASSES_ROOT, as regsvr32 asks) or for the current
// user only (under the user's Software\Classes, for users without administrator rights), and in
// both forms the presentation program's add-in entry under the current user's key, which makes
// the host load the add-in at its start.
//
// Every key registration writes lies inside a few keys that belong to the add-in alone (the
// class, the ProgID, the type library, the interface, the add-in entry); unregistration deletes
// exactly those, and keys shared with others (Software\Classes\CLSID, the host's Addins) stay.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tandry::addin {

enum class RegistrationScope { AllUsers, CurrentUser };

// Registers the add-in in the DLL at `modulePath`. When a write fails, what this form had
// written is removed again and the failure is returned.
HRESULT RegisterAddin(RegistrationScope scope, const std::wstring& modulePath);
// Removes what RegisterAddin writes in that form; keys already missing count as removed.
HRESULT UnregisterAddin(RegistrationScope scope);

// The form that DllInstall's command line asks for: "user" (in any case) is the current user's;
// nothing else is understood.
std::optional<RegistrationScope> ScopeOfInstallCommand(const wchar_t* command);

}  // namespace tandry::addin
