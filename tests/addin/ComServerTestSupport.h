// What the Windows tests of the add-in's COM server share: where the DLL is, running regsvr32 on
// it, the registry read back, the add-in's identifiers as text, and COM on the test's thread.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tandry::addin::test {

inline constexpr wchar_t kProgId[] = L"tandryaddin.PowerPointAddin";
inline constexpr wchar_t kAddinEntry[] =
    L"Software\\Microsoft\\Office\\PowerPoint\\Addins\\tandryaddin.PowerPointAddin";

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

// Watches on a thread of its own for a dialog window titled `title` (a message box, the about
// box), keeps the texts of its children and closes it: for a test whose thread shows it modally.
class DialogCloser {
 public:
  explicit DialogCloser(std::wstring title);
  ~DialogCloser();
  DialogCloser(const DialogCloser&) = delete;
  DialogCloser& operator=(const DialogCloser&) = delete;
  // Waits for the watch to end; the texts of the dialog's children, empty when none appeared.
  std::vector<std::wstring> Texts();

 private:
  std::vector<std::wstring> texts_;
  std::thread watcher_;
};

// COM initialised for the test's thread (single-threaded apartment) while it lives.
class ComApartment {
 public:
  ComApartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { ::CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

}  // namespace tandry::addin::test
