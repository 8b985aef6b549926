// Global shortcuts on a real desktop: their atoms, hot keys that follow the foreground window,
// hot-key messages, errors raised by a shortcut's procedure (also one of another module), and
// their release at unload.
#include <windows.h>

#include <gmock/gmock.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "LibraryTestSupport.h"
#include "ShortcutsUnit.h"
#include "TestBinding.h"
#include "TestWindows.h"

namespace tandry {
namespace {

using ::testing::Contains;
using tandry_test::AtomExists;
using tandry_test::BringToFront;
using tandry_test::HelperProcess;
using tandry_test::HotKeyTaken;
using wintest::ExportOf;
using wintest::PumpUntil;
using wintest::TestWindow;

constexpr std::int32_t kAlt = MOD_ALT;
constexpr std::int32_t kKeyM = 0x4D;
constexpr RECT kWindowRect{100, 100, 400, 300};

std::atomic<int> g_runs{0};
void CountRun() { ++g_runs; }
void OtherRun() { g_runs += 100; }
void ThrowStdException() { throw std::runtime_error("The slide could not be inserted."); }

class ShortcutsTest : public ::testing::Test {
 protected:
  // The windows outlive the single tests: on this desktop every hiding of a visible window
  // waits two seconds for a window manager that is not there.
  static void SetUpTestSuite() {
    show_ = std::make_unique<TestWindow>("screenClass", WS_OVERLAPPEDWINDOW, kWindowRect);
    editing_ = std::make_unique<TestWindow>("PPTFrameClass", WS_OVERLAPPEDWINDOW, kWindowRect);
  }
  static void TearDownTestSuite() {
    editing_.reset();
    show_.reset();
  }
  void SetUp() override {
    g_runs = 0;
    CreateKeyboardShortcutsForm();
    ASSERT_TRUE(BringToFront(show_->get()));
  }
  void TearDown() override { FreeKeyboardShortcutsForm(false); }

  TKeyboardShortcutsForm& Form() { return *KeyboardShortcutsForm(); }
  void SendHotKey(std::uint32_t id) {
    ::SendMessageA(Form().Handle(), WM_HOTKEY, id, MAKELPARAM(kAlt, kKeyM));
  }

  static std::unique_ptr<TestWindow> show_;
  static std::unique_ptr<TestWindow> editing_;
};

std::unique_ptr<TestWindow> ShortcutsTest::show_;
std::unique_ptr<TestWindow> ShortcutsTest::editing_;

// What the form's window held as its form when it was destroyed; -1 while it was not.
HWND g_destroyedWindow = nullptr;
LONG_PTR g_formAtDestroy = -1;

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->hwnd == g_destroyedWindow && call->message == WM_DESTROY) {
    g_formAtDestroy = ::GetWindowLongPtrA(call->hwnd, GWLP_USERDATA);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

using ScopedHook = ScopedValue<HHOOK, NullEmpty<HHOOK, ::UnhookWindowsHookEx>>;

// The other process's window, once it is in front.
HWND HelperWindowInFront(const HelperProcess& helper) {
  HWND found = nullptr;
  PumpUntil([&] {
    found = ::GetForegroundWindow();
    DWORD process = 0;
    ::GetWindowThreadProcessId(found, &process);
    return found && process == helper.Id();
  });
  return found;
}

TEST_F(ShortcutsTest, RegisterNamesTheAtomAfterKeyAndModifiers) {
  const std::uint32_t altM = RegisterShortcut(kKeyM, kAlt, CountRun);
  const std::uint32_t controlShiftF1 = RegisterShortcut(VK_F1, MOD_CONTROL | MOD_SHIFT, CountRun);
  for (std::uint32_t id : {altM, controlShiftF1}) {
    EXPECT_GE(id, 0xC000u);
    EXPECT_LE(id, 0xFFFFu);
  }
  char name[64] = "";
  ::GlobalGetAtomNameA(static_cast<ATOM>(altM), name, sizeof name);
  EXPECT_STREQ(name, "Tandry_4D_1");
  ::GlobalGetAtomNameA(static_cast<ATOM>(controlShiftF1), name, sizeof name);
  EXPECT_STREQ(name, "Tandry_70_6");

  UnregisterShortcut(controlShiftF1);
  EXPECT_FALSE(AtomExists("Tandry_70_6"));
  EXPECT_TRUE(AtomExists("Tandry_4D_1"));
  // Only the low 16 bits of the identifier count; an unknown one changes nothing.
  UnregisterShortcut(0xABCD0000u | controlShiftF1);
  UnregisterShortcut(0xFFFF0000u | altM);
  EXPECT_FALSE(AtomExists("Tandry_4D_1"));
}

TEST_F(ShortcutsTest, HotKeyIsLiveAtOnceThenOnlyWhileTheShowIsInFront) {
  ASSERT_TRUE(BringToFront(editing_->get()));
  RegisterShortcut(kKeyM, kAlt, CountRun);
  EXPECT_TRUE(HotKeyTaken(kAlt, kKeyM));

  Form().TimerTimer();
  EXPECT_FALSE(HotKeyTaken(kAlt, kKeyM));

  ASSERT_TRUE(BringToFront(show_->get()));
  Form().TimerTimer();
  EXPECT_TRUE(HotKeyTaken(kAlt, kKeyM));
}

TEST_F(ShortcutsTest, ASlideShowWindowOfAnotherProcessReleasesTheHotKeys) {
  RegisterShortcut(kKeyM, kAlt, CountRun);
  HelperProcess helper("window screenClass");
  const HWND other = HelperWindowInFront(helper);
  ASSERT_NE(other, nullptr);
  char className[32] = "";
  ::GetClassNameA(other, className, sizeof className);
  ASSERT_STREQ(className, "screenClass");

  Form().TimerTimer();
  EXPECT_FALSE(HotKeyTaken(kAlt, kKeyM));

  // A key press that reaches us before the next tick runs nothing either.
  SendHotKey(::GlobalFindAtomA("Tandry_4D_1"));
  EXPECT_EQ(g_runs, 0);
  ::PostMessageA(other, WM_CLOSE, 0, 0);
  EXPECT_EQ(helper.ExitCode(), 0);
}

TEST_F(ShortcutsTest, TheTimerTicksOnItsOwn) {
  RegisterShortcut(kKeyM, kAlt, CountRun);
  ASSERT_TRUE(BringToFront(editing_->get()));
  EXPECT_TRUE(PumpUntil([] { return !HotKeyTaken(kAlt, kKeyM); }, 4000));
  ASSERT_TRUE(BringToFront(show_->get()));
  EXPECT_TRUE(PumpUntil([] { return HotKeyTaken(kAlt, kKeyM); }, 4000));
}

TEST_F(ShortcutsTest, HotKeyMessageRunsTheProcedureWhileThisProcessIsInFront) {
  const std::uint32_t id = RegisterShortcut(kKeyM, kAlt, CountRun);
  SendHotKey(id);
  EXPECT_EQ(g_runs, 1);
  // Any window of this process will do: the timer alone looks at the class.
  ASSERT_TRUE(BringToFront(editing_->get()));
  SendHotKey(id);
  EXPECT_EQ(g_runs, 2);
  SendHotKey(id + 1);
  EXPECT_EQ(g_runs, 2);
}

TEST_F(ShortcutsTest, AProcedureOfNilRunsNothing) {
  const std::uint32_t id = RegisterShortcut(kKeyM, kAlt, nullptr);
  SendHotKey(id);
  EXPECT_EQ(g_runs, 0);
}

TEST_F(ShortcutsTest, TheSameCombinationTwiceSharesItsAtomAndHotKey) {
  const std::uint32_t first = RegisterShortcut(kKeyM, kAlt, CountRun);
  const std::uint32_t second = RegisterShortcut(kKeyM, kAlt, OtherRun);
  ASSERT_EQ(first, second);
  SendHotKey(first);
  EXPECT_EQ(g_runs, 1);

  UnregisterShortcut(first);
  EXPECT_TRUE(AtomExists("Tandry_4D_1"));
  EXPECT_FALSE(HotKeyTaken(kAlt, kKeyM));
  SendHotKey(first);
  EXPECT_EQ(g_runs, 101);
  Form().TimerTimer();
  EXPECT_TRUE(HotKeyTaken(kAlt, kKeyM));

  UnregisterShortcut(second);
  EXPECT_FALSE(AtomExists("Tandry_4D_1"));
}

TEST_F(ShortcutsTest, APressOfTheKeysRunsTheProcedure) {
  RegisterShortcut(kKeyM, kAlt, CountRun);
  ASSERT_EQ(wintest::PressChord(VK_MENU, 'M'), 4u);
  EXPECT_TRUE(PumpUntil([] { return g_runs == 1; }, 3000));
}

// Closes the message box captioned "Tandry Exception" once it is up; keeps its texts.
class ExceptionBoxCloser {
 public:
  ExceptionBoxCloser()
      : thread_([this] {
          const HWND box = tandry_test::WaitForOwnWindow("#32770", "Tandry Exception");
          if (!box) return;
          found_ = true;
          ownerless_ = ::GetWindow(box, GW_OWNER) == nullptr;
          texts_ = tandry_test::ChildTexts(box);
          ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }) {}
  ~ExceptionBoxCloser() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool found_ = false;
  bool ownerless_ = false;
  std::vector<std::string> texts_;

 private:
  std::thread thread_;
};

TEST_F(ShortcutsTest, AStdExceptionShowsItsTextInAMessageBoxEachTime) {
  const std::uint32_t id = RegisterShortcut(kKeyM, kAlt, ThrowStdException);
  for (int press = 0; press < 2; ++press) {
    ExceptionBoxCloser closer;
    SendHotKey(id);  // returns once the box is closed
    closer.Join();
    ASSERT_TRUE(closer.found_);
    EXPECT_TRUE(closer.ownerless_);
    EXPECT_THAT(closer.texts_, Contains("The slide could not be inserted."));
    EXPECT_EQ(::FindWindowA("#32770", "Tandry Exception"), nullptr);
  }
  // The form goes on working.
  EXPECT_TRUE(::IsWindow(Form().Handle()));
}

// The caller's procedure lives in a module of its own, with its own copy of the runtime.
TEST_F(ShortcutsTest, WhatAProcedureOfAnotherModuleThrowsIsContainedToo) {
  ScopedModule module(::LoadLibraryA("throwing_shortcuts.dll"));
  ASSERT_TRUE(module);
  const struct {
    const char* procedure;
    const char* text;
  } cases[] = {
      {"ThrowStdException", "Thrown in another module."},
      {"ThrowSomethingElse", "The shortcut's procedure failed with an unknown error."},
  };
  for (const auto& thrown : cases) {
    SCOPED_TRACE(thrown.procedure);
    const auto procedure = ExportOf<TShortcutProc>(module.get(), thrown.procedure);
    ASSERT_TRUE(procedure);
    const std::uint32_t id = RegisterShortcut(kKeyM, kAlt, procedure);
    ExceptionBoxCloser closer;
    SendHotKey(id);
    closer.Join();
    ASSERT_TRUE(closer.found_);
    EXPECT_THAT(closer.texts_, Contains(thrown.text));
    UnregisterShortcut(id);
  }
}

TEST_F(ShortcutsTest, FreeingTheFormReleasesEveryHotKeyAtomAndTheWindow) {
  RegisterShortcut(kKeyM, kAlt, CountRun);
  RegisterShortcut(kKeyM, kAlt, CountRun);
  RegisterShortcut(VK_F1, MOD_CONTROL | MOD_SHIFT, CountRun);
  const HWND window = Form().Handle();
  g_destroyedWindow = window;
  ScopedHook hook(
      ::SetWindowsHookExA(WH_CALLWNDPROC, WatchDestroy, nullptr, ::GetCurrentThreadId()));
  ASSERT_TRUE(hook);
  FreeKeyboardShortcutsForm(false);
  hook.reset();

  // While the window was destroyed it no longer led to the form being freed.
  EXPECT_EQ(g_formAtDestroy, 0);
  EXPECT_FALSE(AtomExists("Tandry_4D_1"));
  EXPECT_FALSE(AtomExists("Tandry_70_6"));
  EXPECT_FALSE(HotKeyTaken(kAlt, kKeyM));
  EXPECT_FALSE(HotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F1));
  EXPECT_FALSE(::IsWindow(window));
  // A new form after the old one works as the first did.
  CreateKeyboardShortcutsForm();
  RegisterShortcut(kKeyM, kAlt, CountRun);
  EXPECT_TRUE(HotKeyTaken(kAlt, kKeyM));
}

TEST_F(ShortcutsTest, AtTheEndOfTheProcessOnlyTheAtomsAreDeleted) {
  RegisterShortcut(kKeyM, kAlt, CountRun);
  const HWND window = Form().Handle();
  FreeKeyboardShortcutsForm(true);

  EXPECT_FALSE(AtomExists("Tandry_4D_1"));
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_TRUE(HotKeyTaken(kAlt, kKeyM));
  // The window no longer leads to the freed form: a late tick or hot key does nothing.
  EXPECT_EQ(::GetWindowLongPtrA(window, GWLP_USERDATA), 0);
  ::SendMessageA(window, WM_TIMER, 1, 0);
  ::SendMessageA(window, WM_HOTKEY, 0xC000, 0);
  // What the system would take along with the process.
  ::DestroyWindow(window);
  EXPECT_FALSE(HotKeyTaken(kAlt, kKeyM));
}

}  // namespace
}  // namespace tandry
