#include "Monitors.h"

#include <vector>

#include "MonitorOrder.h"
#include "ScopedWin.h"

namespace tandry::standin {

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<MonitorRect>*>(list)->push_back(
      MonitorRect{rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
  return TRUE;
}

std::vector<MonitorRect> EnumeratedMonitors() {
  std::vector<MonitorRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

}  // namespace

bool MonitorRectByIndex(int index, RECT& rect) {
  const std::vector<MonitorRect> monitors = EnumeratedMonitors();
  const std::vector<std::size_t> order = PrimaryFirstOrder(monitors);
  if (index < 0 || static_cast<std::size_t>(index) >= order.size()) return false;
  const MonitorRect& m = monitors[order[index]];
  rect = RECT{m.left, m.top, m.left + m.width, m.top + m.height};
  return true;
}

int ScreenPixelsPerInch(int axis) {
  ScopedGetDC screen(nullptr);
  return screen ? GetDeviceCaps(screen.get(), axis) : 0;
}

}  // namespace tandry::standin
