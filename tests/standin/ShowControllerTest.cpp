#include "ShowController.h"

#include <gmock/gmock.h>

namespace tandry::standin {
namespace {

using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::StrictMock;

class MockHost : public ShowHost {
 public:
  MOCK_METHOD(void, RaiseSlideShowBegin, (), (override));
  MOCK_METHOD(void, RaiseNextBuild, (), (override));
  MOCK_METHOD(void, RaiseNextSlide, (), (override));
  MOCK_METHOD(void, RaiseSlideShowEnd, (), (override));
  MOCK_METHOD(void, Redraw, (), (override));
  MOCK_METHOD(void, Close, (), (override));
};

// A running show over slides with 2, 0 and 1 build steps.
class ShowControllerTest : public ::testing::Test {
 protected:
  ShowControllerTest() : show_({2, 0, 1}, host_) {
    EXPECT_CALL(host_, RaiseSlideShowBegin());
    EXPECT_CALL(host_, RaiseNextSlide());
    EXPECT_CALL(host_, Redraw());
    show_.Begin();
    ::testing::Mock::VerifyAndClearExpectations(&host_);
  }

  void ExpectPosition(int slide, int builds) {
    EXPECT_EQ(show_.slide(), slide);
    EXPECT_EQ(show_.builds(), builds);
  }

  StrictMock<MockHost> host_;
  ShowController show_;
};

TEST(ShowControllerStart, RaisesBeginThenTheFirstSlideAndStartsOnItUnbuilt) {
  StrictMock<MockHost> host;
  ShowController show({3}, host);
  EXPECT_FALSE(show.running());
  {
    InSequence order;
    EXPECT_CALL(host, RaiseSlideShowBegin()).WillOnce(Invoke([&] { EXPECT_EQ(show.slide(), 1); }));
    EXPECT_CALL(host, RaiseNextSlide()).WillOnce(Invoke([&] { EXPECT_EQ(show.slide(), 1); }));
    EXPECT_CALL(host, Redraw());
  }
  show.Begin();
  EXPECT_TRUE(show.running());
  EXPECT_EQ(show.builds(), 0);
  show.Begin();  // only once
}

TEST(ShowControllerStart, StartsOnTheGivenSlideOrOnSlideOneWhenItIsOutsideTheDeck) {
  const struct {
    int start;
    int slide;
  } cases[] = {{3, 3}, {1, 1}, {4, 1}, {0, 1}, {-2, 1}};
  for (const auto& c : cases) {
    ::testing::NiceMock<MockHost> host;
    ShowController show({0, 0, 0}, host);
    EXPECT_CALL(host, RaiseNextSlide()).WillOnce(Invoke([&] { EXPECT_EQ(show.slide(), c.slide); }));
    show.Begin(c.start);
    EXPECT_EQ(show.slide(), c.slide) << c.start;
  }
}

TEST(ShowControllerStart, ADeckWithoutSlidesNeverRuns) {
  StrictMock<MockHost> host;
  ShowController show({}, host);
  show.Begin();
  show.Perform(ShowCommand::kNext);
  EXPECT_FALSE(show.GoToSlide(1, true));
  show.End();
  EXPECT_FALSE(show.running());
}

TEST_F(ShowControllerTest, NextRaisesEachBuildBeforeItIsShownThenMovesToTheNextSlide) {
  InSequence order;
  EXPECT_CALL(host_, RaiseNextBuild()).WillOnce(Invoke([&] { ExpectPosition(1, 0); }));
  EXPECT_CALL(host_, Redraw()).WillOnce(Invoke([&] { ExpectPosition(1, 1); }));
  EXPECT_CALL(host_, RaiseNextBuild()).WillOnce(Invoke([&] { ExpectPosition(1, 1); }));
  EXPECT_CALL(host_, Redraw());
  EXPECT_CALL(host_, RaiseNextSlide()).WillOnce(Invoke([&] { ExpectPosition(2, 0); }));
  EXPECT_CALL(host_, Redraw());
  for (int i = 0; i < 3; ++i) show_.Perform(ShowCommand::kNext);
  ExpectPosition(2, 0);
}

TEST_F(ShowControllerTest, NextPastTheLastBuildOfTheLastSlideEndsTheShow) {
  EXPECT_CALL(host_, RaiseNextSlide());
  EXPECT_CALL(host_, Redraw());
  ASSERT_TRUE(show_.GoToSlide(3, true));
  ::testing::Mock::VerifyAndClearExpectations(&host_);
  InSequence order;
  EXPECT_CALL(host_, RaiseNextBuild());
  EXPECT_CALL(host_, Redraw());
  EXPECT_CALL(host_, RaiseSlideShowEnd()).WillOnce(Invoke([&] { EXPECT_FALSE(show_.running()); }));
  EXPECT_CALL(host_, Close());
  show_.Perform(ShowCommand::kNext);
  show_.Perform(ShowCommand::kNext);
  show_.Perform(ShowCommand::kNext);  // ended: nothing more
  show_.End();
}

TEST_F(ShowControllerTest, PreviousHidesBuildsQuietlyThenReturnsToTheEarlierSlideComplete) {
  EXPECT_CALL(host_, RaiseNextBuild());
  EXPECT_CALL(host_, RaiseNextSlide()).Times(2);
  EXPECT_CALL(host_, Redraw()).Times(4);
  show_.Perform(ShowCommand::kNext);      // slide 1, build 1
  show_.Perform(ShowCommand::kPrevious);  // back to build 0, no event
  ExpectPosition(1, 0);
  show_.Perform(ShowCommand::kPrevious);  // first slide, nothing built: nothing
  ASSERT_TRUE(show_.GoToSlide(2, true));
  show_.Perform(ShowCommand::kPrevious);
  ExpectPosition(1, 2);
}

TEST_F(ShowControllerTest, HomeAndEndJumpToTheFirstAndLastSlideUnbuilt) {
  InSequence order;
  EXPECT_CALL(host_, RaiseNextSlide()).WillOnce(Invoke([&] { ExpectPosition(3, 0); }));
  EXPECT_CALL(host_, Redraw());
  EXPECT_CALL(host_, RaiseNextSlide()).WillOnce(Invoke([&] { ExpectPosition(1, 0); }));
  EXPECT_CALL(host_, Redraw());
  show_.Perform(ShowCommand::kLast);
  show_.Perform(ShowCommand::kFirst);
}

TEST_F(ShowControllerTest, GoToSlideResetsOrKeepsTheBuildsTheSlideWasLeftWith) {
  EXPECT_CALL(host_, RaiseNextBuild());
  EXPECT_CALL(host_, RaiseNextSlide()).Times(3);
  EXPECT_CALL(host_, Redraw()).Times(4);
  show_.Perform(ShowCommand::kNext);  // slide 1, build 1
  ASSERT_TRUE(show_.GoToSlide(3, true));
  ASSERT_TRUE(show_.GoToSlide(1, false));
  ExpectPosition(1, 1);
  ASSERT_TRUE(show_.GoToSlide(3, false));
  ExpectPosition(3, 0);
}

TEST_F(ShowControllerTest, GoToTheCurrentSlideRedrawsWithoutANotification) {
  EXPECT_CALL(host_, RaiseNextBuild());
  EXPECT_CALL(host_, Redraw()).Times(2);
  show_.Perform(ShowCommand::kNext);
  ASSERT_TRUE(show_.GoToSlide(1, true));
  ExpectPosition(1, 0);
}

TEST_F(ShowControllerTest, GoToSlideOutsideTheDeckChangesNothing) {
  EXPECT_FALSE(show_.GoToSlide(0, true));
  EXPECT_FALSE(show_.GoToSlide(4, true));
  EXPECT_FALSE(show_.GoToSlide(-1, false));
  ExpectPosition(1, 0);
}

TEST_F(ShowControllerTest, EscapeRaisesTheEndBeforeTheWindowCloses) {
  InSequence order;
  EXPECT_CALL(host_, RaiseSlideShowEnd());
  EXPECT_CALL(host_, Close());
  show_.Perform(CommandForKey(0x1B));
  EXPECT_FALSE(show_.GoToSlide(2, true));
}

TEST_F(ShowControllerTest, AHandlerThatEndsTheShowStopsTheStepThatRaisedIt) {
  InSequence order;
  EXPECT_CALL(host_, RaiseNextBuild()).WillOnce(Invoke([&] { show_.End(); }));
  EXPECT_CALL(host_, RaiseSlideShowEnd());
  EXPECT_CALL(host_, Close());
  show_.Perform(ShowCommand::kNext);  // no redraw after the close
  ExpectPosition(1, 0);
}

TEST_F(ShowControllerTest, AnEndFromTheEndNotificationIsIgnored) {
  InSequence order;
  EXPECT_CALL(host_, RaiseSlideShowEnd()).WillOnce(Invoke([&] { show_.End(); }));
  EXPECT_CALL(host_, Close());
  show_.End();
}

TEST_F(ShowControllerTest, AnInsertedSlideMovesTheLaterSlidesUpAndKeepsTheShownOne) {
  EXPECT_CALL(host_, RaiseNextSlide());
  EXPECT_CALL(host_, RaiseNextBuild());
  EXPECT_CALL(host_, Redraw()).Times(2);
  ASSERT_TRUE(show_.GoToSlide(3, true));
  show_.Perform(ShowCommand::kNext);  // slide 3, build 1
  ::testing::Mock::VerifyAndClearExpectations(&host_);

  // Before the shown slide: it becomes slide 4 with its build; after it: nothing moves.
  EXPECT_CALL(host_, Redraw()).Times(3);
  ASSERT_TRUE(show_.InsertSlide(2, 0));
  ExpectPosition(4, 1);
  ASSERT_TRUE(show_.InsertSlide(5, 2));  // after the last
  ASSERT_TRUE(show_.InsertSlide(4, 0));  // at the shown slide's place: it moves on
  ExpectPosition(5, 1);
  EXPECT_EQ(show_.slideCount(), 6);
  EXPECT_FALSE(show_.InsertSlide(0, 0));
  EXPECT_FALSE(show_.InsertSlide(8, 0));
  ::testing::Mock::VerifyAndClearExpectations(&host_);

  // The inserted slides run like the others: slide 6 has two build steps.
  EXPECT_CALL(host_, RaiseNextSlide()).Times(2);
  EXPECT_CALL(host_, RaiseNextBuild()).Times(2);
  EXPECT_CALL(host_, Redraw()).Times(4);
  show_.Perform(ShowCommand::kNext);  // slide 6
  ExpectPosition(6, 0);
  show_.Perform(ShowCommand::kNext);
  show_.Perform(ShowCommand::kNext);
  ExpectPosition(6, 2);
  ASSERT_TRUE(show_.GoToSlide(2, true));
}

TEST(CommandForKey, MapsThePresenterKeys) {
  for (unsigned key : {0x20u, 0x0Du, 0x27u, 0x28u, 0x22u, 0x4Eu}) {
    EXPECT_EQ(CommandForKey(key), ShowCommand::kNext) << key;
  }
  for (unsigned key : {0x08u, 0x25u, 0x26u, 0x21u, 0x50u}) {
    EXPECT_EQ(CommandForKey(key), ShowCommand::kPrevious) << key;
  }
  EXPECT_EQ(CommandForKey(0x24), ShowCommand::kFirst);
  EXPECT_EQ(CommandForKey(0x23), ShowCommand::kLast);
  EXPECT_EQ(CommandForKey(0x1B), ShowCommand::kEnd);
  for (unsigned key : {0x00u, 0x10u, 0x41u, 0x4Du, 0x70u, 0x2Eu}) {
    EXPECT_EQ(CommandForKey(key), ShowCommand::kNone) << key;
  }
}

}  // namespace
}  // namespace tandry::standin
