// The add-in under a host that misbehaves at random: connections, shutdowns and disconnections
// in any order, also from inside a dialog, a message box or the show's start and end; presses of
// the start/stop toggle with any choice in the dialog; slide-show events and Alt+M whether or
// not a show runs; host calls, declared functions and the settings store that fail at random.
// Fixed seeds make every sequence repeatable; after every step of every sequence the add-in
// must have left nothing behind.
#include <gmock/gmock.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "AddinConnection.h"
#include "AddinInvariants.h"
#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::IsEmpty;

constexpr int kSequences = 400;
constexpr int kStepsPerSequence = 40;

// Declared functions whose absence can leave nothing behind: what makes or shows, never what
// takes down.
const char* const kMayBeMissing[] = {
    "GetMonitorCount", "GetMonitorInfo",    "GetDesktopWindow", "LockWindowUpdate",
    "GetDC",           "GetDeviceCaps",     "SetCursorPos",     "CreateNotesView",
    "SetNotesTitle",   "SetNotesText",      "ShowNotesView",    "CreateTandrySession",
    "AddSessionInfo",  "CreateTandrySharedScreenSession",       "ActivateSlideShow",
    "NextBuild",       "NextSlide",         "InsertSlide",      "RegisterShortcut"};
const char16_t* const kStoredNames[] = {u"MonitorOrder", u"ShowNotes", u"LastMonitor4Slides"};

class RandomHost : public test::TalkHost {
 public:
  explicit RandomHost(unsigned seed) : random_(seed) {
    app->Set(u"Version", std::u16string(u"12.0"));
    test::SetHostFailures([this] { return flaky_ && Chance(15); });
    connection.OnConnection(app, false, nullptr, nullptr);
  }
  ~RandomHost() { test::SetHostFailures(nullptr); }

  // One step of the host's, named for the report.
  std::string Step() {
    // A shut-down add-in is mostly connected again soon, so that shows run often.
    if (!m.module.state.App && Chance(2)) {
      connection.OnConnection(app, false, nullptr, nullptr);
      return "connect";
    }
    switch (Pick(12)) {
      case 0: connection.OnConnection(app, false, nullptr, nullptr); return "connect";
      case 1: connection.OnBeginShutdown(); return "begin shutdown";
      case 2: connection.OnDisconnection(Chance(2)); return "disconnect";
      case 3:
      case 4: return Toggle();
      case 5: return ToggleIntoAShutdown();
      case 6: {
        talk.current = 1 + Pick(static_cast<int>(talk.slides.size()));
        ForwardNextSlide(m.module, Chance(2) ? talk.window : other.window);
        return "slide change";
      }
      case 7: ForwardNextBuild(m.module, talk.window); return "build step";
      case 8:
        talk.current = 0;
        StopShow(m.module);
        return "show ended";
      case 9: InsertSlideShortcut(m.module); return "Alt+M";
      case 10: return BreakSomething();
      default:
        m.declared.usableMonitors = Chance(2) ? 3 : 1 + Pick(4);
        return "monitors now " + std::to_string(m.declared.usableMonitors);
    }
  }

  AddinConnection connection{m.module};

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  bool Chance(int oneIn) { return Pick(oneIn) == 0; }

  // A dialog answer: start or cancel, one to three of the monitors in any order, the boxes.
  test::DialogAnswer Answer() {
    MonitorList monitors{0, 1, 2};
    std::shuffle(monitors.begin(), monitors.end(), random_);
    monitors.resize(1 + Pick(3));
    return {!Chance(5), monitors, Chance(5) ? u"Other" : u"Talk", Chance(3), Chance(2)};
  }

  std::string Toggle() {
    m.objects.answer = Answer();
    StartStopShow(m.module);
    return "toggle";
  }

  // A toggle during which the host shuts the add-in down, from inside one of its waits.
  std::string ToggleIntoAShutdown() {
    const auto shutDown = [this] {
      if (Chance(2)) {
        connection.OnBeginShutdown();
      } else {
        connection.OnDisconnection(Chance(2));
      }
    };
    const int wait = Pick(4);
    m.objects.whileShown = wait == 0 ? std::function<void()>(shutDown) : nullptr;
    m.messages.whileShown = wait == 1 ? std::function<void()>(shutDown) : nullptr;
    talk.whileRunning = wait == 2 ? std::function<void()>(shutDown) : nullptr;
    talk.whileExiting = wait == 3 ? std::function<void()>(shutDown) : nullptr;
    const std::string step = Toggle() + " into a shutdown in wait " + std::to_string(wait);
    m.objects.whileShown = m.messages.whileShown = nullptr;
    talk.whileRunning = talk.whileExiting = nullptr;
    return step;
  }

  // The host, the declared functions or the store start or stop failing.
  std::string BreakSomething() {
    switch (Pick(3)) {
      case 0: flaky_ = !flaky_; return flaky_ ? "host flaky" : "host sound";
      case 1: {
        m.declared.missing.clear();
        for (const char* name : kMayBeMissing) {
          if (Chance(6)) m.declared.missing.insert(name);
        }
        return "declared functions missing: " + std::to_string(m.declared.missing.size());
      }
      default: {
        m.store.failing.clear();
        for (const char16_t* name : kStoredNames) {
          if (Chance(3)) m.store.failing.insert(name);
        }
        return "store failing: " + std::to_string(m.store.failing.size());
      }
    }
  }

  std::mt19937 random_;
  bool flaky_ = false;
};

TEST(RandomHost, LeavesNothingBehindAfterAnyStep) {
  for (unsigned seed = 1; seed <= kSequences; ++seed) {
    RandomHost host(seed);
    std::vector<std::string> steps;
    for (int i = 0; i < kStepsPerSequence; ++i) {
      steps.push_back(host.Step());
      const std::vector<std::string> broken = test::BrokenInvariants(host.m);
      ASSERT_THAT(broken, IsEmpty()) << "seed " << seed << ", steps: "
                                     << ::testing::PrintToString(steps);
    }
  }
}

}  // namespace
}  // namespace tandry::addin
