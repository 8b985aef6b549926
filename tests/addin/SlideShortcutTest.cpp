// Alt+M: a blank slide after the one the show shows, the engine told its position, and nothing
// at all where no slide should be added.
#include <gmock/gmock.h>

#include <limits>

#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using test::DialogAnswer;

class SlideShortcutTest : public test::ShowFixture {};

TEST_F(SlideShortcutTest, AddsABlankSlideAfterTheCurrentOneAndTellsTheEngine) {
  StartWith({true, {0, 1}, u"Talk", false, false});
  talk.current = 5;
  InsertSlideShortcut(m.module);
  EXPECT_THAT(m.log, ElementsAre("slides.Add(6, 12)", "slide13.DisplayMasterShapes = 0",
                                 "InsertSlide 6"));
  EXPECT_EQ(talk.slides.size(), 13u);
  EXPECT_EQ(talk.Slide(6)->Name(), "slide13");
  EXPECT_EQ(talk.Slide(7)->Name(), "slide6");
  EXPECT_EQ(talk.current, 5);  // the show does not move
}

TEST_F(SlideShortcutTest, OnTheLastSlideTheNewSlideIsTheLast) {
  StartWith({true, {0, 1}, u"Talk", false, false});
  talk.current = 12;
  InsertSlideShortcut(m.module);
  EXPECT_THAT(Lines({"InsertSlide"}), ElementsAre("InsertSlide 13"));
  EXPECT_EQ(talk.slides.back()->Name(), "slide13");
}

TEST_F(SlideShortcutTest, TwiceOnOneSlideInsertsBothRightAfterIt) {
  StartWith({true, {0, 1}, u"Talk", false, false});
  talk.current = 5;
  InsertSlideShortcut(m.module);
  InsertSlideShortcut(m.module);
  EXPECT_THAT(Lines({"InsertSlide"}), ElementsAre("InsertSlide 6", "InsertSlide 6"));
  EXPECT_EQ(talk.Slide(6)->Name(), "slide14");
  EXPECT_EQ(talk.Slide(7)->Name(), "slide13");
}

TEST_F(SlideShortcutTest, DoesNothingWithoutAMultiScreenShow) {
  InsertSlideShortcut(m.module);  // no show
  StartWith({true, {0}, u"Talk", false, false});
  talk.current = 5;
  InsertSlideShortcut(m.module);  // shared screen
  EXPECT_THAT(m.log, IsEmpty());
  EXPECT_EQ(talk.slides.size(), 12u);
}

TEST_F(SlideShortcutTest, AddsNothingWhenTheShownSlideCantBeRead) {
  StartWith({true, {0, 1}, u"Talk", false, false});
  talk.view->Fail(u"Slide");
  InsertSlideShortcut(m.module);
  // A slide number at the top of the range has no slide after it.
  auto last = std::make_shared<test::FakeObject>("last", m.log);
  last->Set(u"SlideIndex", std::numeric_limits<std::int32_t>::max());
  talk.view->Getter(u"Slide", [&](const Arguments&) -> Result { return Value{ObjectRef(last)}; });
  InsertSlideShortcut(m.module);
  EXPECT_THAT(m.log, IsEmpty());
}

TEST_F(SlideShortcutTest, TellsTheEngineNothingWhenNoSlideWasAdded) {
  StartWith({true, {0, 1}, u"Talk", false, false});
  talk.current = 5;
  talk.presentation->Set(u"Slides", talk.window);  // an object without Add
  InsertSlideShortcut(m.module);
  EXPECT_THAT(m.log, ElementsAre("window.Add(6, 12) fails"));
}

}  // namespace
}  // namespace tandry::addin
