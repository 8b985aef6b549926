// Monitors in primary-first order, the temporary directory and the install path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "MonitorOrder.h"
#include "tandrycore.h"

namespace tandry {

// The rectangle of MonitorList[index]; false (and `rect` untouched) outside the list.
bool MonitorRectOf(std::int32_t index, MonitorRect& rect);

// The system's temporary directory, always ending in a backslash.
std::string GetTempDir();

// Forgets the monitor list when the library unloads.
void ReleaseMonitorList();

}  // namespace tandry
