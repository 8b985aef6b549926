// Start-up, shutdown, the menu buttons and the add-in object's connection handlers, against a
// fake host whose menu keeps its controls in order, so that a test sees where the buttons land
// and which leftovers are deleted.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AddinConnection.h"
#include "AddinLife.h"
#include "HostConstants.h"
#include "RecordingPorts.h"
#include "ShowControl.h"

namespace tandry::addin {
namespace {

using test::CallLog;
using test::FakeObject;
using test::FakeRef;
using test::RecordingModule;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr char kVersionMessage[] = "message 16: Tandry addin requires PowerPoint 2000 or later.";

// A host application with a version text and command bars: one built-in menu (popup 30225)
// whose controls are kept in order, the anchor control 740 among them at `anchorPosition`.
// FindControl searches the menu's controls by Id or Tag; Controls.Add inserts a new button
// before a 1-based position (and fails outside 1 to count + 1), or at the end when Before is
// left out; a control's Delete removes it.
class FakeMenuHost {
 public:
  FakeMenuHost(CallLog& log, std::u16string version, int anchorPosition = 3) : log_(log) {
    app = std::make_shared<FakeObject>("app", log);
    auto commandBars = std::make_shared<FakeObject>("bars", log);
    popup = std::make_shared<FakeObject>("menu", log);
    auto controls = std::make_shared<FakeObject>("controls", log);
    app->Set(u"Version", std::move(version)).Set(u"CommandBars", commandBars);
    popup->Set(u"Id", std::int32_t{host::kSlideShowPopupId}).Set(u"Controls", controls);
    for (int i = 1; i <= 4; ++i) {
      AddControl("builtin" + std::to_string(i),
                 i == anchorPosition ? host::kSlideShowAnchorControlId : 100 + i, u"");
    }
    commandBars->Method(u"FindControl",
                        [this](const Arguments& criteria) { return Find(criteria); });
    controls->Method(u"Add", [this](const Arguments& arguments) { return Add(arguments); });
  }

  // A control at the end of the menu.
  FakeRef AddControl(const std::string& name, std::int32_t id, std::u16string tag) {
    FakeRef control = NewControl(name);
    control->Set(u"Id", id).Set(u"Tag", std::move(tag));
    items.push_back(control);
    return control;
  }

  // The names of the menu's controls in order.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const FakeRef& item : items) names.push_back(item->Name());
    return names;
  }

  FakeRef app;
  FakeRef popup;
  std::vector<FakeRef> items;

 private:
  FakeRef NewControl(const std::string& name) {
    auto control = std::make_shared<FakeObject>(name, log_);
    FakeObject* raw = control.get();
    control->Getter(u"Index", [this, raw](const Arguments&) -> Result {
      return Value{static_cast<std::int32_t>(Position(raw))};
    });
    control->Method(u"Delete", [this, raw](const Arguments&) -> Result {
      items.erase(items.begin() + (Position(raw) - 1));
      return Value();
    });
    return control;
  }

  int Position(const FakeObject* control) const {
    const auto found = std::find_if(items.begin(), items.end(), [control](const FakeRef& item) {
      return item.get() == control;
    });
    return static_cast<int>(found - items.begin()) + 1;
  }

  Result Find(const Arguments& criteria) {
    const auto wanted = [&criteria](std::size_t index) -> std::optional<Value> {
      return index < criteria.size() ? criteria[index] : std::nullopt;
    };
    const auto id = wanted(1);
    const auto tag = wanted(2);
    if (id && AsLong(*id) == host::kSlideShowPopupId) return Value{ObjectRef(popup)};
    for (const FakeRef& item : items) {
      if ((id && Value(item->Property(u"Id")) == *id) ||
          (tag && Value(item->Property(u"Tag")) == *tag)) {
        return Value{ObjectRef(item)};
      }
    }
    return Value{ObjectRef()};
  }

  Result Add(const Arguments& arguments) {
    const int count = static_cast<int>(items.size());
    const auto before = arguments.size() > 3 && arguments[3] ? AsLong(*arguments[3])
                                                             : std::optional(count + 1);
    if (!before || *before < 1 || *before > count + 1) return std::nullopt;
    FakeRef button = NewControl("button" + std::to_string(++added_));
    items.insert(items.begin() + (*before - 1), button);
    return Value{ObjectRef(button)};
  }

  CallLog& log_;
  int added_ = 0;
};

// Everything that happens after the calls that look up controls: the writes and calls a test
// wants to see, without the searches.
std::vector<std::string> WithoutSearches(const CallLog& log) {
  std::vector<std::string> lines;
  for (const std::string& line : log) {
    if (line.find(".FindControl(") == std::string::npos) lines.push_back(line);
  }
  return lines;
}

TEST(AddinStartup, VersionsNineToElevenAddBothButtonsAtTheAnchorsPosition) {
  for (const char16_t* version : {u"9.0", u"10.0", u"11.0"}) {
    RecordingModule m;
    FakeMenuHost host(m.log, version, /*anchorPosition=*/3);
    EXPECT_TRUE(AddinStartup(m.module, host.app));

    EXPECT_THAT(host.Names(),
                ElementsAre("builtin1", "builtin2", "button1", "button2", "builtin3", "builtin4"));
    EXPECT_THAT(
        WithoutSearches(m.log),
        ElementsAre("InitializeTandry", "controls.Add(1, missing, missing, 3, true)",
                    "button1.BeginGroup = true", "button1.Caption = \"Start Tandry...\"",
                    "button1.FaceId = 303", "button1.Tag = \"Tandry\"",
                    "controls.Add(1, missing, missing, 4, true)",
                    "button2.Caption = \"About Tandry...\"", "button2.Tag = \"AboutTandry\""));
    EXPECT_THAT(m.log, Contains("bars.FindControl(missing, 740)"));
    const MenuButtonHolder& buttons = *m.module.state.MenuButtons;
    EXPECT_EQ(buttons.StartStopTandryCBB(), host.items[2]);
    EXPECT_EQ(buttons.AboutTandryCBB(), host.items[3]);
  }
}

TEST(AddinStartup, VersionTwelveAndLaterIsReadyWithoutTouchingTheMenus) {
  for (const char16_t* version : {u"12.0", u"16.0"}) {
    RecordingModule m;
    FakeMenuHost host(m.log, version);
    EXPECT_TRUE(AddinStartup(m.module, host.app));
    EXPECT_THAT(m.log, ElementsAre("InitializeTandry"));
    ASSERT_TRUE(m.module.state.MenuButtons);
    EXPECT_FALSE(m.module.state.MenuButtons->StartStopTandryCBB());
    EXPECT_EQ(m.module.state.App, host.app);
  }
}

TEST(AddinStartup, RefusesOlderOrUnreadableVersionsWithItsMessageAndNothingElse) {
  RecordingModule m;
  FakeMenuHost old(m.log, u"8.0");
  EXPECT_FALSE(AddinStartup(m.module, old.app));
  EXPECT_THAT(m.log, ElementsAre(kVersionMessage));
  EXPECT_FALSE(m.module.state.Running);
  EXPECT_EQ(m.module.state.App, old.app);  // kept, as the state after a refusal says
  EXPECT_FALSE(m.module.state.MenuButtons);
  EXPECT_THAT(m.declared.calls, IsEmpty());  // the engine is not even loaded

  RecordingModule unreadable;
  FakeMenuHost broken(unreadable.log, u"10.0");
  broken.app->Fail(u"Version");
  EXPECT_FALSE(AddinStartup(unreadable.module, broken.app));
  EXPECT_FALSE(AddinStartup(unreadable.module, nullptr));  // no application at all
  EXPECT_THAT(unreadable.log, ElementsAre(kVersionMessage, kVersionMessage));
  EXPECT_THAT(unreadable.declared.calls, IsEmpty());
}

TEST(AddinStartup, WithoutTheEngineStaysSilentUninitialisedAndUntouched) {
  RecordingModule m;
  FakeMenuHost host(m.log, u"9.0");
  m.declared.missing.insert("InitializeTandry");
  m.module.state.Settings.NotesView = 9;
  m.store.values[u"MonitorOrder"] = u"2,1";

  EXPECT_FALSE(AddinStartup(m.module, host.app));
  EXPECT_THAT(m.log, IsEmpty());  // no message, no menu call
  EXPECT_FALSE(m.module.state.MenuButtons);
  EXPECT_EQ(m.module.state.Settings.NotesView, 9);  // neither reset nor loaded
  EXPECT_THAT(m.module.state.Settings.MonitorOrder, IsEmpty());
  EXPECT_EQ(host.items.size(), 4u);
}

TEST(AddinStartup, ResetsTheSettingsAndLoadsTheStoredOnes) {
  RecordingModule m;
  FakeMenuHost host(m.log, u"12.0");
  SettingsRecord& settings = m.module.state.Settings;
  settings.MonitorOrder = {7};
  settings.NotesMonitor = 4;
  settings.NotesView = 9;
  settings.ShortcutId = 0xC001;
  settings.SessionMode = kSharedScreen;
  settings.Presentation = host.popup;
  m.store.values[u"MonitorOrder"] = u"0,2,1";
  m.store.values[u"ShowNotes"] = u"1";

  EXPECT_TRUE(AddinStartup(m.module, host.app));
  EXPECT_THAT(settings.MonitorOrder, ElementsAre(0, 2, 1));
  EXPECT_TRUE(settings.ShowNotes);
  EXPECT_FALSE(settings.LastMonitor4Slides);
  EXPECT_EQ(settings.NotesMonitor, 0);
  EXPECT_EQ(settings.NotesView, 0);
  EXPECT_EQ(settings.ShortcutId, 0u);
  EXPECT_EQ(settings.SessionMode, kMultiScreen);
  EXPECT_FALSE(settings.Presentation);
}

TEST(AddinStartup, DeletesOneLeftoverControlPerTagBeforeAddingItsButtons) {
  RecordingModule m;
  FakeMenuHost host(m.log, u"10.0", /*anchorPosition=*/2);
  host.AddControl("oldStart", 1, u"Tandry");
  host.AddControl("oldAbout", 1, u"AboutTandry");
  host.AddControl("olderStart", 1, u"Tandry");

  EXPECT_TRUE(AddinStartup(m.module, host.app));
  EXPECT_THAT(host.Names(), ElementsAre("builtin1", "button1", "button2", "builtin2", "builtin3",
                                        "builtin4", "olderStart"));
  EXPECT_THAT(m.log, Contains("oldStart.Delete()"));
  EXPECT_THAT(m.log, Contains("oldAbout.Delete()"));
}

TEST(AddinStartup, WithoutTheAnchorsPositionAddsBothButtonsAtTheEndInOrder) {
  for (const bool anchorPresent : {false, true}) {
    SCOPED_TRACE(anchorPresent ? "anchor whose Index can't be read" : "no anchor");
    RecordingModule m;
    FakeMenuHost host(m.log, u"9.0", /*anchorPosition=*/anchorPresent ? 3 : 0);
    if (anchorPresent) host.items[2]->Fail(u"Index");
    EXPECT_TRUE(AddinStartup(m.module, host.app));
    EXPECT_THAT(WithoutSearches(m.log),
                ElementsAre("InitializeTandry", "controls.Add(1, missing, missing, missing, true)",
                            "button1.BeginGroup = true", "button1.Caption = \"Start Tandry...\"",
                            "button1.FaceId = 303", "button1.Tag = \"Tandry\"",
                            "controls.Add(1, missing, missing, missing, true)",
                            "button2.Caption = \"About Tandry...\"",
                            "button2.Tag = \"AboutTandry\""));
    EXPECT_THAT(host.Names(), ElementsAre("builtin1", "builtin2", "builtin3", "builtin4",
                                          "button1", "button2"));
    const MenuButtonHolder& buttons = *m.module.state.MenuButtons;
    EXPECT_EQ(buttons.StartStopTandryCBB(), host.items[4]);
    EXPECT_EQ(buttons.AboutTandryCBB(), host.items[5]);
  }
}

TEST(AddinStartup, WithoutTheBuiltInMenuIsStillReady) {
  RecordingModule m;
  FakeMenuHost host(m.log, u"11.0");
  host.popup->Fail(u"Controls");
  EXPECT_TRUE(AddinStartup(m.module, host.app));
  EXPECT_FALSE(m.module.state.MenuButtons->StartStopTandryCBB());
  EXPECT_FALSE(m.module.state.MenuButtons->AboutTandryCBB());
  EXPECT_EQ(host.items.size(), 4u);
}

// A running multi-screen show in the module state, as a start leaves it.
void PretendAShowRuns(RecordingModule& m, test::FakePresentation& pres) {
  m.module.state.Running = true;
  m.module.state.Settings.SlideShowWindow = pres.window;
  m.module.state.Settings.Presentation = pres.presentation;
  m.module.state.Settings.ShortcutId = 0xC123;
  m.module.state.Ssw = m.objects.NewSSWClass();
}

// A started add-in whose show runs.
class AddinShutdownOfAShow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AddinStartup(m.module, host.app));
    pres.settings->Call(u"Run", {});
    PretendAShowRuns(m, pres);
    m.log.clear();
  }

  RecordingModule m;
  FakeMenuHost host{m.log, u"10.0"};
  test::FakePresentation pres{"Talk", 5, m.log};
};

TEST_F(AddinShutdownOfAShow, StopsTheShowBeforeItResetsAndRemovesTheButtons) {
  AddinShutdown(m.module);
  const auto stop = std::find(m.log.begin(), m.log.end(), "StopTandrySession");
  const auto firstDelete = std::find(m.log.begin(), m.log.end(), "button1.Delete()");
  ASSERT_NE(stop, m.log.end());
  EXPECT_LT(stop, firstDelete);
  EXPECT_THAT(m.log, Contains("button2.Delete()"));
  EXPECT_THAT(host.Names(), ElementsAre("builtin1", "builtin2", "builtin3", "builtin4"));
  EXPECT_FALSE(m.module.state.Running);
  EXPECT_FALSE(m.module.state.MenuButtons);
  EXPECT_FALSE(m.module.state.App);
  EXPECT_THAT(m.module.state.Settings.MonitorOrder, IsEmpty());
  EXPECT_EQ(m.module.state.Settings.ShortcutId, 0u);
}

TEST_F(AddinShutdownOfAShow, ArrivingWhileTheStopWaitsForTheShowToEndStillClosesTheNotesView) {
  m.module.state.Settings.ShowNotes = true;
  m.module.state.Settings.NotesView = 41;
  pres.whileExiting = [&] { AddinShutdown(m.module); };

  StopShow(m.module);
  EXPECT_THAT(m.log, Contains("DestroyTandrySession"));
  EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "HideNotesView 41"), 1);
  EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "DestroyNotesView 41"), 1);
  EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "StopTandrySession"), 1);
  EXPECT_FALSE(m.module.state.Running);
  EXPECT_FALSE(m.module.state.App);
}

TEST(AddinShutdown, OfAVersionTwelveHostDeletesNothing) {
  RecordingModule m;
  FakeMenuHost host(m.log, u"12.0");
  host.AddControl("foreign", 1, u"Tandry");
  ASSERT_TRUE(AddinStartup(m.module, host.app));
  AddinShutdown(m.module);
  EXPECT_THAT(m.log, ElementsAre("InitializeTandry", "dialogs ended", "message boxes closed"));
  EXPECT_EQ(host.items.size(), 5u);
  EXPECT_FALSE(m.module.state.App);
}

TEST(ShowAbout, ShowsTheEnginesBoxOrNothingWithoutTheEngine) {
  RecordingModule m;
  ShowAbout(m.module);
  m.declared.missing.insert("ShowAboutForm");
  ShowAbout(m.module);
  EXPECT_THAT(m.log, ElementsAre("ShowAboutForm"));
}

// The add-in object's connection handlers.
struct Connected {
  RecordingModule m;
  FakeMenuHost host{m.log, u"10.0"};
  FakeRef addIn = std::make_shared<FakeObject>("comaddin", m.log);
  FakeRef self = std::make_shared<FakeObject>("addin", m.log);
  AddinConnection connection{m.module};
};

TEST(AddinConnection, AtHostStartupWaitsForStartupComplete) {
  Connected c;
  c.connection.OnConnection(c.host.app, /*atHostStartup=*/true, c.addIn, c.self);
  EXPECT_THAT(c.m.log, ElementsAre("comaddin.Object = <addin>"));
  EXPECT_FALSE(c.connection.IsInitialized());

  c.connection.OnStartupComplete();
  EXPECT_TRUE(c.connection.IsInitialized());
  EXPECT_EQ(c.host.items.size(), 6u);
}

TEST(AddinConnection, LaterConnectionStartsAtOnceWithTheButtons) {
  Connected c;
  c.connection.OnConnection(c.host.app, /*atHostStartup=*/false, c.addIn, c.self);
  EXPECT_TRUE(c.connection.IsInitialized());
  EXPECT_EQ(c.host.items.size(), 6u);
}

TEST(AddinConnection, HostExitShutsDownOnceAndRemovalByTheUserShutsDownItself) {
  Connected exit;
  exit.connection.OnConnection(exit.host.app, true, exit.addIn, exit.self);
  exit.connection.OnStartupComplete();
  exit.connection.OnBeginShutdown();
  exit.m.log.clear();
  exit.connection.OnDisconnection(/*atHostShutdown=*/true);
  EXPECT_THAT(exit.m.log, IsEmpty());
  EXPECT_EQ(exit.host.items.size(), 4u);

  Connected removed;
  test::FakePresentation pres("Talk", 5, removed.m.log);
  removed.connection.OnConnection(removed.host.app, false, removed.addIn, removed.self);
  pres.settings->Call(u"Run", {});
  PretendAShowRuns(removed.m, pres);
  removed.connection.OnDisconnection(/*atHostShutdown=*/false);
  EXPECT_THAT(removed.m.log, Contains("StopTandrySession"));
  EXPECT_FALSE(removed.m.module.state.Running);
  EXPECT_EQ(removed.host.items.size(), 4u);
}

TEST(AddinConnection, AnEntryThatRefusesTheObjectOrAForeignApplicationStillStartsUp) {
  Connected c;
  c.addIn->Fail(u"Object");
  c.connection.OnConnection(c.host.app, false, c.addIn, c.self);
  EXPECT_TRUE(c.connection.IsInitialized());

  Connected foreign;
  foreign.connection.OnConnection(nullptr, false, foreign.addIn, foreign.self);
  EXPECT_FALSE(foreign.connection.IsInitialized());
  EXPECT_THAT(foreign.m.log, Contains(kVersionMessage));
  EXPECT_THAT(foreign.m.log, Not(Contains("InitializeTandry")));
}

}  // namespace
}  // namespace tandry::addin
