// Placing the presentation program's show: pixels to points at the screen's density, the
// cursor in the monitor's middle, slide 1, and what happens when a density or the show is
// missing.
#include <gmock/gmock.h>

#include <limits>

#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::FakeMonitor;

class ShowPlacementTest : public test::ShowFixture {
 protected:
  ObjectRef Place(FakeMonitor monitor, std::int32_t perInchX = 96, std::int32_t perInchY = 96) {
    m.declared.monitors = {monitor};
    m.declared.pixelsPerInchX = perInchX;
    m.declared.pixelsPerInchY = perInchY;
    m.log.clear();
    return RunShowOnMonitor(m.module, talk.presentation, 0, 1);
  }
};

TEST_F(ShowPlacementTest, PlacesTheWindowInPointsAndTheCursorInTheMiddle) {
  const struct {
    FakeMonitor monitor;
    std::int32_t perInchX, perInchY;
    std::vector<std::string> expected;
  } cases[] = {
      {{1920, 0, 1920, 1080}, 96, 96,
       {"window.Left = 1440", "window.Top = 0", "window.Width = 1440", "window.Height = 810",
        "SetCursorPos 2880 540"}},
      {{1920, 0, 1920, 1080}, 120, 120,
       {"window.Left = 1152", "window.Top = 0", "window.Width = 1152", "window.Height = 648",
        "SetCursorPos 2880 540"}},
      // Left of and above the primary monitor.
      {{-1280, -1024, 1280, 1024}, 96, 96,
       {"window.Left = -960", "window.Top = -768", "window.Width = 960", "window.Height = 768",
        "SetCursorPos -640 -512"}},
      // Each axis with its own density; odd sizes halve toward zero.
      {{0, 0, 1281, 1025}, 96, 120,
       {"window.Left = 0", "window.Top = 0", "window.Width = 960.75", "window.Height = 615",
        "SetCursorPos 640 512"}},
      {{-1281, -1, 1, 1}, 96, 96,
       {"window.Left = -960.75", "window.Top = -0.75", "window.Width = 0.75",
        "window.Height = 0.75", "SetCursorPos -1281 -1"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Place(c.monitor, c.perInchX, c.perInchY), talk.window);
    EXPECT_THAT(Lines({"window.", "SetCursorPos"}), ElementsAreArray(c.expected))
        << c.monitor.left << "," << c.monitor.top;
  }
}

TEST_F(ShowPlacementTest, WithoutAReadableDensityLeavesTheWindowWhereTheShowPutIt) {
  for (const auto& [perInchX, perInchY] : {std::pair{0, 96}, {96, 0}, {-96, 96}}) {
    Place({1920, 0, 1920, 1080}, perInchX, perInchY);
    EXPECT_THAT(Lines({"window.", "SetCursorPos"}), ElementsAre("SetCursorPos 2880 540"));
  }
  m.declared.missing = {"GetDeviceCaps"};
  Place({1920, 0, 1920, 1080});
  EXPECT_THAT(Lines({"window."}), IsEmpty());
  // The screen's context goes back every time it was had.
  EXPECT_EQ(m.declared.calls["GetDC"], m.declared.calls["ReleaseDC"]);
  EXPECT_EQ(m.declared.calls["GetDC"], 8);
}

TEST_F(ShowPlacementTest, PixelsToPointsConvertsBothValuesOrNeither) {
  float x = 1920;
  float y = 1080;
  EXPECT_TRUE(PixelsToPoints(m.module, x, y));
  EXPECT_EQ(x, 1440.0f);
  EXPECT_EQ(y, 810.0f);
  m.declared.missing = {"GetDC"};
  EXPECT_FALSE(PixelsToPoints(m.module, x, y));
  EXPECT_EQ(x, 1440.0f);
  EXPECT_EQ(y, 810.0f);
}

TEST_F(ShowPlacementTest, GoesToTheAskedSlideUnlessTheShowStandsOnIt) {
  Place({0, 0, 1920, 1080});
  EXPECT_THAT(Lines({"view."}), IsEmpty());

  talk.startSlide = 4;
  Place({0, 0, 1920, 1080});
  EXPECT_THAT(Lines({"view."}), ElementsAre("view.GotoSlide(1, -1)"));
  EXPECT_EQ(talk.current, 1);

  // A slide that can't be read is not taken for the right one.
  talk.startSlide = 1;
  talk.view->Fail(u"Slide");
  Place({0, 0, 1920, 1080});
  EXPECT_THAT(Lines({"view."}), ElementsAre("view.GotoSlide(1, -1)"));
}

TEST_F(ShowPlacementTest, AShowThatDoesNotStartGivesNothingAndStillMovesTheCursor) {
  talk.showFails = true;
  EXPECT_EQ(Place({1920, 0, 1920, 1080}), nullptr);
  EXPECT_THAT(Lines({"window.", "view.", "SetCursorPos"}), ElementsAre("SetCursorPos 2880 540"));
}

TEST_F(ShowPlacementTest, ACursorPositionBeyondThirtyTwoBitsLeavesTheCursor) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  Place({kMax - 10, 0, 100, 100});
  EXPECT_THAT(Lines({"SetCursorPos"}), IsEmpty());
  Place({0, kMax - 10, 100, 100});
  EXPECT_THAT(Lines({"SetCursorPos"}), IsEmpty());
}

}  // namespace
}  // namespace tandry::addin
