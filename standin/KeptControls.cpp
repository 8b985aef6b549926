#include "KeptControls.h"

#include <windows.h>

#include <string>

#include "ScopedWin.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

DWORD ReadNumber(HKEY key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  const LONG status =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  return status == ERROR_SUCCESS && type == REG_DWORD ? value : 0;
}

std::string ReadText(HKEY key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  DWORD type = 0;
  const LONG status =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  return status == ERROR_SUCCESS && type == REG_SZ ? Narrow(text) : std::string();
}

void WriteNumber(HKEY key, const wchar_t* name, DWORD value) {
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void WriteText(HKEY key, const wchar_t* name, const std::string& utf8) {
  const std::wstring text = Widen(utf8);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::vector<KeptControl> LoadKeptControls() {
  std::vector<KeptControl> controls;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeptControlsKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return controls;
  }
  ScopedRegKey list(opened);
  for (int n = 1;; ++n) {
    HKEY entryKey = nullptr;
    if (RegOpenKeyExW(list.get(), std::to_wstring(n).c_str(), 0, KEY_READ, &entryKey) !=
        ERROR_SUCCESS) {
      break;
    }
    ScopedRegKey entry(entryKey);
    KeptControl control;
    control.popupId = static_cast<int>(ReadNumber(entry.get(), L"PopupId"));
    control.index = static_cast<int>(ReadNumber(entry.get(), L"Index"));
    control.caption = ReadText(entry.get(), L"Caption");
    control.tag = ReadText(entry.get(), L"Tag");
    control.faceId = static_cast<int>(ReadNumber(entry.get(), L"FaceId"));
    control.beginGroup = ReadNumber(entry.get(), L"BeginGroup") != 0;
    controls.push_back(std::move(control));
  }
  return controls;
}

void SaveKeptControls(const std::vector<KeptControl>& controls) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kKeptControlsKey);
  if (controls.empty()) return;
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeptControlsKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                      &created, nullptr) != ERROR_SUCCESS) {
    return;
  }
  ScopedRegKey list(created);
  int n = 0;
  for (const KeptControl& control : controls) {
    HKEY entryKey = nullptr;
    if (RegCreateKeyExW(list.get(), std::to_wstring(++n).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &entryKey, nullptr) != ERROR_SUCCESS) {
      return;
    }
    ScopedRegKey entry(entryKey);
    WriteNumber(entry.get(), L"PopupId", static_cast<DWORD>(control.popupId));
    WriteNumber(entry.get(), L"Index", static_cast<DWORD>(control.index));
    WriteText(entry.get(), L"Caption", control.caption);
    WriteText(entry.get(), L"Tag", control.tag);
    WriteNumber(entry.get(), L"FaceId", static_cast<DWORD>(control.faceId));
    WriteNumber(entry.get(), L"BeginGroup", control.beginGroup ? 1 : 0);
  }
}

}  // namespace tandry::standin
