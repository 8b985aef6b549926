// Allocation failures along a show: for every n, the n-th allocation after the add-in has
// started fails, somewhere in a start with notes on three monitors, a slide change, Alt+M, the
// stop, a second start, the host's shutdown and its disconnection. The exception may leave the
// call, as it would reach the add-in's COM boundary; what the add-in leaves behind must be
// consistent after every call.
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "AddinConnection.h"
#include "AddinInvariants.h"
#include "FailingAllocations.h"
#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::IsEmpty;

// The add-in connected at the host's start and started, with notes on monitors 1, 0, 2.
struct StartedAddin : test::TalkHost {
  StartedAddin() {
    app->Set(u"Version", std::u16string(u"12.0"));
    m.objects.answer = {true, {1, 0, 2}, u"Talk", true, false};
    for (int slide = 1; slide <= 12; ++slide) talk.AddNotesShape(slide, 14, 2, u"notes");
    connection.OnConnection(app, /*atHostStartup=*/true, nullptr, nullptr);
    connection.OnStartupComplete();
  }

  AddinConnection connection{m.module};
};

struct Call {
  const char* what;
  std::function<void(StartedAddin&)> run;
};

const std::vector<Call>& AlongAShow() {
  static const std::vector<Call> calls = {
      {"start", [](StartedAddin& a) { StartStopShow(a.m.module); }},
      {"slide change",
       [](StartedAddin& a) {
         a.talk.current = 2;
         ForwardNextSlide(a.m.module, a.talk.window);
       }},
      {"Alt+M", [](StartedAddin& a) { InsertSlideShortcut(a.m.module); }},
      {"stop", [](StartedAddin& a) { StartStopShow(a.m.module); }},
      {"second start", [](StartedAddin& a) { StartStopShow(a.m.module); }},
      {"host shutdown", [](StartedAddin& a) { a.connection.OnBeginShutdown(); }},
      {"disconnection", [](StartedAddin& a) { a.connection.OnDisconnection(true); }},
  };
  return calls;
}

TEST(AllocationFailure, AnyFailingAllocationAlongAShowLeavesAConsistentAddin) {
  for (long n = 1;; ++n) {
    StartedAddin addin;
    long remaining = n;  // allocations until the one that fails; 0 once it has failed
    for (const Call& call : AlongAShow()) {
      if (remaining > 0) test::FailAllocation(remaining);
      try {
        call.run(addin);
      } catch (...) {
        // The add-in's COM boundary answers the host with the failure.
      }
      if (remaining > 0) {
        remaining = test::AllocationFailed() ? 0 : remaining - test::AllocationsSinceArmed();
      }
      test::DisarmAllocationFailure();
      ASSERT_THAT(test::BrokenInvariants(addin.m), IsEmpty())
          << "allocation " << n << " failed; after the " << call.what;
    }
    if (remaining > 0) {
      // The whole path ran without reaching allocation n: both shows started and ended.
      EXPECT_EQ(std::count(addin.m.log.begin(), addin.m.log.end(), "StartTandrySession"), 2);
      EXPECT_EQ(std::count(addin.m.log.begin(), addin.m.log.end(), "DestroyTandrySession"), 2);
      break;
    }
  }
}

}  // namespace
}  // namespace tandry::addin
