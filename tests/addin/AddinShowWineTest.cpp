// The add-in's show with this process playing the presentation program: the stand-in host with
// the presentation "Talk", the add-in's Win32 ports with the real engine, larkpane and registry
// on the bench's three monitors, and a settings dialog that answers as chosen. A start through
// the toggle, the presenter's keys, Alt+M as a real key press, and the ends of a show; the
// host's objects as the add-in calls them.
#include <windows.h>

#include <gmock/gmock.h>

#include <string>

#include "AddinLife.h"
#include "AnsweringDialog.h"
#include "Deck.h"
#include "DialogSupport.h"
#include "Host.h"
#include "HostDispatch.h"
#include "ImportModule.h"
#include "SSWClass.h"
#include "MessagePump.h"
#include "Monitors.h"
#include "PresentationObject.h"
#include "ShowControl.h"
#include "SystemPorts.h"
#include "SlideShowWindowObject.h"
#include "StandinTestSupport.h"
#include "TestWindows.h"
#include "WindowPixels.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using standin::BackgroundColour;
using wintest::DispatchPendingMessages;

constexpr wchar_t kOptionsKey[] = L"Software\\VB and VBA Program Settings\\Tandry\\Options";
constexpr int kSlides = 6;  // slide k has (k - 1) mod 4 build steps and two paragraphs of notes

std::wstring StoredText(const wchar_t* name) {
  wchar_t text[64] = {};
  DWORD size = sizeof text;
  RegGetValueW(HKEY_CURRENT_USER, kOptionsKey, name, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

// The add-in's Win32 ports around a module of the test's own, whose dialog answers as chosen.
struct TestModule final : AddinObjects {
  std::unique_ptr<SettingsDialog> LoadSettingsForm() override {
    return std::make_unique<test::AnsweringDialog>(answer);
  }
  std::unique_ptr<SlideShowEventSink> NewSSWClass() override {
    return std::make_unique<SSWClass>(module);
  }
  std::unique_ptr<MenuButtonHolder> NewHostClass() override { return nullptr; }
  void EndShownDialogs() override { Win32Dialog::EndAllShown(); }

  static TestModule& Get() {
    static TestModule one;
    return one;
  }
  // The procedure that the engine calls for Alt+M, as the add-in's own does.
  static void __stdcall Shortcut() { InsertSlideShortcut(Get().module); }

  test::DialogAnswer answer{false, {}, u"", false, false};  // Cancel until a test chooses
  ImportModule declared{&Shortcut};
  RegistrySettings store;
  SystemMessageBoxes messages;
  Module module{declared, store, messages, *this};
};

// One host for all the tests: starting and closing its windows is what takes the time here.
class AddinShowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    standin::HostOptions options;
    options.presentations.emplace_back("Talk", standin::GenerateDeck(kSlides));
    host_ = standin::Host::Start(std::move(options)).release();
  }
  static void TearDownTestSuite() {
    if (host_) host_->Exit();
    delete host_;
    host_ = nullptr;
    DispatchPendingMessages();
  }

  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(standin::MonitorRectByIndex(i, monitors_[i]));
    ASSERT_TRUE(host_);
    app_ = WrapDispatch(&host_->app());
    ASSERT_TRUE(AddinStartup(module(), app_)) << "tandrycore.dll missing beside the test?";
  }

  void TearDown() override {
    AddinShutdown(module());
    DispatchPendingMessages();
    RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey);
  }

  static Module& module() { return TestModule::Get().module; }
  static void Choose(test::DialogAnswer answer) { TestModule::Get().answer = std::move(answer); }
  SettingsRecord& settings() { return module().state.Settings; }
  standin::PresentationObject& talk() { return *host_->app().presentations().front().get(); }

  // Key presses on the show, each followed by what they set off.
  void Press(unsigned virtualKey, int times = 1) {
    for (int i = 0; i < times; ++i) {
      standin::PressKey(talk().show()->window(), virtualKey);
      DispatchPendingMessages();
    }
  }

  // Whether `window` shows the slide of colour `colour` over a third of its area at least.
  static bool Shows(HWND window, int colour) {
    const wintest::WindowPixels pixels = wintest::WholeWindowPixels(window);
    return pixels.Count(BackgroundColour(colour)) > pixels.Width() * pixels.Height() / 3;
  }

  static standin::Host* host_;
  RECT monitors_[3]{};
  ObjectRef app_;
};

standin::Host* AddinShowTest::host_ = nullptr;

TEST_F(AddinShowTest, RunsAShowWithNotesFromTheToggleToTheShowsEnd) {
  Choose({true, {1, 2, 0}, u"Talk", true, false});
  StartStopShow(module());
  ASSERT_TRUE(IsShowRunning(module()));

  // The presentation program's show on the second chosen monitor (not where the presentation
  // program puts it, the primary), placed in points.
  ASSERT_TRUE(talk().show());
  const HWND show = talk().show()->window();
  const RECT placed = wintest::WindowRectOf(show);
  EXPECT_TRUE(EqualRect(&placed, &monitors_[2]));
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, (monitors_[2].left + monitors_[2].right) / 2);
  EXPECT_EQ(cursor.y, (monitors_[2].top + monitors_[2].bottom) / 2);
  // The notes view on the first, the slide before the current one on the third.
  const HWND notes = wintest::WindowCovering(monitors_[1], show);
  const HWND earlier = wintest::WindowCovering(monitors_[0], show);
  ASSERT_TRUE(notes);
  ASSERT_TRUE(earlier);
  EXPECT_NE(settings().NotesView, 0);
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(2, 0));
  // The choice is stored with the notes monitor first.
  EXPECT_EQ(StoredText(L"MonitorOrder"), L"1,2,0");
  EXPECT_EQ(StoredText(L"ShowNotes"), L"1");
  EXPECT_EQ(StoredText(L"LastMonitor4Slides"), L"0");
  EXPECT_TRUE(GlobalFindAtomA("Tandry_4D_1"));

  Press(VK_RIGHT, 3);  // slide 2 has one build step: slide 3
  ASSERT_EQ(talk().show()->show().slide(), 3);
  EXPECT_TRUE(Shows(earlier, 2));

  wintest::PressChord(VK_MENU, 'M');
  EXPECT_TRUE(wintest::PumpUntil([&] { return talk().slideCount() == kSlides + 1; }, 4000));
  ASSERT_TRUE(talk().slide(4));
  EXPECT_TRUE(talk().slide(4)->data().title.empty());
  EXPECT_FALSE(talk().slide(4)->data().displayMasterShapes);
  EXPECT_EQ(talk().show()->show().slide(), 3);  // the show did not move

  Press(VK_RIGHT, 3);  // slide 3's two build steps, then the blank slide 4
  ASSERT_EQ(talk().show()->show().slide(), 4);
  EXPECT_TRUE(Shows(earlier, 3));
  Press(VK_RIGHT);  // the former slide 4, now 5
  ASSERT_EQ(talk().show()->show().slide(), 5);
  EXPECT_TRUE(Shows(earlier, talk().slide(4)->data().colour));

  Press(VK_ESCAPE);  // the presenter ends the show
  EXPECT_FALSE(IsShowRunning(module()));
  EXPECT_FALSE(IsWindow(show));
  EXPECT_FALSE(IsWindow(notes));
  EXPECT_FALSE(IsWindow(earlier));
  EXPECT_FALSE(GlobalFindAtomA("Tandry_4D_1"));
  EXPECT_THAT(settings().MonitorOrder, ElementsAre(1, 2, 0));
  EXPECT_EQ(settings().NotesView, 0);
  EXPECT_EQ(settings().ShortcutId, 0u);
  EXPECT_EQ(settings().Presentation, nullptr);
}

TEST_F(AddinShowTest, SharesOneMonitorAndStopsFromTheToggle) {
  Choose({true, {2}, u"Talk", false, false});
  StartStopShow(module());
  ASSERT_TRUE(IsShowRunning(module()));
  EXPECT_EQ(settings().SessionMode, kSharedScreen);
  const HWND show = talk().show()->window();
  // The shared screen covers the monitor and keeps the show in part of it.
  const HWND shared = wintest::WindowCovering(monitors_[2], show);
  ASSERT_TRUE(shared);
  const RECT part = wintest::WindowRectOf(show);
  RECT inside{};
  EXPECT_TRUE(IntersectRect(&inside, &part, &monitors_[2]) && EqualRect(&inside, &part));
  EXPECT_FALSE(EqualRect(&part, &monitors_[2]));

  const int slides = talk().slideCount();
  wintest::PressChord(VK_MENU, 'M');  // no slide in a shared-screen show
  wintest::PumpMessagesBriefly();
  EXPECT_EQ(talk().slideCount(), slides);

  StartStopShow(module());
  EXPECT_FALSE(IsShowRunning(module()));
  EXPECT_FALSE(talk().show());
  EXPECT_FALSE(IsWindow(shared));
  EXPECT_EQ(StoredText(L"MonitorOrder"), L"2");
}

TEST_F(AddinShowTest, ReachesTheHostsObjectsByName) {
  EXPECT_EQ(AsText(app_->Get(u"Version")), u"11.0");
  const ObjectRef active = ObjectAt(app_, {u"ActivePresentation"});
  const ObjectRef presentations = ObjectAt(app_, {u"Presentations"});
  ASSERT_TRUE(active && presentations);
  EXPECT_EQ(AsLong(presentations->Get(u"Count")), 1);
  // The same object whichever way it is reached; a missing item fails.
  EXPECT_TRUE(SameObject(active, AsObject(presentations->Get(u"Item", {Value{1}}))));
  EXPECT_TRUE(SameObject(
      active, AsObject(presentations->Get(u"Item", {Value{std::u16string(u"Talk")}}))));
  EXPECT_FALSE(SameObject(active, presentations));
  EXPECT_EQ(presentations->Get(u"Item", {Value{std::u16string(u"Other")}}), std::nullopt);
  EXPECT_EQ(app_->Get(u"NoSuchMember"), std::nullopt);
  // An optional argument left out, texts with line breaks, a length in points.
  const ObjectRef window = AsObject(ObjectAt(active, {u"SlideShowSettings"})->Call(u"Run"));
  ASSERT_TRUE(window);
  const ObjectRef view = ObjectAt(window, {u"View"});
  EXPECT_TRUE(view->Call(u"GotoSlide", {Value{3}, std::nullopt}));
  EXPECT_EQ(AsLong(GetPath(view, {u"Slide", u"SlideIndex"})), 3);
  EXPECT_EQ(GetNotesText(ObjectAt(view, {u"Slide"})), u"Notes of slide 3.\rSecond paragraph of the notes of slide 3.");
  EXPECT_TRUE(window->Put(u"Left", Value{720.0}));
  EXPECT_EQ(wintest::WindowRectOf(talk().show()->window()).left, 960);
  EXPECT_TRUE(view->Call(u"Exit"));
}

}  // namespace
}  // namespace tandry::addin
