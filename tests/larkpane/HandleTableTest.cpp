#include "HandleTable.h"

#include <gmock/gmock.h>

#include <limits>
#include <memory>

namespace larkpane {
namespace {

using ::testing::ElementsAre;

TEST(HandleTable, HandsOutRisingPositiveIdsThatAreNeverReused) {
  HandleTable<int> table;
  EXPECT_EQ(table.Add(PaneKind::Slide, 10), 1);
  EXPECT_EQ(table.Add(PaneKind::Notes, 20), 2);
  ASSERT_TRUE(table.Take(2, PaneKind::Notes));
  // A stale handle must not reach the next window.
  EXPECT_EQ(table.Add(PaneKind::Notes, 30), 3);
  EXPECT_EQ(table.Find(2, PaneKind::Notes), nullptr);
  ASSERT_NE(table.Find(3, PaneKind::Notes), nullptr);
  EXPECT_EQ(*table.Find(3, PaneKind::Notes), 30);
}

TEST(HandleTable, FindsNothingForZeroUnknownOrAnotherKind) {
  HandleTable<int> table;
  const std::int32_t handle = table.Add(PaneKind::FourSlide, 7);
  EXPECT_EQ(table.Find(0, PaneKind::FourSlide), nullptr);
  EXPECT_EQ(table.Find(-1, PaneKind::FourSlide), nullptr);
  EXPECT_EQ(table.Find(handle + 1, PaneKind::FourSlide), nullptr);
  for (PaneKind other : {PaneKind::Slide, PaneKind::SharedScreen, PaneKind::Notes}) {
    EXPECT_EQ(table.Find(handle, other), nullptr);
    EXPECT_FALSE(table.Take(handle, other));
  }
  EXPECT_EQ(table.Size(), 1u);
}

TEST(HandleTable, TakeHandsTheValueOverOnce) {
  HandleTable<std::unique_ptr<int>> table;
  const std::int32_t handle = table.Add(PaneKind::SharedScreen, std::make_unique<int>(5));
  std::optional<std::unique_ptr<int>> taken = table.Take(handle, PaneKind::SharedScreen);
  ASSERT_TRUE(taken && *taken);
  EXPECT_EQ(**taken, 5);
  EXPECT_FALSE(table.Take(handle, PaneKind::SharedScreen));
  EXPECT_EQ(table.Size(), 0u);
}

TEST(HandleTable, TakeAllEmptiesTheTableNewestFirst) {
  HandleTable<int> table;
  table.Add(PaneKind::Slide, 1);
  table.Add(PaneKind::FourSlide, 2);
  table.Add(PaneKind::Notes, 3);
  EXPECT_THAT(table.TakeAll(), ElementsAre(3, 2, 1));
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_EQ(table.Find(1, PaneKind::Slide), nullptr);
}

TEST(HandleTable, RefusesNewEntriesOnceEveryIdIsUsed) {
  constexpr std::int32_t kLast = std::numeric_limits<std::int32_t>::max();
  HandleTable<int> table(kLast);
  EXPECT_EQ(table.Add(PaneKind::Slide, 1), kLast);
  EXPECT_EQ(table.Add(PaneKind::Slide, 2), 0);
  ASSERT_TRUE(table.Take(kLast, PaneKind::Slide));
  EXPECT_EQ(table.Add(PaneKind::Slide, 3), 0);
  EXPECT_EQ(table.Size(), 0u);
}

}  // namespace
}  // namespace larkpane
