// Monitors in primary-first order, the temporary directory and the install path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "MonitorOrder.h"
#include "TandryExport.h"

// The export of that name, not user32's GetMonitorInfoA/W.
#undef GetMonitorInfo

TANDRY_EXPORT void __stdcall GetMonitorCount(std::int32_t* usableMonitors,
                                             std::int32_t* systemMonitors,
                                             std::int32_t* reserved);
TANDRY_EXPORT void __stdcall GetMonitorInfo(std::int32_t index, std::int32_t* left,
                                            std::int32_t* top, std::int32_t* width,
                                            std::int32_t* height);
TANDRY_EXPORT std::int32_t __stdcall GetInstallPath(char* buffer);

namespace tandry {

// The rectangle of MonitorList[index]; false (and `rect` untouched) outside the list.
bool MonitorRectOf(std::int32_t index, MonitorRect& rect);

// The system's temporary directory, always ending in a backslash.
std::string GetTempDir();

// Forgets the monitor list when the library unloads.
void ReleaseMonitorList();

}  // namespace tandry
