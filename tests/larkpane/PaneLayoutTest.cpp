#include "PaneLayout.h"

#include <gmock/gmock.h>

#include <limits>

namespace larkpane {
namespace {

using ::testing::ElementsAre;

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

TEST(PaneLayout, UsableAreasAreMonitorsNotNonsense) {
  EXPECT_TRUE(IsUsableArea(0, 0, 1920, 1080));
  EXPECT_TRUE(IsUsableArea(-1280, 0, 1280, 1024));
  EXPECT_FALSE(IsUsableArea(0, 0, 0, 0));  // the add-in's rectangle of a missing monitor
  EXPECT_FALSE(IsUsableArea(0, 0, -5, 100));
  EXPECT_FALSE(IsUsableArea(0, 0, 100, 0));
  EXPECT_FALSE(IsUsableArea(0, 0, 40000, 100));
  EXPECT_FALSE(IsUsableArea(30000, 0, 5000, 100));
  EXPECT_FALSE(IsUsableArea(std::numeric_limits<std::int32_t>::max(), 0, 10, 10));
}

TEST(PaneLayout, FitKeepsTheAspectRatioAndCentres) {
  // 4:3 on 16:9: bars left and right.
  EXPECT_EQ(FitRect({0, 0, 1920, 1080}, 400, 300), (Rect{240, 0, 1440, 1080}));
  // 16:9 on a square: bars above and below, rounded to the nearest pixel.
  EXPECT_EQ(FitRect({0, 0, 1080, 1080}, 1920, 1080), (Rect{0, 236, 1080, 608}));
  // Offset areas, upscaling, exact fits.
  EXPECT_EQ(FitRect({100, 50, 480, 270}, 16, 9), (Rect{100, 50, 480, 270}));
  EXPECT_EQ(FitRect({-1280, 0, 1280, 1024}, 1920, 1080), (Rect{-1280, 152, 1280, 720}));
  // Extreme shapes keep at least a pixel.
  EXPECT_EQ(FitRect({0, 0, 100, 100}, 16384, 1), (Rect{0, 49, 100, 1}));
}

TEST(PaneLayout, FitOfNothingIsEmpty) {
  EXPECT_TRUE(FitRect({0, 0, 100, 100}, 0, 10).Empty());
  EXPECT_TRUE(FitRect({0, 0, 100, 100}, 10, -1).Empty());
  EXPECT_TRUE(FitRect({0, 0, 0, 100}, 10, 10).Empty());
}

TEST(PaneLayout, GridCellsTileOddSizesExactly) {
  const Rect area{-7, 3, 1281, 1023};
  const std::vector<Rect> cells = GridCells(area, 2, 2);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[0].left, area.left);
  EXPECT_EQ(cells[0].Right(), cells[1].left);
  EXPECT_EQ(cells[1].Right(), area.Right());
  EXPECT_EQ(cells[0].Bottom(), cells[2].top);
  EXPECT_EQ(cells[3].Bottom(), area.Bottom());
  std::int64_t total = 0;
  for (const Rect& cell : cells) total += std::int64_t{cell.width} * cell.height;
  EXPECT_EQ(total, std::int64_t{area.width} * area.height);
}

TEST(PaneLayout, InsetNeverTurnsNegative) {
  EXPECT_EQ(Inset({10, 10, 100, 50}, 5), (Rect{15, 15, 90, 40}));
  EXPECT_EQ(Inset({10, 10, 6, 3}, 5), (Rect{13, 11, 0, 1}));
}

TEST(PaneLayout, SlideWindowShowsOneSlideOverTheWholeWindow) {
  const PaneLayout layout = LayoutPane(PaneKind::Slide, 1280, 1024, true);
  EXPECT_THAT(layout.positions, ElementsAre(Rect{0, 0, 1280, 1024}));
  EXPECT_TRUE(layout.notes.Empty());
  EXPECT_TRUE(layout.show.Empty());
}

TEST(PaneLayout, FourSlidesFillTheQuadrantsInReadingOrder) {
  const PaneLayout layout = LayoutPane(PaneKind::FourSlide, 1920, 1080, true);
  ASSERT_EQ(layout.positions.size(), 4u);
  const std::vector<Rect> quadrants = GridCells({0, 0, 1920, 1080}, 2, 2);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(Inside(layout.positions[i], quadrants[i])) << "position " << i + 1;
    // A narrow gap keeps neighbouring slides apart, no more.
    EXPECT_GE(layout.positions[i].width, quadrants[i].width - 20);
    EXPECT_LT(layout.positions[i].width, quadrants[i].width);
  }
  EXPECT_TRUE(layout.notes.Empty());  // the notes flag does not apply here
}

TEST(PaneLayout, SharedScreenWithNotesLeavesTheShowTheTopLeftThreeQuarters) {
  const PaneLayout layout = LayoutPane(PaneKind::SharedScreen, 1920, 1080, true);
  EXPECT_EQ(layout.show, (Rect{0, 0, 1440, 810}));
  ASSERT_EQ(layout.positions.size(), 3u);
  const std::vector<Rect> column = GridCells({1440, 0, 480, 810}, 1, 3);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(Inside(layout.positions[i], column[i])) << "position " << i + 1;
    EXPECT_FALSE(Overlap(layout.positions[i], layout.show));
  }
  EXPECT_TRUE(Inside(layout.notes, {0, 810, 1920, 270}));
  EXPECT_GT(layout.notes.width, 1800);
  EXPECT_FALSE(Overlap(layout.notes, layout.show));
}

TEST(PaneLayout, SharedScreenWithoutNotesGivesTheSlidesTheWholeRightColumn) {
  const PaneLayout layout = LayoutPane(PaneKind::SharedScreen, 1920, 1080, false);
  EXPECT_EQ(layout.show, (Rect{0, 180, 1280, 720}));
  EXPECT_TRUE(layout.notes.Empty());
  const std::vector<Rect> column = GridCells({1280, 0, 640, 1080}, 1, 3);
  ASSERT_EQ(layout.positions.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(Inside(layout.positions[i], column[i])) << "position " << i + 1;
  }
}

TEST(PaneLayout, SharedScreenPositionsHaveTheShowsShape) {
  // Captures of the show window then fill a position without bars.
  for (bool withNotes : {false, true}) {
    const PaneLayout layout = LayoutPane(PaneKind::SharedScreen, 1280, 1024, withNotes);
    const double show = double(layout.show.width) / layout.show.height;
    for (const Rect& position : layout.positions) {
      EXPECT_NEAR(double(position.width) / position.height, show, 0.05);
    }
  }
}

TEST(PaneLayout, NotesViewTextSitsBelowItsTitleInLargeType) {
  const NotesViewLayout layout = LayoutNotesView(1263, 1080);
  EXPECT_GE(layout.textFontHeight, 40);
  EXPECT_GT(layout.titleFontHeight, layout.textFontHeight);
  EXPECT_GE(layout.text.top, layout.title.Bottom());
  EXPECT_LE(layout.text.Bottom(), 1080);
  EXPECT_LE(layout.text.Right(), 1263);
  EXPECT_GT(layout.text.height, 800);
  // Small windows keep a legible minimum and no negative sizes.
  const NotesViewLayout tiny = LayoutNotesView(10, 10);
  EXPECT_EQ(tiny.textFontHeight, 16);
  EXPECT_GE(tiny.text.width, 0);
  EXPECT_GE(tiny.text.height, 0);
}

TEST(PaneLayout, LargestFittingFindsTheBoundary) {
  EXPECT_EQ(LargestFitting(14, 48, [](std::int32_t h) { return h <= 30; }), 30);
  EXPECT_EQ(LargestFitting(14, 48, [](std::int32_t) { return true; }), 48);
  EXPECT_EQ(LargestFitting(14, 48, [](std::int32_t) { return false; }), 14);
  EXPECT_EQ(LargestFitting(14, 14, [](std::int32_t) { return true; }), 14);
}

}  // namespace
}  // namespace larkpane
