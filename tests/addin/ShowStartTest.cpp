// The start/stop toggle and the start sequence: the dialog's choices stored, the engine session
// for every shape of monitor choice, the three refusals, and a show that does not start.
#include <gmock/gmock.h>

#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::DialogAnswer;

class ShowStartTest : public test::ShowFixture {};

TEST_F(ShowStartTest, NotesOnTheFirstMonitorShowOnTheSecondInThisOrder) {
  talk.AddNotesShape(1, 14, 2, u"notes of 1");
  m.objects.answer = {true, {1, 0, 2}, u"Talk", true, false};
  StartStopShow(m.module);

  EXPECT_THAT(m.log,
              ElementsAre("dialog Initialize <app> <pres> [] notes 0 four 0", "dialog ShowModal",
                          "store MonitorOrder = \"1,0,2\"", "store ShowNotes = \"1\"",
                          "store LastMonitor4Slides = \"0\"", "dialog unloaded",
                          "LockWindowUpdate desktop", "settings.Run()", "window.Left = 0",
                          "window.Top = 0", "window.Width = 1440", "window.Height = 810",
                          "SetCursorPos 960 540", "CreateNotesView -1280 0 1280 1024",
                          "SetNotesTitle 41 \"Talk Notes\"", "SetNotesText 41 \"notes of 1\"",
                          "ShowNotesView 41", "CreateTandrySession \"Talk\" <window> 1 12 -1",
                          "AddSessionInfo 0 2", "StartTandrySession", "LockWindowUpdate 0",
                          "ActivateSlideShow <window>", "NextBuild", "RegisterShortcut 77 1",
                          "Ssw created", "Ssw HostApp <app>"));
  EXPECT_TRUE(IsShowRunning(m.module));
  EXPECT_EQ(settings().NotesMonitor, 1);
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(0, 2));
  EXPECT_EQ(settings().SessionMode, kMultiScreen);
  EXPECT_EQ(settings().ShortcutId, m.declared.nextShortcut);
  EXPECT_EQ(settings().NotesView, 41);
  EXPECT_EQ(settings().SlideShowWindow, talk.window);
  EXPECT_EQ(settings().Presentation, talk.presentation);
}

TEST_F(ShowStartTest, MakesTheSessionThatTheChosenMonitorsAsk) {
  const struct {
    const char* what;
    MonitorList order;
    bool fourSlides;
    std::int32_t sessionMode;
    std::vector<std::string> session;
  } cases[] = {
      {"one monitor: shared screen, notes flag false",
       {2}, false, kSharedScreen,
       {"CreateTandrySharedScreenSession \"Talk\" <window> 2 12 0"}},
      {"two with the four-slide box", {0, 2}, true, kMultiScreen,
       {"CreateTandrySession \"Talk\" <window> 0 12 2"}},
      {"four without the four-slide box", {0, 1, 2, 3}, false, kMultiScreen,
       {"CreateTandrySession \"Talk\" <window> 3 12 -1", "AddSessionInfo 0 1",
        "AddSessionInfo 1 2", "AddSessionInfo 2 3"}},
      {"four with the four-slide box", {0, 1, 2, 3}, true, kMultiScreen,
       {"CreateTandrySession \"Talk\" <window> 2 12 3", "AddSessionInfo 0 1",
        "AddSessionInfo 1 2"}},
  };
  m.declared.usableMonitors = 4;
  m.declared.monitors.push_back({3840, 0, 1920, 1080});
  for (const auto& c : cases) {
    m.log.clear();
    m.objects.answer = {true, c.order, u"Talk", false, c.fourSlides};
    StartStopShow(m.module);
    EXPECT_THAT(Lines({"Create", "AddSessionInfo"}), ElementsAreArray(c.session)) << c.what;
    EXPECT_EQ(settings().SessionMode, c.sessionMode) << c.what;
    EXPECT_TRUE(state().Running) << c.what;
    StopShow(m.module);
  }
}

TEST_F(ShowStartTest, APressWhileAShowRunsStopsItAndOpensNoDialog) {
  StartWith({true, {0, 1}, u"Talk", false, false});
  StartStopShow(m.module);
  EXPECT_FALSE(state().Running);
  EXPECT_THAT(Lines({"dialog"}), IsEmpty());
  EXPECT_THAT(Lines({"StopTandrySession"}), ElementsAre("StopTandrySession"));
}

// A macro's call from outside can arrive while the dialog's modal loop runs, and a click while
// a show is taken down: neither may begin a second dialog, show or session inside the first.
TEST_F(ShowStartTest, APressWhileAStartOrStopIsUnderWayIsIgnored) {
  int presses = 0;
  m.objects.whileShown = [&] {
    if (presses++ == 0) StartStopShow(m.module);
  };
  m.objects.answer = {true, {0, 1}, u"Talk", false, false};
  StartStopShow(m.module);
  EXPECT_THAT(Lines({"dialog ShowModal"}), ElementsAre("dialog ShowModal"));
  EXPECT_TRUE(state().Running);
  EXPECT_EQ(m.declared.calls["StartTandrySession"], 1);
  EXPECT_EQ(m.declared.calls["RegisterShortcut"], 1);

  m.objects.whileShown = nullptr;
  m.log.clear();
  talk.whileExiting = [this] { StartStopShow(m.module); };
  StopShow(m.module);
  EXPECT_FALSE(state().Running);
  EXPECT_THAT(Lines({"dialog"}), IsEmpty());
  EXPECT_EQ(m.declared.calls["StartTandrySession"], 1);
  // The toggle works again once the stop is done.
  StartStopShow(m.module);
  EXPECT_TRUE(state().Running);
}

TEST_F(ShowStartTest, WithoutAnOpenPresentationSaysSoAndDoesNothingElse) {
  for (const bool noApplication : {false, true}) {
    m.log.clear();
    app->Fail(u"ActivePresentation");
    if (noApplication) state().App = nullptr;
    StartStopShow(m.module);
    EXPECT_THAT(m.log, ElementsAre("message 16: Please open a presentation to start slide show."));
    EXPECT_FALSE(state().Running);
  }
}

TEST_F(ShowStartTest, CancelStoresNothingAndChangesNoSetting) {
  settings().MonitorOrder = {2, 0};
  settings().ShowNotes = true;
  m.objects.answer = {false, {1}, u"Other", false, true};
  StartStopShow(m.module);
  EXPECT_THAT(m.log, ElementsAre("dialog Initialize <app> <pres> [2,0] notes 1 four 0",
                                 "dialog ShowModal", "dialog unloaded"));
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(2, 0));
  EXPECT_TRUE(settings().ShowNotes);
  EXPECT_FALSE(settings().LastMonitor4Slides);
  EXPECT_EQ(settings().Presentation, nullptr);
}

TEST_F(ShowStartTest, ShowsThePresentationChosenInTheDialogNotTheActiveOne) {
  StartWith({true, {0, 1}, u"Other", false, false});
  EXPECT_EQ(settings().Presentation, other.presentation);
  EXPECT_EQ(settings().SlideShowWindow, other.window);
  EXPECT_EQ(other.current, 1);
  EXPECT_EQ(talk.current, 0);
}

TEST_F(ShowStartTest, ARefusalComesBeforeAnythingStartsAndLeavesTheOrderWhole) {
  const struct {
    MonitorList order;
    std::u16string stored;
    bool notes;
    std::int32_t usable;
    const char* message;
  } cases[] = {
      {{1, 0, 2}, u"1,0,2", true, 2, "message 16: Tandry requires atleast 3 monitors to run."},
      {{0, 1, 2}, u"0,1,2", false, 2, "message 16: Tandry requires 3 monitors to run."},
      // Two chosen with notes leave one: the mode was set for two.
      {{1, 0}, u"1,0", true, 3, "message 16: Session Mode mismatch with monitor selection."},
  };
  for (const auto& c : cases) {
    m.log.clear();
    m.declared.usableMonitors = c.usable;
    m.objects.answer = {true, c.order, u"Talk", c.notes, false};
    StartStopShow(m.module);
    EXPECT_THAT(Lines({"message"}), ElementsAre(c.message));
    EXPECT_THAT(Lines({"Lock", "settings.Run", "Create", "Start", "Register", "Ssw"}), IsEmpty())
        << c.message;
    EXPECT_FALSE(state().Running);
    EXPECT_THAT(settings().MonitorOrder, ElementsAreArray(c.order)) << c.message;
    EXPECT_EQ(m.store.values[u"MonitorOrder"], c.stored) << c.message;
  }
}

TEST_F(ShowStartTest, AfterARefusalTheNextStartRegistersTheShortcutOnce) {
  m.declared.usableMonitors = 1;
  m.objects.answer = {true, {0, 1}, u"Talk", false, false};
  StartStopShow(m.module);
  m.declared.usableMonitors = 3;
  StartStopShow(m.module);
  EXPECT_TRUE(state().Running);
  EXPECT_EQ(m.declared.calls["RegisterShortcut"], 1);
  EXPECT_THAT(Lines({"Ssw created"}), ElementsAre("Ssw created"));
}

TEST_F(ShowStartTest, AShowThatDoesNotStartGivesTheEngineNoEmptyWindow) {
  talk.showFails = true;
  m.objects.answer = {true, {1, 0, 2}, u"Talk", true, false};
  StartStopShow(m.module);
  EXPECT_THAT(Lines({"Lock", "message", "Create", "Start", "Activate", "Next", "Register",
                     "Ssw", "SetNotes"}),
              ElementsAre("LockWindowUpdate desktop", "LockWindowUpdate 0",
                          "message 16: Tandry could not start the slide show."));
  EXPECT_FALSE(state().Running);
  EXPECT_EQ(settings().SlideShowWindow, nullptr);
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(1, 0, 2));
}

TEST_F(ShowStartTest, GoesOnPastFailingStatements) {
  // No monitor rectangle and no shortcut: the show still runs.
  m.declared.missing = {"GetMonitorInfo", "RegisterShortcut"};
  StartWith({true, {0, 1}, u"Talk", false, false});
  EXPECT_TRUE(state().Running);
  EXPECT_EQ(settings().ShortcutId, 0u);
  EXPECT_EQ(m.declared.calls["CreateTandrySession"], 1);
  EXPECT_EQ(m.declared.calls["StartTandrySession"], 1);
  EXPECT_EQ(m.declared.calls["NextBuild"], 1);
}

// What keeps the engine's session from being made: the presentation's name or slide count can't
// be read, or the engine's create can't be bound.
enum class SessionFailure { Name, SlideCount, CreateUnbound };

class ShowStartWithoutSession : public ShowStartTest,
                                public ::testing::WithParamInterface<SessionFailure> {};

TEST_P(ShowStartWithoutSession, EndsTheStartAndLeavesTheProgramsShowRunning) {
  switch (GetParam()) {
    case SessionFailure::Name:
      // Readable for the dialog's choice, not once the show runs.
      talk.presentation->Getter(u"Name", [this](const Arguments&) -> Result {
        if (talk.current != 0) return std::nullopt;
        return Value{std::u16string(u"Talk")};
      });
      break;
    case SessionFailure::SlideCount: talk.presentation->Fail(u"Slides"); break;
    case SessionFailure::CreateUnbound: m.declared.missing = {"CreateTandrySession"}; break;
  }
  m.objects.answer = {true, {1, 0, 2}, u"Talk", true, false};
  StartStopShow(m.module);
  EXPECT_THAT(Lines({"Lock", "message", "Create", "AddSession", "Start", "Stop", "Destroy",
                     "Hide", "Activate", "Next", "Register", "Ssw", "view.Exit"}),
              ElementsAre("LockWindowUpdate desktop", "CreateNotesView -1280 0 1280 1024",
                          "HideNotesView 41", "DestroyNotesView 41", "LockWindowUpdate 0",
                          "message 16: Tandry could not start the slide show."));
  EXPECT_FALSE(state().Running);
  EXPECT_EQ(settings().NotesView, 0);
  EXPECT_EQ(settings().SlideShowWindow, nullptr);
  EXPECT_EQ(talk.current, 1) << "the presentation program's show is left running";
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(1, 0, 2));
}

INSTANTIATE_TEST_SUITE_P(EachFailure, ShowStartWithoutSession,
                         ::testing::Values(SessionFailure::Name, SessionFailure::SlideCount,
                                           SessionFailure::CreateUnbound));

}  // namespace
}  // namespace tandry::addin
