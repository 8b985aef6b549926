#include "MonitorOrder.h"

#include <gmock/gmock.h>

namespace tandry {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

MonitorRect At(int left, int top) { return MonitorRect{left, top, 1920, 1080}; }

TEST(PrimaryFirstOrder, PutsTheMonitorAtTheOriginFirstAndKeepsTheRestInOrder) {
  // Enumerated B (-1280,0), A (0,0), C (1920,0): the list is A, B, C.
  EXPECT_THAT(PrimaryFirstOrder({At(-1280, 0), At(0, 0), At(1920, 0)}), ElementsAre(1, 0, 2));
}

TEST(PrimaryFirstOrder, KeepsEnumerationOrderWhenNoMonitorStartsAtTheOrigin) {
  EXPECT_THAT(PrimaryFirstOrder({At(100, 0), At(-1280, 0), At(1920, 50)}), ElementsAre(0, 1, 2));
}

TEST(PrimaryFirstOrder, TakesTheFirstOfTwoMonitorsAtTheOrigin) {
  EXPECT_THAT(PrimaryFirstOrder({At(1920, 0), At(0, 0), At(0, 0), At(-800, 0)}),
              ElementsAre(1, 0, 2, 3));
}

TEST(PrimaryFirstOrder, NeedsBothCoordinatesAtZero) {
  EXPECT_THAT(PrimaryFirstOrder({At(0, -1080), At(0, 0)}), ElementsAre(1, 0));
}

TEST(PrimaryFirstOrder, HandlesOneAndNoMonitor) {
  EXPECT_THAT(PrimaryFirstOrder({At(0, 0)}), ElementsAre(0));
  EXPECT_THAT(PrimaryFirstOrder({}), IsEmpty());
}

// What GetMonitorCount writes, for no, one and three monitors.
TEST(CountMonitors, GivesTheNumberAsUsableAndAsSystemMonitorsAndAReservedZero) {
  const struct {
    std::vector<MonitorRect> monitors;
    std::int32_t count;
  } systems[] = {{{}, 0}, {{At(0, 0)}, 1}, {{At(-1280, 0), At(0, 0), At(1920, 0)}, 3}};
  for (const auto& system : systems) {
    const MonitorCount count = CountMonitors(system.monitors.size());
    EXPECT_EQ(count.usable, system.count);
    EXPECT_EQ(count.system, system.count);
    EXPECT_EQ(count.reserved, 0);
    // Every MonitorIndex below the count is a position of the list.
    EXPECT_EQ(PrimaryFirstOrder(system.monitors).size(), system.monitors.size());
  }
}

}  // namespace
}  // namespace tandry
