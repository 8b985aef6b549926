// The Windows test bench itself: the tests and the demo rely on three monitors at distinct
// positions, one of them left of the primary.
#include <windows.h>

#include <gmock/gmock.h>

#include <vector>

#include "TestWindows.h"

namespace {

bool Has(const std::vector<RECT>& rects, LONG left, LONG top, LONG right, LONG bottom) {
  for (const RECT& r : rects) {
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom) return true;
  }
  return false;
}

TEST(WineBench, OffersThreeMonitorsAtDistinctPositions) {
  const std::vector<RECT> rects = tandry::wintest::SystemMonitorRects();
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_TRUE(Has(rects, 0, 0, 1920, 1080));
  EXPECT_TRUE(Has(rects, -1280, 0, 0, 1024));
  EXPECT_TRUE(Has(rects, 1920, 0, 3840, 1080));
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 3);
}

}  // namespace
