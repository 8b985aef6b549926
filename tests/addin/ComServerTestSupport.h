// What the Windows tests of the add-in's COM server share: where the DLL is, running regsvr32 on
// it, the registry read back, the add-in's identifiers as text, and COM on the test's thread.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tandry::addin::test {

inline constexpr wchar_t kProgId[] = L"tandryaddin.PowerPointAddin";
inline constexpr wchar_t kAddinEntry[] =
    L"Software\\Microsoft\\Office\\PowerPoint\\Addins\\tandryaddin.PowerPointAddin";

// The file `name` in the test program's folder.
std::wstring BesideProgram(const wchar_t* name);
// tandryaddin.dll beside the test program.
std::wstring AddinDllPath();
std::wstring GuidText(REFGUID guid);

// Runs regsvr32 with `options` before the DLL's path; its exit code, or -1 when it did not run.
DWORD RunRegsvr32(const std::wstring& options);

bool KeyExists(HKEY root, const std::wstring& path);
// A REG_SZ value (null name: the default value); nullopt when missing or of another type.
std::optional<std::wstring> RegistryText(HKEY root, const std::wstring& path,
                                         const wchar_t* name = nullptr);
std::optional<DWORD> RegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name);

// The texts of a window's children (a message box's message, the about box's lines).
std::vector<std::wstring> ChildTexts(HWND window);

// COM initialised for the test's thread (single-threaded apartment) while it lives.
class ComApartment {
 public:
  ComApartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { ::CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

}  // namespace tandry::addin::test
