// The engine's monitor list order: the primary monitor (the one whose rectangle starts at 0,0)
// first, then every other monitor in the order the system enumerated them; and the count of
// monitors that the engine reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tandry {

// Left, top, width and height of a monitor in pixels of the virtual desktop.
struct MonitorRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// What GetMonitorCount writes for a system of `enumerated` monitors.
struct MonitorCount {
  std::int32_t usable = 0;
  std::int32_t system = 0;
  std::int32_t reserved = 0;
};
// The number as usable and as system monitors (they are the same), and 0 as reserved. Every
// MonitorIndex below the number is a position of the monitor list.
MonitorCount CountMonitors(std::size_t enumerated);

// Positions into `enumerated` in primary-first order. With no monitor at (0,0) the first one
// enumerated counts as the primary; of several at (0,0) the first enumerated is.
std::vector<std::size_t> PrimaryFirstOrder(const std::vector<MonitorRect>& enumerated);

}  // namespace tandry
