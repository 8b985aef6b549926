#include "SharedUnit.h"

#include <vector>

#include "Contained.h"
#include "ScopedWin.h"
#include "TempDir.h"

namespace tandry {

namespace {

// The system's monitors in enumeration order, and the primary-first list over them. Both are
// made at the first call that needs them rather than at load: enumerating monitors from the
// DLL entry point would call into user32 under the loader lock. Neither changes afterwards.
std::vector<HMONITOR> g_enumerated;
bool g_enumeratedOnce = false;
std::vector<HMONITOR> g_monitorList;

// No exception may unwind through the system's enumeration: without memory it stops there.
BOOL CALLBACK AppendMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  return Contained(FALSE, [&] {
    reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
    return TRUE;
  });
}

const std::vector<HMONITOR>& EnumeratedMonitors() {
  if (!g_enumeratedOnce) {
    g_enumeratedOnce = true;
    EnumDisplayMonitors(nullptr, nullptr, AppendMonitor, reinterpret_cast<LPARAM>(&g_enumerated));
  }
  return g_enumerated;
}

bool CurrentRect(HMONITOR monitor, MonitorRect& rect) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoA(monitor, &info)) return false;
  rect = MonitorRect{info.rcMonitor.left, info.rcMonitor.top,
                     info.rcMonitor.right - info.rcMonitor.left,
                     info.rcMonitor.bottom - info.rcMonitor.top};
  return true;
}

void BuildMonitorList() {
  if (!g_monitorList.empty()) return;
  const std::vector<HMONITOR>& monitors = EnumeratedMonitors();
  std::vector<MonitorRect> rects(monitors.size());
  for (std::size_t i = 0; i < monitors.size(); ++i) CurrentRect(monitors[i], rects[i]);
  // Made aside and then taken over whole, so that a failure can't leave half a list behind.
  std::vector<HMONITOR> list;
  for (std::size_t position : PrimaryFirstOrder(rects)) list.push_back(monitors[position]);
  g_monitorList.swap(list);
}

// A text that the system writes into a buffer and whose length it returns; empty when it has
// none or it does not fit.
std::string SystemText(DWORD(WINAPI* read)(DWORD size, char* buffer)) {
  char buffer[4096];
  const DWORD length = read(sizeof buffer, buffer);
  return std::string(buffer, length < sizeof buffer ? length : 0);
}

// The caller's outputs; a nil pointer gets nothing.
void WriteTo(std::int32_t* output, std::int32_t value) {
  if (output) *output = value;
}

// Copies the install path into `buffer`; see GetInstallPath.
std::int32_t ReadInstallPath(char* buffer) {
  ScopedRegKey key;
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brisant\\Tandry", 0, KEY_READ, &opened) !=
      ERROR_SUCCESS)
    return 0;
  key.reset(opened);

  DWORD type = 0;
  DWORD size = 0;
  LONG status = ::RegQueryValueExA(key.get(), "InstallPath", nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) {
    buffer[0] = '\0';
    return 0;
  }
  // A value that is not text is no path: nothing is copied.
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;

  std::string text(size, '\0');
  if (::RegQueryValueExA(key.get(), "InstallPath", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
    return 0;
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  text.copy(buffer, text.size());
  buffer[text.size()] = '\0';
  return static_cast<std::int32_t>(text.size());
}

}  // namespace

bool MonitorRectOf(std::int32_t index, MonitorRect& rect) {
  BuildMonitorList();
  if (index < 0 || static_cast<std::size_t>(index) >= g_monitorList.size()) return false;
  return CurrentRect(g_monitorList[index], rect);
}

std::string GetTempDir() {
  return ChooseTempDir(SystemText(::GetTempPathA), SystemText(::GetCurrentDirectoryA));
}

void ReleaseMonitorList() {
  g_monitorList.clear();
  g_monitorList.shrink_to_fit();
}

}  // namespace tandry

using namespace tandry;

TANDRYCORE_API void __stdcall GetMonitorCount(std::int32_t* usableMonitors,
                                              std::int32_t* systemMonitors,
                                              std::int32_t* reserved) {
  Contained([&] {
    const MonitorCount count = CountMonitors(EnumeratedMonitors().size());
    WriteTo(usableMonitors, count.usable);
    WriteTo(systemMonitors, count.system);
    WriteTo(reserved, count.reserved);
  });
}

TANDRYCORE_API void __stdcall GetMonitorInfo(std::int32_t index, std::int32_t* left,
                                             std::int32_t* top, std::int32_t* width,
                                             std::int32_t* height) {
  Contained([&] {
    MonitorRect rect;
    if (!MonitorRectOf(index, rect)) return;
    WriteTo(left, rect.left);
    WriteTo(top, rect.top);
    WriteTo(width, rect.width);
    WriteTo(height, rect.height);
  });
}

TANDRYCORE_API std::int32_t __stdcall GetInstallPath(char* buffer) {
  return Contained(std::int32_t{0}, [&] { return buffer ? ReadInstallPath(buffer) : 0; });
}
