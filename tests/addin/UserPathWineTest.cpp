// The whole system on the user's path, in the stand-in presentation program that this process
// plays: the program loads the registered add-in at its start and the add-in puts its buttons
// into the Slide Show menu; "Start Tandry..." opens the settings dialog, driven as a user drives
// it; "&Start Show" runs the show across the bench's three monitors, where the engine's windows
// follow the presenter's keys; Alt+M inserts a blank slide; and every way of stopping a show
// stops it: its end, "Stop Tandry...", a macro's StartTandry, switching the add-in off and
// quitting the program.
#include <gmock/gmock.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Automation.h"
#include "ComServerTestSupport.h"
#include "Deck.h"
#include "DialogDriver.h"
#include "DialogLayouts.h"
#include "Host.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "MessagePump.h"
#include "Monitors.h"
#include "StandinTestSupport.h"
#include "TestWindows.h"
#include "WindowPixels.h"

namespace tandry::addin::test {
namespace {

using latebound::Arg;
using ::testing::Contains;
using ::testing::Not;
using wintest::PumpUntil;
namespace form = settings_form;

constexpr int kSlides = 8;          // generated: slide n has (n - 1) % 4 build steps
constexpr wchar_t kOptionsKey[] = L"Software\\VB and VBA Program Settings\\Tandry";

// The slide bitmaps that exist now: files named by a braced GUID in the temporary directory.
std::set<std::wstring> SlideBitmaps() {
  wchar_t directory[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH, directory);
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW((std::wstring(directory) + L"{*}.bmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(found.cFileName);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

void StoreSettings(const wchar_t* order, const wchar_t* notes, const wchar_t* fourSlides) {
  const std::wstring options = std::wstring(kOptionsKey) + L"\\Options";
  for (const auto& [name, value] :
       {std::pair{L"MonitorOrder", order}, std::pair{L"ShowNotes", notes},
        std::pair{L"LastMonitor4Slides", fourSlides}}) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, options.c_str(), name, REG_SZ, value,
                      static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
}

// What a macro does with COMAddIns("tandryaddin.PowerPointAddin") of the running program, taken
// from the Running Object Table, in an apartment of its own: its calls run on the program's
// thread, inside whatever loop that thread runs.
void RunMacro(const std::function<void(IDispatch* entry)>& macro) {
  ComApartment apartment;
  ScopedComPtr<IUnknown> active;
  ScopedComPtr<IDispatch> app;
  ScopedComPtr<IDispatch> addIns;
  ScopedComPtr<IDispatch> entry;
  ASSERT_EQ(::GetActiveObject(host::CLSID_Application, nullptr, active.receive()), S_OK);
  active->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(app.receive()));
  latebound::GetDispatch(app.get(), L"COMAddIns", addIns);
  latebound::GetDispatch(addIns.get(), L"Item", entry, {Arg(kProgId)});
  macro(entry.get());
}

void RunMacroStartTandry() {
  RunMacro([](IDispatch* entry) {
    ScopedComPtr<IDispatch> addin;
    latebound::GetDispatch(entry, L"Object", addin);
    EXPECT_EQ(latebound::Call(addin.get(), L"StartTandry"), S_OK);
  });
}

// The add-in switched off by a macro: COMAddIns(...).Connect = False.
void RunMacroSwitchOff() {
  RunMacro([](IDispatch* entry) {
    EXPECT_EQ(latebound::Put(entry, L"Connect", Arg(false)), S_OK);
  });
}

// A macro on a thread of its own. Its calls, and the releases of what it holds, run on the
// program's thread, which must go on pumping until the macro is done: Finish does that.
class MacroThread {
 public:
  ~MacroThread() { Finish(); }
  void Start(void (*macro)()) {
    thread_ = std::thread([this, macro] {
      macro();
      done_ = true;
    });
  }
  void Finish() {
    if (!thread_.joinable()) return;
    EXPECT_TRUE(PumpUntil([this] { return done_.load(); }, 15000));
    thread_.join();
  }

 private:
  std::atomic<bool> done_ = false;
  std::thread thread_;
};

class UserPathTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(RunRegsvr32(L"/s"), 0u); }
  static void TearDownTestSuite() {
    RunRegsvr32(L"/s /u");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey);
  }

  void SetUp() override {
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(standin::MonitorRectByIndex(i, monitors_[i]));
    bitmapsBefore_ = SlideBitmaps();
    ::GetCursorPos(&cursor_);
  }

  // A show puts the mouse pointer in the middle of its monitor; it goes back to where it was,
  // so that the tests after this one find it where they left it.
  void TearDown() override {
    if (host_) host_->Exit();
    host_.reset();
    wintest::DispatchPendingMessages();
    ::SetCursorPos(cursor_.x, cursor_.y);
  }

  // The stand-in as the user starts it: the presentation program of `version` with one deck,
  // its add-ins loaded from the user's list, its Application in the Running Object Table;
  // without a deck, no presentation is open.
  void StartHost(const char* version = "11.0", bool withDeck = true) {
    standin::HostOptions options;
    options.version = version;
    if (withDeck) options.presentations.emplace_back("talk.deck", standin::GenerateDeck(kSlides));
    options.registeredAddIns = true;
    options.activeObject = true;
    host_ = standin::Host::Start(std::move(options));
    ASSERT_TRUE(host_);
  }

  IDispatch* App() { return &host_->app(); }

  // The add-in's entry in the host's list, and the add-in object it hands out.
  ScopedComPtr<IDispatch> AddinEntry() {
    ScopedComPtr<IDispatch> addIns;
    ScopedComPtr<IDispatch> entry;
    latebound::GetDispatch(App(), L"COMAddIns", addIns);
    latebound::GetDispatch(addIns.get(), L"Item", entry, {Arg(kProgId)});
    return entry;
  }
  bool AddinSays(const wchar_t* question) {
    ScopedComPtr<IDispatch> addin;
    latebound::GetDispatch(AddinEntry().get(), L"Object", addin);
    ScopedVariant answer;
    latebound::Call(addin.get(), question, {}, answer.get());
    return V_VT(answer.get()) == VT_BOOL && V_BOOL(answer.get()) == VARIANT_TRUE;
  }
  bool Running() { return AddinSays(L"IsTandryRunning"); }

  std::vector<std::wstring> SlideShowMenu() {
    return standin::MenuTexts(host_->mainWindow(), standin::kSlideShowMenu);
  }

  // Chooses a Slide Show menu item, as the menu reports a choice to its window.
  void Choose(const std::wstring& text) {
    const HMENU menu = ::GetSubMenu(::GetMenu(host_->mainWindow()), standin::kSlideShowMenu);
    const std::vector<std::wstring> texts = SlideShowMenu();
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (texts[i] != text) continue;
      const UINT id = ::GetMenuItemID(menu, static_cast<int>(i));
      ::SendMessageW(host_->mainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
      return;
    }
    ADD_FAILURE() << "no menu item " << std::string(text.begin(), text.end());
  }

  // "Start Tandry...": the settings dialog, driven by `script`, and what it starts.
  void StartFromMenu(const std::function<void(HWND)>& script) {
    wintest::DriveDialog(
        L"Setup Tandry", [this] { Choose(L"Start Tandry..."); }, script);
  }
  // The same with the stored settings as they are.
  void StartWithStoredSettings() {
    StartFromMenu([](HWND dialog) { wintest::Click(dialog, form::OKCommand); });
    ASSERT_TRUE(Running());
  }

  // A member object of the active presentation, by name through the object model.
  ScopedComPtr<IDispatch> OfActivePresentation(const wchar_t* member) {
    ScopedComPtr<IDispatch> presentation;
    ScopedComPtr<IDispatch> object;
    latebound::GetDispatch(App(), L"ActivePresentation", presentation);
    latebound::GetDispatch(presentation.get(), member, object);
    return object;
  }
  // The running show's window.
  HWND ShowWindow() {
    LONG handle = 0;
    latebound::GetLong(OfActivePresentation(L"SlideShowWindow").get(), L"HWND", handle);
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
  }
  LONG CurrentSlide() {
    LONG slide = 0;
    standin::GetCurrentSlideIndex(OfActivePresentation(L"SlideShowWindow").get(), slide);
    return slide;
  }
  LONG SlideCount() {
    LONG count = 0;
    latebound::GetLong(OfActivePresentation(L"Slides").get(), L"Count", count);
    return count;
  }

  // A visible window of this thread, other than `except`, that covers monitor `index` exactly.
  HWND WindowOver(int index, HWND except = nullptr) {
    return wintest::WindowCovering(monitors_[index], except);
  }

  // Presses `key` on the show until it stands on slide `slide`.
  void StepTo(LONG slide) {
    for (int i = 0; i < 12 && CurrentSlide() < slide; ++i) {
      standin::PressKey(ShowWindow(), VK_RIGHT);
      wintest::DispatchPendingMessages();
    }
    ASSERT_EQ(CurrentSlide(), slide);
  }

  // What the loaded add-in DLL answers when asked whether it may be unloaded.
  static HRESULT AddinCanUnloadNow() {
    const HMODULE addinDll = ::GetModuleHandleW(L"tandryaddin.dll");
    using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload = reinterpret_cast<CanUnloadFn>(
        reinterpret_cast<void*>(::GetProcAddress(addinDll, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_UNEXPECTED;
  }

  // Everything of a show is gone: its window, the engine's windows and its bitmaps.
  void ExpectStopped(HWND show) {
    EXPECT_TRUE(PumpUntil([&] { return !Running() && !::IsWindow(show); }));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(WindowOver(i)) << "a window over monitor " << i;
    EXPECT_EQ(SlideBitmaps(), bitmapsBefore_);
  }

  RECT monitors_[3]{};
  std::set<std::wstring> bitmapsBefore_;
  POINT cursor_{};
  std::unique_ptr<standin::Host> host_;
};

TEST_F(UserPathTest, FromTheMenuAcrossThreeMonitorsWithNotesUntilTheShowEnds) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey);  // a first use: nothing stored
  StartHost();
  EXPECT_TRUE(AddinSays(L"IsCOMAddInInitialized"));
  const std::vector<std::wstring> menu = SlideShowMenu();
  const auto start = std::find(menu.begin(), menu.end(), L"Start Tandry...");
  ASSERT_NE(start, menu.end());
  ASSERT_NE(start + 1, menu.end());
  EXPECT_EQ(*(start + 1), L"About Tandry...");

  // Monitors 2 and 3 join the first, the notes go on monitor 1 and the four-slide box, which a
  // single chosen monitor checked, is cleared.
  StartFromMenu([](HWND dialog) {
    using namespace wintest;
    EXPECT_EQ(ListItems(dialog, form::IncludeMonitorList).size(), 1u);
    for (int i = 0; i < 2; ++i) {
      ClickItem(dialog, form::ExcludeMonitorList, 0);
      Click(dialog, form::IncludeCommand);
    }
    Click(dialog, form::DisplayNotesCheck);
    if (ControlChecked(dialog, form::LastMonitor4SlidesCheck)) {
      Click(dialog, form::LastMonitor4SlidesCheck);
    }
    Click(dialog, form::OKCommand);
  });
  ASSERT_TRUE(Running());
  EXPECT_THAT(SlideShowMenu(), Contains(L"Stop Tandry..."));
  const HWND show = ShowWindow();
  const RECT showRect = wintest::WindowRectOf(show);
  EXPECT_TRUE(::EqualRect(&showRect, &monitors_[1])) << "the show on monitor 2";
  EXPECT_TRUE(WindowOver(0, show)) << "the notes view on monitor 1";
  const HWND earlier = WindowOver(2, show);
  ASSERT_TRUE(earlier) << "the earlier slide on monitor 3";

  StepTo(3);
  const wintest::WindowPixels pixels = wintest::WholeWindowPixels(earlier);
  EXPECT_GT(pixels.Count(standin::BackgroundColour(2)), pixels.Width() * pixels.Height() / 3);

  // Alt+M, pressed as the presenter presses it, while the show is in front.
  ::SetForegroundWindow(show);
  const LONG slides = SlideCount();
  PumpUntil([] { return false; }, 1500);  // the shortcut goes live at the engine's next tick
  wintest::PressChord(VK_MENU, 'M');
  EXPECT_TRUE(PumpUntil([&] { return SlideCount() == slides + 1; }));
  EXPECT_EQ(CurrentSlide(), 3);

  standin::PressKey(show, VK_ESCAPE);
  ExpectStopped(show);
  EXPECT_THAT(SlideShowMenu(), Contains(L"Start Tandry..."));
  EXPECT_EQ(
      RegistryText(HKEY_CURRENT_USER, std::wstring(kOptionsKey) + L"\\Options", L"MonitorOrder"),
      L"0,1,2");
}

TEST_F(UserPathTest, MenuMacroSwitchingOffAndQuittingEachStopTheShow) {
  StoreSettings(L"0,2", L"0", L"0");  // the show on monitor 1, the slide before on monitor 3
  StartHost();

  StartWithStoredSettings();
  HWND show = ShowWindow();
  EXPECT_TRUE(WindowOver(2, show));
  Choose(L"Stop Tandry...");
  ExpectStopped(show);

  // A macro in another apartment takes the program from the Running Object Table. Its calls
  // (and the releases of what it holds) run on this thread, which keeps pumping meanwhile.
  StartWithStoredSettings();
  show = ShowWindow();
  MacroThread macro;
  macro.Start(&RunMacroStartTandry);
  macro.Finish();
  ExpectStopped(show);

  // Switched off by the user: the show stops and the buttons go; switched on again, they are
  // back at once.
  StartWithStoredSettings();
  show = ShowWindow();
  EXPECT_EQ(latebound::Put(AddinEntry().get(), L"Connect", Arg(false)), S_OK);
  ExpectStopped(show);
  EXPECT_THAT(SlideShowMenu(), Not(Contains(L"Start Tandry...")));
  EXPECT_EQ(latebound::Put(AddinEntry().get(), L"Connect", Arg(true)), S_OK);
  EXPECT_THAT(SlideShowMenu(), Contains(L"Start Tandry..."));

  StartWithStoredSettings();
  show = ShowWindow();
  host_->Exit();
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(show); }));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(WindowOver(i)) << "a window over monitor " << i;
  EXPECT_EQ(SlideBitmaps(), bitmapsBefore_);

  // The program let go of the add-in, and the add-in of every object it handed out (its sinks
  // included): the DLL may be unloaded.
  EXPECT_EQ(AddinCanUnloadNow(), S_OK);
}

TEST_F(UserPathTest, SwitchedOffWhileItWaitsInADialogOrAMessageLeavesNothing) {
  StoreSettings(L"0,2", L"0", L"0");
  StartHost();
  const std::wstring options = std::wstring(kOptionsKey) + L"\\Options";

  // The settings dialog with the password dialog over it, and a choice not yet confirmed.
  MacroThread switchOff;
  StartFromMenu([&switchOff](HWND dialog) {
    using namespace wintest;
    ClickItem(dialog, form::IncludeMonitorList, 1);
    Click(dialog, form::ExcludeCommand);
    ClickLater(dialog, form::PasswordCommand);
    const HWND password = WaitForDialog(L"Change Password");
    ASSERT_TRUE(password);
    Type(password, change_password_form::NewPasswordText, L"abc");
    Type(password, change_password_form::New2PasswordText, L"abc");
    switchOff.Start(&RunMacroSwitchOff);
    EXPECT_TRUE(WaitUntilHidden(password));
    EXPECT_TRUE(WaitUntilHidden(dialog));
  });
  switchOff.Finish();
  EXPECT_FALSE(wintest::WaitForDialog(L"Setup Tandry"));
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, options, L"MonitorOrder"), L"0,2");
  EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, options, L"Password"));  // its OK never ran
  EXPECT_THAT(SlideShowMenu(), Not(Contains(L"Start Tandry...")));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(WindowOver(i)) << "a window over monitor " << i;

  // No presentation open: the add-in is switched off while it says so.
  host_->Exit();
  StartHost("11.0", /*withDeck=*/false);
  std::wstring message;
  MacroThread switchOffAgain;
  wintest::DriveDialog(
      L"Tandry", [this] { Choose(L"Start Tandry..."); },
      [&message, &switchOffAgain](HWND box) {
        message = ChildTexts(box).back();
        switchOffAgain.Start(&RunMacroSwitchOff);
        EXPECT_TRUE(wintest::WaitUntilHidden(box));
      });
  switchOffAgain.Finish();
  EXPECT_EQ(message, L"Please open a presentation to start slide show.");
  EXPECT_FALSE(wintest::WaitForDialog(L"Tandry"));
  EXPECT_THAT(SlideShowMenu(), Not(Contains(L"Start Tandry...")));

  host_->Exit();
  EXPECT_EQ(SlideBitmaps(), bitmapsBefore_);
  EXPECT_EQ(AddinCanUnloadNow(), S_OK);
}

TEST_F(UserPathTest, FromVersionTwelveOnlyThePublicMethodsAndTheAboutBox) {
  StartHost("12.0");
  EXPECT_THAT(SlideShowMenu(), Not(Contains(L"Start Tandry...")));
  EXPECT_TRUE(AddinSays(L"IsCOMAddInInitialized"));
  EXPECT_FALSE(Running());

  ScopedComPtr<IDispatch> addin;
  latebound::GetDispatch(AddinEntry().get(), L"Object", addin);
  std::vector<std::wstring> about;
  wintest::DriveDialog(
      L"About", [&] { latebound::Call(addin.get(), L"AboutTandry"); },
      [&](HWND box) { about = ChildTexts(box); });
  EXPECT_THAT(about, Contains(L"Copyright (C) 2003-2025 The Tandry Team"));
}

}  // namespace
}  // namespace tandry::addin::test
