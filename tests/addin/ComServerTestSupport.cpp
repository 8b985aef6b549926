#include "ComServerTestSupport.h"

#include "ScopedWin.h"

namespace tandry::addin::test {

std::wstring BesideProgram(const wchar_t* name) {
  wchar_t program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring path = program;
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

std::wstring AddinDllPath() { return BesideProgram(L"tandryaddin.dll"); }

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return text;
}

DWORD RunRegsvr32(const std::wstring& options) {
  std::wstring command = L"regsvr32.exe " + options + L" \"" + AddinDllPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return static_cast<DWORD>(-1);
  }
  ScopedHandle processHandle(process.hProcess);
  ScopedHandle threadHandle(process.hThread);
  ::WaitForSingleObject(process.hProcess, 30000);
  DWORD exitCode = static_cast<DWORD>(-1);
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  return exitCode;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

std::optional<std::wstring> RegistryText(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD bytes = 0;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text.data());
}

std::optional<DWORD> RegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD number = 0;
  DWORD bytes = sizeof number;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &number, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return number;
}

std::vector<std::wstring> ChildTexts(HWND window) {
  std::vector<std::wstring> texts;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    texts.push_back(text);
  }
  return texts;
}

}  // namespace tandry::addin::test
