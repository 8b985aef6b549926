// UTF-8 text of the deck to the UTF-16 that the wide Win32 and automation calls take.
#pragma once

#include <windows.h>

#include <string>

namespace tandry::standin {

inline std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring text(length > 0 ? length : 0, L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
  return text;
}

}  // namespace tandry::standin
