#include "NotesText.h"

#include <gmock/gmock.h>

#include <limits>

namespace larkpane {
namespace {

TEST(NotesText, EveryKindOfLineBreakBecomesCrLf) {
  EXPECT_EQ(NormalizeLineBreaks(u"one\rtwo\vthree\nfour\r\nfive\u2028six\u2029seven"),
            u"one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven");
}

TEST(NotesText, BlankLinesAndEdgesSurvive) {
  EXPECT_EQ(NormalizeLineBreaks(u"\ra\r\rb\n\n"), u"\r\na\r\n\r\nb\r\n\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u"a\n\rb"), u"a\r\n\r\nb");  // LF CR is two breaks
  EXPECT_EQ(NormalizeLineBreaks(u""), u"");
  EXPECT_EQ(NormalizeLineBreaks(u"Umlaute äöü \u4e2d\u6587"), u"Umlaute äöü \u4e2d\u6587");
}

class Scrolling : public ::testing::Test {
 protected:
  void SetUp() override { scroll.SetExtent(1000, 300, 50); }
  ScrollModel scroll;
};

TEST_F(Scrolling, StaysBetweenTopAndTheLastPage) {
  EXPECT_EQ(scroll.MaxPosition(), 700);
  EXPECT_FALSE(scroll.Apply(ScrollAction::LineUp));
  EXPECT_EQ(scroll.Position(), 0);
  EXPECT_TRUE(scroll.Apply(ScrollAction::Bottom));
  EXPECT_EQ(scroll.Position(), 700);
  EXPECT_FALSE(scroll.Apply(ScrollAction::PageDown));
  EXPECT_FALSE(scroll.MoveTo(5000));
  EXPECT_EQ(scroll.Position(), 700);
  EXPECT_TRUE(scroll.MoveTo(-5));
  EXPECT_EQ(scroll.Position(), 0);
}

TEST_F(Scrolling, LinesAndPagesMoveByTheirSteps) {
  EXPECT_TRUE(scroll.Apply(ScrollAction::LineDown));
  EXPECT_EQ(scroll.Position(), 50);
  EXPECT_TRUE(scroll.Apply(ScrollAction::PageDown));
  EXPECT_EQ(scroll.Position(), 300);  // a page less the one line kept in view
  EXPECT_TRUE(scroll.Apply(ScrollAction::PageUp));
  EXPECT_EQ(scroll.Position(), 50);
  EXPECT_TRUE(scroll.Apply(ScrollAction::Top));
  EXPECT_EQ(scroll.Position(), 0);
}

TEST_F(Scrolling, WheelNotchesMoveThreeLinesAndPartsAddUp) {
  EXPECT_TRUE(scroll.Wheel(-120));  // towards the user: down the text
  EXPECT_EQ(scroll.Position(), 150);
  EXPECT_TRUE(scroll.Wheel(120));
  EXPECT_EQ(scroll.Position(), 0);
  EXPECT_FALSE(scroll.Wheel(-30));
  EXPECT_TRUE(scroll.Wheel(-30));  // 60 of 40 per line: one line, 20 kept
  EXPECT_EQ(scroll.Position(), 50);
  EXPECT_TRUE(scroll.Wheel(-20));
  EXPECT_EQ(scroll.Position(), 100);
  EXPECT_TRUE(scroll.Wheel(-120 * 1000));
  EXPECT_EQ(scroll.Position(), 700);
}

TEST_F(Scrolling, ShorterTextOrTallerWindowPullsThePositionBack) {
  scroll.Apply(ScrollAction::Bottom);
  scroll.SetExtent(500, 300, 50);
  EXPECT_EQ(scroll.Position(), 200);
  scroll.SetExtent(200, 300, 50);  // everything fits
  EXPECT_EQ(scroll.Position(), 0);
  EXPECT_EQ(scroll.MaxPosition(), 0);
  EXPECT_FALSE(scroll.Apply(ScrollAction::PageDown));
  EXPECT_FALSE(scroll.Wheel(-1200));
}

TEST_F(Scrolling, NonsenseExtentsAreHarmless) {
  scroll.SetExtent(-10, -10, 0);
  EXPECT_EQ(scroll.MaxPosition(), 0);
  EXPECT_FALSE(scroll.Apply(ScrollAction::LineDown));
  // Steps as long as the text itself don't overflow.
  constexpr std::int32_t kHuge = std::numeric_limits<std::int32_t>::max();
  scroll.SetExtent(kHuge, 0, kHuge);
  EXPECT_TRUE(scroll.Apply(ScrollAction::LineDown));
  EXPECT_FALSE(scroll.Apply(ScrollAction::PageDown));
  EXPECT_EQ(scroll.Position(), kHuge);
  EXPECT_TRUE(scroll.Wheel(120));
  EXPECT_EQ(scroll.Position(), 0);
}

}  // namespace
}  // namespace larkpane
