// The add-in under failing allocations: this process plays the presentation program (the
// stand-in host) with tandryaddin_failing.dll, the add-in's own code whose operator new fails on
// request (FailingAllocations.h), as its one add-in. Each allocation of a StartTandry that
// starts the chosen show, then of one that stops it, fails in turn. After each call its answer
// is S_OK, E_OUTOFMEMORY or E_FAIL and the add-in's state agrees with whether it runs; then a
// start and a stop without failures must run the chosen show as before. At the host's exit the
// add-in lets go of every object.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ComServerTestSupport.h"
#include "Deck.h"
#include "FailingAllocationExports.h"
#include "Host.h"
#include "LateBound.h"
#include "MessagePump.h"
#include "PresentationObject.h"
#include "SlideShowWindowObject.h"
#include "StandinTestSupport.h"
#include "TestBinding.h"
#include "TestWindows.h"
#include "tandryaddin.h"

namespace tandry::addin::test {
namespace {

using ::testing::AnyOf;
using ::testing::IsEmpty;
using wintest::ExportOf;

constexpr wchar_t kOptionsKey[] = L"Software\\VB and VBA Program Settings\\Tandry\\Options";
constexpr char kShortcutAtom[] = "Tandry_4D_1";  // the engine's name for a registered Alt+M
constexpr char kSlideClass[] = "LarkPaneSlides";
constexpr char kNotesClass[] = "LarkPaneNotes";
constexpr char kDialogClass[] = "#32770";  // dialogs and message boxes
constexpr wchar_t kAnswered[] = L"AllocationFailureTest.Answered";
constexpr long kNoFailure = LONG_MAX;

// tandryaddin_failing.dll, loaded once and kept: the add-in's module lives as long as the DLL.
struct FailingAddin {
  HMODULE module = ::LoadLibraryW(BesideProgram(L"tandryaddin_failing.dll").c_str());
  decltype(&TandryFailAllocation) fail = ExportOf<decltype(fail)>(module, "TandryFailAllocation");
  decltype(&TandryDisarmAllocationFailure) disarm =
      ExportOf<decltype(disarm)>(module, "TandryDisarmAllocationFailure");
  decltype(&TandryAllocationFailed) failed =
      ExportOf<decltype(failed)>(module, "TandryAllocationFailed");
  decltype(&TandryAllocationsSinceArmed) count =
      ExportOf<decltype(count)>(module, "TandryAllocationsSinceArmed");

  bool loaded() const { return fail && disarm && failed && count; }
  // A new add-in object, as COM makes one through the DLL's class object; `tandry` holds it too.
  HRESULT Create(IUnknown** instance, ScopedComPtr<_PowerPointAddin>& tandry) const {
    ScopedComPtr<IClassFactory> factory;
    HRESULT made = ExportOf<decltype(&::DllGetClassObject)>(module, "DllGetClassObject")(
        CLSID_PowerPointAddin, IID_IClassFactory, reinterpret_cast<void**>(factory.receive()));
    if (SUCCEEDED(made)) {
      made = factory->CreateInstance(nullptr, IID__PowerPointAddin,
                                     reinterpret_cast<void**>(tandry.receive()));
    }
    return FAILED(made) ? made
                        : tandry->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(instance));
  }
  HRESULT CanUnloadNow() const {
    return ExportOf<decltype(&::DllCanUnloadNow)>(module, "DllCanUnloadNow")();
  }
};

// The call under way: named in failures, and in the last words of a process that dies in it.
std::string g_call = "no call yet";

LONG WINAPI SayLastWords(EXCEPTION_POINTERS* = nullptr) {
  std::fprintf(stderr, "allocation failure test: the process dies during %s\n", g_call.c_str());
  return EXCEPTION_EXECUTE_HANDLER;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

// Whether this thread has a top-level window of class `className`, hidden or not.
bool ThreadHasWindowOf(const char* className) {
  const std::vector<HWND> windows = wintest::ThreadWindows();
  return std::any_of(windows.begin(), windows.end(),
                     [&](HWND window) { return ClassOf(window) == className; });
}

// Dialogs are answered inside whatever modal loop shows them, as by a user who wants the show:
// Enter when one first becomes active (the settings dialog, whose stored settings are ready to
// start the chosen show; a message box), Escape when it becomes active again (a press whose
// handler failed left it open under a message box).
LRESULT CALLBACK AnswerDialog(int code, WPARAM wParam, LPARAM lParam) {
  const auto window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && ClassOf(window) == kDialogClass) {
    const bool again = ::GetPropW(window, kAnswered) != nullptr;
    ::SetPropW(window, kAnswered, window);
    ::PostMessageW(window, WM_COMMAND, again ? IDCANCEL : IDOK, 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class AllocationFailureTest : public ::testing::Test {
 protected:
  // This thread's dialogs answered and a dying process's last words, for the whole run.
  static void SetUpTestSuite() {
    ::SetWindowsHookExW(WH_CBT, AnswerDialog, nullptr, ::GetCurrentThreadId());
    ::SetUnhandledExceptionFilter(SayLastWords);
    std::signal(SIGABRT, [](int) { SayLastWords(); });
  }

  // The host with the failing add-in as its one add-in, connected at the host's start; a first
  // show binds the engine's functions, so every later start allocates as the second.
  void SetUp() override {
    ASSERT_TRUE(addin_.loaded()) << "tandryaddin_failing.dll missing beside the test?";
    StoreChosenShow();
    standin::HostOptions options;
    options.presentations.emplace_back("Talk", standin::GenerateDeck(4));
    options.addIns.push_back({kProgId, L"Tandry", true, [this](IUnknown** instance) {
                                return addin_.Create(instance, tandry_);
                              }});
    host_ = standin::Host::Start(std::move(options));
    ASSERT_TRUE(host_ && tandry_) << "the add-in did not connect";
    CleanShow("the host's start");
    startAllocations_ = CleanShow("a first show");
  }

  void TearDown() override {
    tandry_.reset();
    host_.reset();  // the host's exit
    wintest::DispatchPendingMessages();
    EXPECT_EQ(addin_.CanUnloadNow(), S_OK) << "an object of the add-in outlives the host";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey);
  }

  // The settings as the dialog opens with them, and a start stores them again: the notes on
  // monitor 2, the show on monitor 1, the slide before on monitor 3.
  static std::vector<std::pair<const wchar_t*, std::wstring>> ChosenSettings() {
    return {{L"MonitorOrder", L"1,0,2"}, {L"ShowNotes", L"1"}, {L"LastMonitor4Slides", L"0"}};
  }
  void StoreChosenShow() const {
    for (const auto& [name, value] : ChosenSettings()) {
      ::RegSetKeyValueW(HKEY_CURRENT_USER, kOptionsKey, name, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
  }
  bool StoredAsChosen() const {
    const auto settings = ChosenSettings();
    return std::all_of(settings.begin(), settings.end(), [](const auto& setting) {
      return RegistryText(HKEY_CURRENT_USER, kOptionsKey, setting.first) == setting.second;
    });
  }

  // The user switches the add-in off and on: its module starts afresh from the stored settings.
  void Reconnect() {
    tandry_.reset();
    ScopedComPtr<IDispatch> addIns, entry;
    latebound::GetDispatch(&host_->app(), L"COMAddIns", addIns);
    latebound::GetDispatch(addIns.get(), L"Item", entry, {latebound::Arg(kProgId)});
    latebound::Put(entry.get(), L"Connect", latebound::Arg(false));
    latebound::Put(entry.get(), L"Connect", latebound::Arg(true));
  }

  bool Running() {
    VARIANT_BOOL running = VARIANT_FALSE;
    tandry_->IsTandryRunning(&running);
    return running != VARIANT_FALSE;
  }

  standin::SlideShowWindowObject* HostShow() {
    return host_->app().presentations().front()->show();
  }

  // What the add-in's state gets wrong, against whether it runs. The presentation program's
  // show may stay without the add-in's when `showLeftToPresenter`.
  std::vector<std::string> Inconsistencies(bool showLeftToPresenter) {
    std::vector<std::string> wrong;
    const auto expect = [&](bool holds, const char* what) {
      if (!holds) wrong.push_back(what);
    };
    const bool running = Running();
    const std::vector<std::wstring> menu =
        standin::MenuTexts(host_->mainWindow(), standin::kSlideShowMenu);
    const wchar_t* caption = running ? L"Stop Tandry..." : L"Start Tandry...";
    expect(std::find(menu.begin(), menu.end(), caption) != menu.end(), "the menu's caption");
    const bool show = HostShow() != nullptr;
    expect(running ? show : !show || showLeftToPresenter, "the presentation program's show");
    expect(ThreadHasWindowOf(kSlideClass) == running, "slide windows");
    expect(ThreadHasWindowOf(kNotesClass) == running, "the notes view");
    expect((::GlobalFindAtomA(kShortcutAtom) != 0) == running, "Alt+M");
    expect(!ThreadHasWindowOf(kDialogClass), "a dialog or box left open");
    const bool frozen = !::LockWindowUpdate(::GetDesktopWindow());
    if (!frozen) ::LockWindowUpdate(nullptr);
    expect(!frozen, "the screen left frozen");
    expect(StoredAsChosen(), "stored settings not as chosen");
    return wrong;
  }

  // StartTandry, named `name` in failures, with its allocation `n` failing; its answer and the
  // add-in's state after it are checked. A start that fails after the presentation program's
  // show began leaves that show to the presenter. The allocations it asked for.
  long Toggle(const std::string& name, long n) {
    g_call = name + (n == kNoFailure ? "" : " with allocation " + std::to_string(n) + " failing");
    const bool failingStart = n != kNoFailure && !Running();
    addin_.fail(n);
    const HRESULT answer = tandry_->StartTandry();
    const long allocations = addin_.count();
    addin_.disarm();
    wintest::DispatchPendingMessages();
    EXPECT_THAT(answer, AnyOf(S_OK, E_OUTOFMEMORY, E_FAIL)) << g_call;
    EXPECT_THAT(Inconsistencies(failingStart), IsEmpty())
        << g_call << " left the add-in " << (Running() ? "running" : "stopped");
    return allocations;
  }

  // Ends what a call left, so that it is reported once: a running show through the add-in,
  // the host's show as its presenter ends it, larkpane's windows, a frozen screen.
  void EndWhatRuns(const std::string& after) {
    if (Running()) Toggle("a stop after " + after, kNoFailure);
    if (standin::SlideShowWindowObject* show = HostShow()) {
      standin::PressKey(show->window(), VK_ESCAPE);
      wintest::DispatchPendingMessages();
    }
    for (HWND window : wintest::ThreadWindows()) {
      const std::string kind = ClassOf(window);
      if (kind == kSlideClass || kind == kNotesClass) ::DestroyWindow(window);
    }
    ::LockWindowUpdate(nullptr);
  }

  // A start and a stop without failures after `after`: they must run and end the chosen show,
  // the start asking for as many allocations as the first one's. When not, the add-in is
  // switched off and on with the chosen settings, so that the damage does not spill into the
  // next cases. The start's allocations.
  long CleanShow(const std::string& after) {
    const long allocations = Toggle("a start after " + after, kNoFailure);
    const bool ran = Running();
    Toggle("a stop after " + after, kNoFailure);
    const bool damaged =
        !ran || Running() || (startAllocations_ != 0 && allocations != startAllocations_);
    if (damaged) {
      ADD_FAILURE() << "after " << after << ", a show without failures "
                    << (ran ? "ran" : "did not run") << ", then "
                    << (Running() ? "ran on" : "stopped") << "; its start asked for " << allocations
                    << " allocations, the first show's " << startAllocations_;
      EndWhatRuns(after);
      StoreChosenShow();
      Reconnect();
    }
    return allocations;
  }

  // `call` ("start" or "stop") with each of its allocations failing in turn, until it no longer
  // reaches the failing one; a stop follows a start without failures.
  void FailEachAllocationOf(const std::string& call) {
    for (long n = 1;; ++n) {
      const std::string failing =
          "the " + call + " with allocation " + std::to_string(n) + " failing";
      if (call == "stop") {
        Toggle("a start before " + failing, kNoFailure);
        ASSERT_TRUE(Running()) << "a start before " << failing << " ran no show";
      }
      Toggle("the " + call, n);
      const bool failed = addin_.failed();  // until the next arming
      EndWhatRuns(failing);
      CleanShow(failing);
      if (!failed) return;
    }
  }

  inline static FailingAddin addin_;
  long startAllocations_ = 0;  // of a start without failures, before any failure
  std::unique_ptr<standin::Host> host_;
  ScopedComPtr<_PowerPointAddin> tandry_;
};

TEST_F(AllocationFailureTest, EachAllocationOfAStartFailsInTurn) { FailEachAllocationOf("start"); }

TEST_F(AllocationFailureTest, EachAllocationOfAStopFailsInTurn) { FailEachAllocationOf("stop"); }

}  // namespace
}  // namespace tandry::addin::test
