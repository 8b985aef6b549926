#include "MonitorOrder.h"

namespace tandry {

namespace {

std::size_t PrimaryPosition(const std::vector<MonitorRect>& enumerated) {
  for (std::size_t i = 0; i < enumerated.size(); ++i) {
    if (enumerated[i].left == 0 && enumerated[i].top == 0) return i;
  }
  return 0;
}

}  // namespace

MonitorCount CountMonitors(std::size_t enumerated) {
  const auto count = static_cast<std::int32_t>(enumerated);
  return MonitorCount{count, count, 0};
}

std::vector<std::size_t> PrimaryFirstOrder(const std::vector<MonitorRect>& enumerated) {
  std::vector<std::size_t> order;
  if (enumerated.empty()) return order;
  const std::size_t primary = PrimaryPosition(enumerated);
  order.push_back(primary);
  for (std::size_t i = 0; i < enumerated.size(); ++i) {
    if (i != primary) order.push_back(i);
  }
  return order;
}

}  // namespace tandry
