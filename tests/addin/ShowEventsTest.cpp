// The running show's events and its stop: what reaches the engine and the notes view at each
// build step and slide change, and the stop's order with its skipped steps.
#include <gmock/gmock.h>

#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::DialogAnswer;

class ShowEventsTest : public test::ShowFixture {
 protected:
  ShowEventsTest() {
    state().MenuButtons = m.objects.NewHostClass();
    state().MenuButtons->SetStartStopTandryCBB(button);
    for (int slide = 1; slide <= 12; ++slide) {
      talk.AddNotesShape(slide, 14, 2, u"notes " + std::u16string(1, u'@' + slide));
    }
  }

  // A slide change of the show to `slide`, as the presentation program reports it.
  void SlideChange(int slide) {
    talk.current = slide;
    ForwardNextSlide(m.module, talk.window);
  }

  test::FakeRef button = std::make_shared<test::FakeObject>("button", m.log);
};

TEST_F(ShowEventsTest, StopsInOrderAndPutsTheNotesMonitorBack) {
  StartWith({true, {0, 1, 2}, u"Talk", true, false});
  StopShow(m.module);
  EXPECT_THAT(m.log, ElementsAre("Ssw HostApp nothing", "Ssw released",
                                 "UnregisterShortcut 49443", "StopTandrySession", "view.Exit()",
                                 "DestroyTandrySession", "HideNotesView 41", "DestroyNotesView 41",
                                 "button.Caption = \"Start Tandry...\""));
  EXPECT_FALSE(state().Running);
  EXPECT_EQ(state().Ssw, nullptr);
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(0, 1, 2));
  EXPECT_EQ(settings().ShortcutId, 0u);
  EXPECT_EQ(settings().NotesView, 0);
  EXPECT_EQ(settings().SlideShowWindow, nullptr);
  EXPECT_EQ(settings().Presentation, nullptr);
  EXPECT_EQ(talk.current, 0);
  EXPECT_TRUE(settings().ShowNotes);  // kept for the next start
}

TEST_F(ShowEventsTest, WithNothingRunningTheStopDoesNothingAtAll) {
  button->Set(u"Caption", std::u16string(u"left alone"));
  StopShow(m.module);
  EXPECT_THAT(m.log, IsEmpty());
  EXPECT_EQ(button->Property(u"Caption"), Value{std::u16string(u"left alone")});
  // A second stop of a show that was stopped.
  StartWith({true, {0, 1}, u"Talk", false, false});
  StopShow(m.module);
  m.log.clear();
  StopShow(m.module);
  EXPECT_THAT(m.log, IsEmpty());
}

TEST_F(ShowEventsTest, SkipsTheStepsThatHaveNothingToDoAndGoesOnPastFailures) {
  m.declared.missing = {"RegisterShortcut"};
  m.declared.nextNotesView = 0;
  StartWith({true, {2, 0, 1}, u"Talk", true, false});
  talk.view->Fail(u"Exit");  // the show has already ended
  StopShow(m.module);
  EXPECT_THAT(m.log, ElementsAre("Ssw HostApp nothing", "Ssw released", "StopTandrySession",
                                 "view.Exit() fails", "DestroyTandrySession",
                                 "button.Caption = \"Start Tandry...\""));
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(2, 0, 1));
  EXPECT_EQ(settings().SlideShowWindow, nullptr);
}

TEST_F(ShowEventsTest, ASharedScreenShowLeavesTheNotesAndTheOrderAlone) {
  StartWith({true, {1}, u"Talk", false, false});
  settings().ShowNotes = true;  // as a dialog could not have asked, with one monitor
  StopShow(m.module);
  EXPECT_THAT(Lines({"Hide", "Destroy"}), ElementsAre("DestroyTandrySession"));
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(1));
}

TEST_F(ShowEventsTest, SlideChangesTellTheEngineAndTheNotesViewByMode) {
  const struct {
    const char* what;
    DialogAnswer answer;
    std::vector<std::string> expected;
  } cases[] = {
      {"multi-screen", {true, {0, 1}, u"Talk", false, false}, {"NextSlide 5 \"\""}},
      {"with notes",
       {true, {1, 0, 2}, u"Talk", true, false},
       {"NextSlide 5 \"\"", "SetNotesText 41 \"notes E\""}},
      {"shared screen", {true, {0}, u"Talk", false, false}, {"NextSlide 5 \"notes E\""}},
  };
  for (const auto& c : cases) {
    StartWith(c.answer);
    SlideChange(5);
    EXPECT_THAT(m.log, ElementsAreArray(c.expected)) << c.what;
    StopShow(m.module);
    m.log.clear();
  }
}

TEST_F(ShowEventsTest, ANotesViewWithHandleZeroStillGetsEveryText) {
  m.declared.nextNotesView = 0;
  StartWith({true, {1, 0, 2}, u"Talk", true, false});
  SlideChange(2);
  SlideChange(3);
  EXPECT_THAT(Lines({"SetNotesText"}),
              ElementsAre("SetNotesText 0 \"notes B\"", "SetNotesText 0 \"notes C\""));
}

TEST_F(ShowEventsTest, ForwardsBuildStepsAndSlidesOnlyWhileAShowRuns) {
  ForwardNextBuild(m.module, talk.window);
  SlideChange(2);
  EXPECT_THAT(m.log, IsEmpty());

  StartWith({true, {0, 1}, u"Talk", false, false});
  // A build step or slide change of another show forwards the running show's slide.
  ForwardNextBuild(m.module, other.window);
  talk.current = 7;
  ForwardNextSlide(m.module, other.window);
  EXPECT_THAT(m.log, ElementsAre("NextBuild", "NextSlide 7 \"\""));

  StopShow(m.module);
  m.log.clear();
  ForwardNextBuild(m.module, talk.window);
  SlideChange(3);
  EXPECT_THAT(m.log, IsEmpty());
}

TEST_F(ShowEventsTest, ASlideThatCantBeReadIsNotForwarded) {
  StartWith({true, {1, 0, 2}, u"Talk", true, false});
  talk.view->Fail(u"Slide");
  ForwardNextSlide(m.module, talk.window);
  EXPECT_THAT(m.log, IsEmpty());
}

}  // namespace
}  // namespace tandry::addin
